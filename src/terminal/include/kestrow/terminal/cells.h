// Text as the terminal shows it: UTF-16 from the form split into characters with their cell
// widths, and the part of an edit box's text that fits its cells with the caret in view.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow::terminal {

// One character on the screen: a code point, where it sits in the UTF-16 text, and its cells.
struct Glyph {
  char32_t code_point = 0;
  std::int32_t index = 0;  // first UTF-16 unit
  std::int32_t units = 1;  // 1, or 2 for a surrogate pair
  int cells = 1;           // 1 or 2
};

// A lone surrogate shows as U+FFFD; a character the terminal cannot place in a cell (a control
// character, or one of no width) shows as U+FFFD too, so that the columns stay known. Needs the
// process's character type locale to be a UTF-8 one for the widths of wide characters.
std::vector<Glyph> Glyphs(std::u16string_view text);
int CellWidth(std::u16string_view text);
// The glyphs that fit in `cells` columns, as a wide string for the screen.
std::wstring ToWide(const std::vector<Glyph>& glyphs);
// The leading part of `text` that fits in `cells` columns.
std::u16string FitToCells(std::u16string_view text, int cells);

// What an edit box shows in its cells: a window on its text from `first` (a UTF-16 index), the
// caret's column and which columns are selected.
struct BoxWindow {
  std::int32_t first = 0;
  std::vector<Glyph> glyphs;  // the visible ones, their index still into the whole text
  int caret_column = 0;       // relative to the box
};

// Scrolls the window kept from the previous drawing (`first`) as little as needed for the caret
// (a UTF-16 index) to have a cell, one past the last character at the end of the text.
BoxWindow WindowOnBox(std::u16string_view text, std::int32_t caret, std::int32_t first, int cells);
// The UTF-16 index a click on `column` of the box puts the caret at: before the character under
// it, or after it when the click is on its right half; the end of the text past its last character.
std::int32_t IndexAtColumn(const BoxWindow& window, std::int32_t text_length, int column);

// The moving end of a selection, which the box does not tell: the end that moved since the last
// drawing, else the one it was before; a selection of nothing has its caret at its start.
std::int32_t GuessCaret(std::int32_t previous_start, std::int32_t previous_end, std::int32_t previous_caret,
                        std::int32_t start, std::int32_t end);

}  // namespace kestrow::terminal
