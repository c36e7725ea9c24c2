// An edit box drawn in its cells: the window on its displayed text that keeps the caret in view,
// the selection while it has the focus, and the caret.
#pragma once

#include <cstdint>

#include "kestrow/host/controls/edit_box.h"
#include "screen.h"

namespace kestrow::terminal {

// What the last drawing of a box showed, to scroll it as little as needed and to tell which end
// of its selection the caret is at.
struct BoxMemory {
  std::int32_t first = 0;
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t caret = 0;
};

void DrawEditBox(Screen& screen, const host::EditBox& box, BoxMemory& memory, int row, int column, int cells,
                 Style style);
// Where a click on `offset` cells into the box, as last drawn, puts the caret.
std::int32_t IndexUnderClick(const host::EditBox& box, const BoxMemory& memory, int cells, int offset);

}  // namespace kestrow::terminal
