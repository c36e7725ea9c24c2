// Where the form's fields go on a screen of character cells: one row each in tab order below the
// title, a label column with the field's name, the box at its left offset and width (twips mapped
// to cells), the two status lines at the bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kestrow::terminal {

// Twips of one cell: a column of the form's default font is 120 twips wide; a line 240 high.
inline constexpr std::int32_t kTwipsPerColumn = 120;
inline constexpr std::int32_t kTwipsPerRow = 240;

struct FieldPlace {
  std::u16string name;
  std::int32_t left = 0;    // twips
  std::int32_t width = 0;   // twips; 0 for a control never sized (form files keep no sizes)
  std::int32_t length = 0;  // the field's places, which size a control without a width
};

struct FieldCells {
  int row = 0;
  int label_column = 0;
  int box_column = 0;
  int box_width = 0;  // cells, cut back to the screen's width
};

struct FormLayout {
  // Empty when the screen is too small for the form: nothing but the status line is drawn.
  std::vector<FieldCells> fields;
  int status_row = 0;  // the first of the two
  // What the form needs, for the status line of a screen too small.
  int needed_rows = 0;
  int needed_columns = 0;
  bool Fits() const { return !fields.empty(); }
};

// Fields get a blank row between them when the screen has the rows for it.
FormLayout LayOutForm(std::span<const FieldPlace> places, int rows, int columns);
// The field whose box holds the cell, if any.
std::optional<std::size_t> FieldAt(const FormLayout& layout, int row, int column);
// A cell of a box as the box's mouse coordinates in twips: the middle of the cell.
struct TwipsPoint {
  float x = 0;
  float y = 0;
};
TwipsPoint TwipsInBox(const FieldCells& field, int column);

}  // namespace kestrow::terminal
