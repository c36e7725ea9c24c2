// Dialog forms and property pages in character cells: every control's place mapped from twips,
// and the text a label shows in the room it has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kestrow/host/forms/dialog.h"
#include "kestrow/host/forms/property_page.h"

namespace kestrow::terminal {

// Dialogs are laid out in a proportional font narrower than a form field's fixed cells.
inline constexpr std::int32_t kDialogTwipsPerColumn = 80;
inline constexpr std::int32_t kDialogTwipsPerRow = 240;

struct CellRect {
  int row = 0;
  int column = 0;
  int rows = 0;
  int columns = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// At least one cell each way for a control with a size.
CellRect ToDialogCells(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

struct PlacedItem {
  enum class Kind { Label, Frame, Button, Line, Picture, List, Field };
  std::string name;
  Kind kind = Kind::Label;
  CellRect place;  // relative to the dialog's client area
  std::u16string caption;
  bool is_default = false;
  bool enabled = true;
};

struct PlacedDialog {
  int rows = 0;
  int columns = 0;
  std::vector<PlacedItem> items;
};

// A dialog form as loaded: its buttons in tab-index order come first among the items of their kind.
PlacedDialog PlaceDialog(const host::DialogForm& dialog);
// A property page's visible controls; those inside a frame placed relative to it.
PlacedDialog PlacePage(const host::PropertyPage& page);
// The buttons of a placed dialog, in the order Tab visits them.
std::vector<std::size_t> ButtonOrder(const host::DialogForm& dialog, const PlacedDialog& placed);

// The lines a label or a frame's caption shows: wrapped to its width, or on one line as far as
// the next control on its row (or the client area's edge) when it is one row high.
std::vector<std::u16string> LabelLines(const PlacedDialog& dialog, std::size_t item);

}  // namespace kestrow::terminal
