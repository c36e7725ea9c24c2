#include "edit_box_view.h"

#include "kestrow/terminal/cells.h"

namespace kestrow::terminal {

void DrawEditBox(Screen& screen, const host::EditBox& box, BoxMemory& memory, int row, int column, int cells,
                 Style style) {
  const std::u16string text = box.DisplayedText();
  const std::int32_t start = box.SelStart();
  const std::int32_t end = start + box.SelLength();
  memory.caret = GuessCaret(memory.start, memory.end, memory.caret, start, end);
  memory.start = start;
  memory.end = end;
  const BoxWindow window = WindowOnBox(text, memory.caret, memory.first, cells);
  memory.first = window.first;

  screen.Fill(row, column, cells, style);
  int offset = 0;
  for (const Glyph& glyph : window.glyphs) {
    const bool selected = box.HasFocus() && glyph.index >= start && glyph.index < end;
    screen.Put(
        row, column + offset,
        std::u16string_view(text).substr(static_cast<std::size_t>(glyph.index), static_cast<std::size_t>(glyph.units)),
        selected ? Style::Selection : style, glyph.cells);
    offset += glyph.cells;
  }
  if (box.HasFocus()) screen.PlaceCaret(row, column + window.caret_column);
}

std::int32_t IndexUnderClick(const host::EditBox& box, const BoxMemory& memory, int cells, int offset) {
  const BoxWindow window = WindowOnBox(box.DisplayedText(), memory.caret, memory.first, cells);
  return IndexAtColumn(window, static_cast<std::int32_t>(box.Text().size()), offset);
}

}  // namespace kestrow::terminal
