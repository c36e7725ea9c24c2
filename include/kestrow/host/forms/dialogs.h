// How a host shows what waits for the user: message boxes and modal dialog forms. A form without
// a screen answers them itself; a host with one shows them and returns once the user has.
#pragma once

#include <optional>
#include <string_view>

#include "kestrow/host/forms/dialog.h"

namespace kestrow::host {

class Dialogs {
 public:
  // Returns the button pressed (kMsgBoxOk and its kin). Without a caption the host's default
  // caption shows.
  virtual int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) = 0;
  // `dialog` is loaded; returns once it is unloaded.
  virtual void ShowModal(DialogForm& dialog) = 0;

 protected:
  ~Dialogs() = default;
};

}  // namespace kestrow::host
