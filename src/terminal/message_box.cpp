#include "kestrow/terminal/message_box.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <utility>

#include "kestrow/terminal/cells.h"

namespace kestrow::terminal {

namespace {

constexpr int kDefaultButtonMask = 0x300;
constexpr int kPadding = 2;  // columns between the frame and the text
constexpr int kButtonGap = 2;
constexpr int kScreenMargin = 2;  // columns kept free on each side of the screen
constexpr int kWidestPrompt = 60;

std::vector<MessageButton> ButtonSet(int set) {
  const MessageButton ok{u"OK", msgbox::kOk}, cancel{u"Cancel", msgbox::kCancel}, yes{u"Yes", msgbox::kYes},
      no{u"No", msgbox::kNo}, abort{u"Abort", msgbox::kAbort}, retry{u"Retry", msgbox::kRetry},
      ignore{u"Ignore", msgbox::kIgnore};
  switch (set) {
    case msgbox::kOkCancel: return {ok, cancel};
    case msgbox::kAbortRetryIgnore: return {abort, retry, ignore};
    case msgbox::kYesNoCancel: return {yes, no, cancel};
    case msgbox::kYesNo: return {yes, no};
    case msgbox::kRetryCancel: return {retry, cancel};
    default: return {ok};
  }
}

std::u16string IconWords(int icon) {
  switch (icon) {
    case host::buttons::kCritical: return u"Critical stop";
    case host::buttons::kQuestion: return u"Question";
    case host::buttons::kExclamation: return u"Warning";
    case host::buttons::kInformation: return u"Information";
    default: return {};
  }
}

// Esc answers Cancel where there is one; a box without it closes on its last button's answer
// (No of Yes/No, Ignore of Abort/Retry/Ignore), OK of a box of one button.
int EscapeCode(const std::vector<MessageButton>& buttons) {
  for (const MessageButton& button : buttons) {
    if (button.code == msgbox::kCancel) return button.code;
  }
  return buttons.back().code;
}

int ButtonsWidth(const MessageBoxShape& shape) {
  int width = 0;
  for (const MessageButton& button : shape.buttons) width += CellWidth(ButtonLabel(button.label)) + kButtonGap;
  return width - kButtonGap;
}

void WrapParagraph(std::u16string_view paragraph, int cells, std::vector<std::u16string>& lines) {
  std::u16string line;
  std::size_t i = 0;
  while (i <= paragraph.size()) {
    const std::size_t end = std::min(paragraph.find(u' ', i), paragraph.size());
    std::u16string_view word = paragraph.substr(i, end - i);
    while (CellWidth(word) > cells) {  // a word too long for any line: split it
      if (!line.empty()) lines.push_back(std::exchange(line, {}));
      const std::u16string head = FitToCells(word, cells);
      const std::size_t taken = std::max<std::size_t>(head.size(), 1);
      lines.push_back(std::u16string(word.substr(0, taken)));
      word.remove_prefix(taken);
    }
    if (!line.empty() && CellWidth(line) + 1 + CellWidth(word) > cells) lines.push_back(std::exchange(line, {}));
    if (!line.empty()) line += u' ';
    line += word;
    i = end + 1;
  }
  lines.push_back(std::move(line));
}

}  // namespace

MessageBoxShape DescribeMessageBox(int buttons, std::optional<std::u16string_view> caption) {
  MessageBoxShape shape;
  shape.caption = caption && !caption->empty() ? std::u16string(*caption) : std::u16string(kDefaultCaption);
  shape.icon = IconWords(buttons & host::buttons::kIconMask);
  shape.buttons = ButtonSet(buttons & msgbox::kButtonSetMask);
  shape.default_button =
      std::min<std::size_t>(static_cast<std::size_t>((buttons & kDefaultButtonMask) >> 8), shape.buttons.size() - 1);
  shape.escape_code = EscapeCode(shape.buttons);
  return shape;
}

std::vector<std::u16string> WrapText(std::u16string_view text, int cells) {
  std::vector<std::u16string> lines;
  cells = std::max(cells, 1);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find_first_of(u"\r\n", start);
    WrapParagraph(text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start), cells,
                  lines);
    if (end == std::u16string_view::npos) break;
    start = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
  }
  return lines;
}

std::u16string ButtonLabel(std::u16string_view label) { return u"< " + std::u16string(label) + u" >"; }

MessageBoxLayout LayOutMessageBox(const MessageBoxShape& shape, std::u16string_view prompt, int screen_rows,
                                  int screen_columns) {
  MessageBoxLayout layout;
  const int widest = std::max(std::min(kWidestPrompt, screen_columns - 2 * kScreenMargin - 2 * kPadding - 2), 1);
  if (!shape.icon.empty()) layout.lines.push_back(shape.icon + u":");
  for (std::u16string& line : WrapText(prompt, widest)) layout.lines.push_back(std::move(line));

  int inner = std::max(ButtonsWidth(shape), CellWidth(shape.caption) + 2);
  for (const std::u16string& line : layout.lines) inner = std::max(inner, CellWidth(line));
  layout.columns = std::min(inner + 2 * kPadding + 2, screen_columns);
  // Frame, blank, lines, blank, buttons, frame; lines beyond the screen are dropped.
  const int chrome = 5;
  const int lineRows = std::max(std::min(static_cast<int>(layout.lines.size()), screen_rows - chrome), 0);
  layout.lines.resize(static_cast<std::size_t>(lineRows));
  layout.rows = lineRows + chrome;
  layout.top = std::max((screen_rows - layout.rows) / 2, 0);
  layout.left = std::max((screen_columns - layout.columns) / 2, 0);
  layout.button_row = layout.top + layout.rows - 2;
  int column = layout.left + (layout.columns - ButtonsWidth(shape)) / 2;
  for (const MessageButton& button : shape.buttons) {
    layout.button_columns.push_back(column);
    column += CellWidth(ButtonLabel(button.label)) + kButtonGap;
  }
  return layout;
}

std::optional<int> AnswerKey(const MessageBoxShape& shape, std::size_t& chosen, const KeyAction& action) {
  const std::size_t count = shape.buttons.size();
  if (const auto* tab = std::get_if<TabMove>(&action)) {
    chosen = Cycle(chosen, count, tab->backwards);
  } else if (const auto* key = std::get_if<FieldKey>(&action)) {
    if (key->name == "Enter") return shape.buttons[chosen].code;
    if (key->name == "Escape") return shape.escape_code;
    if (key->name == "Left" || key->name == "Right") chosen = Cycle(chosen, count, key->name == "Left");
  } else if (const auto* typed = std::get_if<TypedText>(&action)) {
    for (const MessageButton& button : shape.buttons) {
      if (std::towupper(static_cast<wint_t>(typed->text[0])) == static_cast<wint_t>(button.label[0]))
        return button.code;
    }
  }
  return std::nullopt;
}

}  // namespace kestrow::terminal
