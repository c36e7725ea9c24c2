#include "kestrow/terminal/dialog_layout.h"

#include <algorithm>
#include <cstdlib>
#include <variant>

#include "kestrow/terminal/cells.h"
#include "kestrow/terminal/message_box.h"

namespace kestrow::terminal {

namespace {

int Round(std::int32_t twips, std::int32_t per_cell) { return static_cast<int>((twips + per_cell / 2) / per_cell); }

PlacedItem::Kind KindOf(host::DialogControl::Kind kind) {
  switch (kind) {
    case host::DialogControl::Kind::PictureBox: return PlacedItem::Kind::Picture;
    case host::DialogControl::Kind::CommandButton: return PlacedItem::Kind::Button;
    case host::DialogControl::Kind::Line: return PlacedItem::Kind::Line;
    case host::DialogControl::Kind::Label: break;
  }
  return PlacedItem::Kind::Label;
}

PlacedItem PlaceControl(const host::DialogControl& control) {
  PlacedItem item;
  item.name = control.name;
  item.kind = KindOf(control.kind);
  item.caption = control.caption;
  item.is_default = control.is_default;
  if (control.kind == host::DialogControl::Kind::Line) {
    // A line's width and height are the x and y of its end.
    const std::int32_t left = std::min(control.left, control.width);
    item.place = ToDialogCells(left, std::min(control.top, control.height), std::abs(control.width - control.left),
                               std::abs(control.height - control.top));
    item.place.rows = 1;
  } else {
    item.place = ToDialogCells(control.left, control.top, control.width, control.height);
  }
  return item;
}

struct PageVisitor {
  PlacedItem& item;
  bool is_container;
  void operator()(host::CaptionedControl* control) const {
    item.kind = is_container ? PlacedItem::Kind::Frame : PlacedItem::Kind::Label;
    item.caption = control->Caption();
    item.enabled = control->Enabled();
    const host::Placement& p = control->Position();
    item.place = ToDialogCells(p.Left(), p.Top(), p.Width(), p.Height());
  }
  void operator()(host::DropDownList* list) const {
    item.kind = PlacedItem::Kind::List;
    item.enabled = list->Enabled();
    const host::Placement& p = list->Position();
    item.place = ToDialogCells(p.Left(), p.Top(), p.Width(), p.Height());
    item.place.rows = 1;
  }
  void operator()(host::EditBox* box) const {
    item.kind = PlacedItem::Kind::Field;
    item.enabled = box->Enabled();
    item.place = ToDialogCells(box->Left(), box->Top(), box->Width(), box->Height());
    item.place.rows = 1;
  }
};

bool Visible(const host::PageControl& control) {
  return std::visit([](auto* c) { return c->Visible(); }, control.control);
}

}  // namespace

CellRect ToDialogCells(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {Round(top, kDialogTwipsPerRow), Round(left, kDialogTwipsPerColumn),
          std::max(Round(height, kDialogTwipsPerRow), 1), std::max(Round(width, kDialogTwipsPerColumn), 1)};
}

PlacedDialog PlaceDialog(const host::DialogForm& dialog) {
  PlacedDialog placed;
  placed.rows = Round(dialog.ClientHeight(), kDialogTwipsPerRow);
  placed.columns = Round(dialog.ClientWidth(), kDialogTwipsPerColumn);
  for (const host::DialogControl& control : dialog.Controls()) placed.items.push_back(PlaceControl(control));
  return placed;
}

std::vector<std::size_t> ButtonOrder(const host::DialogForm& dialog, const PlacedDialog& placed) {
  std::vector<std::size_t> buttons;
  for (std::size_t i = 0; i < placed.items.size(); ++i) {
    if (placed.items[i].kind == PlacedItem::Kind::Button) buttons.push_back(i);
  }
  const auto& controls = dialog.Controls();
  std::stable_sort(buttons.begin(), buttons.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].tab_index.value_or(0) < controls[b].tab_index.value_or(0);
  });
  return buttons;
}

PlacedDialog PlacePage(const host::PropertyPage& page) {
  PlacedDialog placed;
  placed.rows = Round(page.ClientHeight(), kDialogTwipsPerRow);
  placed.columns = Round(page.ClientWidth(), kDialogTwipsPerColumn);
  const auto controls = page.Controls();
  auto isContainer = [&](std::string_view name) {
    return std::any_of(controls.begin(), controls.end(),
                       [&](const host::PageControl& c) { return c.container == name; });
  };
  for (const host::PageControl& control : controls) {
    if (!Visible(control)) continue;
    PlacedItem item;
    item.name = std::string(control.name);
    std::visit(PageVisitor{item, isContainer(control.name)}, control.control);
    placed.items.push_back(std::move(item));
  }
  // Controls inside a frame are placed relative to it.
  for (const host::PageControl& control : controls) {
    if (control.container.empty()) continue;
    auto find = [&](std::string_view name) {
      return std::find_if(placed.items.begin(), placed.items.end(),
                          [&](const PlacedItem& item) { return item.name == name; });
    };
    const auto inner = find(control.name);
    const auto frame = find(control.container);
    if (inner == placed.items.end() || frame == placed.items.end()) continue;
    inner->place.row += frame->place.row;
    inner->place.column += frame->place.column;
  }
  return placed;
}

std::vector<std::u16string> LabelLines(const PlacedDialog& dialog, std::size_t index) {
  const PlacedItem& label = dialog.items[index];
  if (label.place.rows > 1 && label.kind == PlacedItem::Kind::Label) {
    std::vector<std::u16string> lines = WrapText(label.caption, label.place.columns);
    lines.resize(std::min(lines.size(), static_cast<std::size_t>(label.place.rows)));
    return lines;
  }
  int room = dialog.columns - label.place.column;
  for (const PlacedItem& other : dialog.items) {
    const bool sameRow = other.place.row <= label.place.row && label.place.row < other.place.row + other.place.rows;
    if (&other == &label || !sameRow || other.place.column <= label.place.column ||
        other.kind == PlacedItem::Kind::Frame)
      continue;
    room = std::min(room, other.place.column - label.place.column - 1);
  }
  return {FitToCells(label.caption, std::max(room, 0))};
}

}  // namespace kestrow::terminal
