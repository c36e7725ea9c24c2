// The services the host's container gives a control placed on it.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kestrow/host/dialog.h"
#include "kestrow/host/objects.h"
#include "kestrow/host/variant.h"

namespace kestrow::host {

// One argument of a raised event. Arguments go by reference: what the application leaves in
// `value` comes back to the control.
struct EventArg {
  std::string_view name;
  Variant value;
};

namespace buttons {
inline constexpr int kOkOnly = 0;
inline constexpr int kCritical = 16;  // OK with the critical-stop icon
}  // namespace buttons

inline constexpr int kMsgBoxOk = 1;

class ControlSite {
 public:
  // Tells the host a property changed (it then saves the control again).
  virtual void PropertyChanged(std::string_view property) = 0;
  // Raises one of the control's events to the application.
  virtual void RaiseEvent(std::string_view event, std::span<EventArg> args) = 0;
  // "{TAB}" or "+{TAB}": a focus move to the next or previous control, after the current host event.
  virtual void SendKeys(std::u16string_view keys) = 0;
  // Shows a modal message box; without a caption the host's default caption shows. Returns the
  // button pressed.
  virtual int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) = 0;
  // The container's font, the default of a new control.
  virtual std::shared_ptr<Font> AmbientFont() = 0;
  // Shows a dialog modally, without an owner, and returns once it is unloaded.
  virtual void ShowModal(DialogForm& dialog) = 0;

 protected:
  ~ControlSite() = default;
};

}  // namespace kestrow::host
