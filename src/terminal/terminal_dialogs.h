// The host's dialogs on the terminal: message boxes and dialog forms (the About box) drawn
// centred over the screen and answered by the user before anything else reaches the form.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "kestrow/host/forms/dialogs.h"
#include "kestrow/terminal/dialog_layout.h"
#include "screen.h"

namespace kestrow::terminal {

class TerminalDialogs final : public host::Dialogs {
 public:
  explicit TerminalDialogs(Screen& screen) : screen_(screen) {}

  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override;
  // Enter and Esc act as the dialog's default and cancel buttons, Tab moves between its buttons
  // and Space presses the chosen one.
  void ShowModal(host::DialogForm& dialog) override;

 private:
  Screen& screen_;
};

// Where a client area of `rows` by `columns` cells goes, framed and centred.
struct DialogPlace {
  int top = 0;
  int left = 0;
  int rows = 0;
  int columns = 0;

  // The screen row and column of a cell of the client area, inside the frame.
  int Row(int client_row) const { return top + 1 + client_row; }
  int Column(int client_column) const { return left + 1 + client_column; }
};
DialogPlace CentreDialog(const Screen& screen, int client_rows, int client_columns);

// A placed label's lines, in the client area of the dialog framed at `place`.
void DrawLabel(Screen& screen, const PlacedDialog& dialog, std::size_t item, const DialogPlace& place, Style style);

}  // namespace kestrow::terminal
