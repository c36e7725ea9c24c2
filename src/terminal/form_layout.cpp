#include "kestrow/terminal/form_layout.h"

#include <algorithm>

#include "kestrow/terminal/cells.h"

namespace kestrow::terminal {

namespace {

constexpr int kMargin = 1;         // columns left of the labels
constexpr int kFirstFieldRow = 2;  // below the title and a blank row
constexpr int kStatusRows = 2;
// A box narrower than this on the screen cannot show a caret with text around it.
constexpr int kMinimumBoxCells = 6;

// An unsized control gets its places and room for a sign and brackets.
constexpr int kUnsizedExtraCells = 3;

int CellsFromTwips(std::int32_t twips) {
  return static_cast<int>((std::max(twips, 0) + kTwipsPerColumn / 2) / kTwipsPerColumn);
}

int BoxCells(const FieldPlace& place) {
  return std::max(place.width > 0 ? CellsFromTwips(place.width) : place.length + kUnsizedExtraCells, 1);
}

}  // namespace

FormLayout LayOutForm(std::span<const FieldPlace> places, int rows, int columns) {
  FormLayout layout;
  layout.status_row = std::max(rows - kStatusRows, 0);
  if (places.empty()) return layout;

  int labelWidth = 0;
  for (const FieldPlace& place : places) labelWidth = std::max(labelWidth, CellWidth(place.name));
  const int boxStart = kMargin + labelWidth + 2;  // the name, a colon and a blank

  const int count = static_cast<int>(places.size());
  layout.needed_rows = kFirstFieldRow + count + kStatusRows;
  layout.needed_columns = 0;
  for (const FieldPlace& place : places) {
    const int left = boxStart + CellsFromTwips(place.left);
    layout.needed_columns = std::max(layout.needed_columns, left + std::min(BoxCells(place), kMinimumBoxCells));
  }
  if (rows < layout.needed_rows || columns < layout.needed_columns) return layout;

  const int spacing = kFirstFieldRow + 2 * count - 1 + kStatusRows <= rows ? 2 : 1;
  for (int i = 0; i < count; ++i) {
    const FieldPlace& place = places[static_cast<std::size_t>(i)];
    FieldCells cells;
    cells.row = kFirstFieldRow + i * spacing;
    cells.label_column = kMargin;
    cells.box_column = boxStart + CellsFromTwips(place.left);
    cells.box_width = std::min(BoxCells(place), columns - cells.box_column);
    layout.fields.push_back(cells);
  }
  return layout;
}

std::optional<std::size_t> FieldAt(const FormLayout& layout, int row, int column) {
  for (std::size_t i = 0; i < layout.fields.size(); ++i) {
    const FieldCells& field = layout.fields[i];
    if (row == field.row && column >= field.box_column && column < field.box_column + field.box_width) return i;
  }
  return std::nullopt;
}

TwipsPoint TwipsInBox(const FieldCells& field, int column) {
  const int offset = std::max(column - field.box_column, 0);
  return {static_cast<float>(offset * kTwipsPerColumn + kTwipsPerColumn / 2), static_cast<float>(kTwipsPerRow / 2)};
}

}  // namespace kestrow::terminal
