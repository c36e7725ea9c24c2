// A message box as the terminal draws it: its caption, the icon in words, the prompt wrapped to
// the screen, the buttons of its button set, and what Enter, Esc and the other keys press.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/forms/control_site.h"
#include "kestrow/terminal/key_decoding.h"

namespace kestrow::terminal {

using host::kDefaultCaption;
namespace msgbox = host::msgbox;

struct MessageButton {
  std::u16string label;
  int code = 0;
};

struct MessageBoxShape {
  std::u16string caption;
  std::u16string icon;  // the icon's meaning in words; empty for none
  std::vector<MessageButton> buttons;
  std::size_t default_button = 0;  // Enter presses it until another is chosen
  int escape_code = 0;             // what Esc answers
};

// `buttons` as a message box takes it: the button set in the low bits (0 OK, 1 OK/Cancel,
// 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel), the icon (16, 32, 48, 64) and
// the default button (256 the second, 512 the third).
MessageBoxShape DescribeMessageBox(int buttons, std::optional<std::u16string_view> caption);

// The prompt in lines of at most `cells` columns: broken at its own line breaks and between
// words, a word longer than a line split.
std::vector<std::u16string> WrapText(std::u16string_view text, int cells);

// The box's place on a screen, centred, and where its parts go (rows and columns on the screen).
struct MessageBoxLayout {
  int top = 0;
  int left = 0;
  int rows = 0;
  int columns = 0;
  std::vector<std::u16string> lines;  // the icon's line first, when there is an icon
  int button_row = 0;
  std::vector<int> button_columns;
};
MessageBoxLayout LayOutMessageBox(const MessageBoxShape& shape, std::u16string_view prompt, int screen_rows,
                                  int screen_columns);
// How a button reads on the screen.
std::u16string ButtonLabel(std::u16string_view label);

// The box's answer to a key: a button code once one is pressed; Tab and the arrows move the
// chosen button, a button's first letter presses it.
std::optional<int> AnswerKey(const MessageBoxShape& shape, std::size_t& chosen, const KeyAction& action);

}  // namespace kestrow::terminal
