#include "kestrow/terminal/dialog_layout.h"

#include <gtest/gtest.h>

#include <variant>

#include "about/about_form.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::terminal {
namespace {

bool Inside(const CellRect& inner, const CellRect& outer) {
  return inner.row >= outer.row && inner.column >= outer.column && inner.row + inner.rows <= outer.row + outer.rows &&
         inner.column + inner.columns <= outer.column + outer.columns;
}

bool Overlap(const CellRect& a, const CellRect& b) {
  return a.row < b.row + b.rows && b.row < a.row + a.rows && a.column < b.column + b.columns &&
         b.column < a.column + a.columns;
}

const PlacedItem& Item(const PlacedDialog& dialog, std::string_view name) {
  for (const PlacedItem& item : dialog.items) {
    if (item.name == name) return item;
  }
  throw std::out_of_range(std::string(name));
}

std::size_t IndexOf(const PlacedDialog& dialog, std::string_view name) {
  return static_cast<std::size_t>(&Item(dialog, name) - dialog.items.data());
}

TEST(ToDialogCells, RoundsToTheNearestCellAndKeepsAtLeastOne) {
  EXPECT_EQ(ToDialogCells(0, 0, 0, 0), (CellRect{0, 0, 1, 1}));
  EXPECT_EQ(ToDialogCells(kDialogTwipsPerColumn * 3 / 2, kDialogTwipsPerRow * 2, kDialogTwipsPerColumn * 10,
                          kDialogTwipsPerRow),
            (CellRect{2, 2, 1, 10}));
}

class AboutLayout : public ::testing::Test {
 protected:
  AboutLayout() : form(about::KestrowApplication()) { form.Load(); }
  about::AboutForm form;
};

TEST_F(AboutLayout, KeepsEveryControlInsideTheClientArea) {
  const PlacedDialog placed = PlaceDialog(form);
  const CellRect client{0, 0, placed.rows, placed.columns};
  for (const PlacedItem& item : placed.items) EXPECT_TRUE(Inside(item.place, client)) << item.name;
}

TEST_F(AboutLayout, ShowsEveryLabelInFullWithoutRunningIntoItsNeighbour) {
  const PlacedDialog placed = PlaceDialog(form);
  for (std::size_t i = 0; i < placed.items.size(); ++i) {
    if (placed.items[i].kind != PlacedItem::Kind::Label) continue;
    const std::vector<std::u16string> lines = LabelLines(placed, i);
    std::u16string shown;
    for (const std::u16string& line : lines) shown += line;
    EXPECT_EQ(shown, placed.items[i].caption) << placed.items[i].name;
  }
  const PlacedItem& nameLabel = Item(placed, "Label5");
  const PlacedItem& nameValue = Item(placed, "Label2");
  EXPECT_EQ(nameLabel.place.row, nameValue.place.row);
  EXPECT_LT(nameLabel.place.column + static_cast<int>(nameLabel.caption.size()), nameValue.place.column);
}

TEST_F(AboutLayout, HasItsDefaultButtonInTheTabOrder) {
  const PlacedDialog placed = PlaceDialog(form);
  const std::vector<std::size_t> buttons = ButtonOrder(form, placed);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(placed.items[buttons[0]].name, "cmdOK");
  EXPECT_TRUE(placed.items[buttons[0]].is_default);
}

TEST(LabelLines, CutsAOneRowLabelAtTheNextControlOnItsRow) {
  PlacedDialog dialog;
  dialog.rows = 3;
  dialog.columns = 40;
  dialog.items.push_back({"lbl", PlacedItem::Kind::Label, {1, 0, 1, 4}, u"A long caption"});
  dialog.items.push_back({"txt", PlacedItem::Kind::Field, {1, 8, 1, 5}, u""});
  EXPECT_EQ(LabelLines(dialog, 0), (std::vector<std::u16string>{u"A long "}));
  dialog.items[1].place.row = 2;  // off its row: the label runs to the edge
  EXPECT_EQ(LabelLines(dialog, 0), (std::vector<std::u16string>{u"A long caption"}));
}

TEST(LabelLines, WrapsALabelOfSeveralRowsToItsWidth) {
  PlacedDialog dialog;
  dialog.rows = 5;
  dialog.columns = 40;
  dialog.items.push_back({"lbl", PlacedItem::Kind::Label, {0, 0, 2, 6}, u"one two three"});
  EXPECT_EQ(LabelLines(dialog, 0), (std::vector<std::u16string>{u"one", u"two"}));
}

class FormatPageLayout : public ::testing::Test {
 protected:
  host::Form form;
  host::FormPageFrame frame{form, [](host::PageFrame& f) { return std::make_unique<proppage::FormatPage>(f); }};
};

TEST_F(FormatPageLayout, PlacesTheMaskFieldInsideItsFrame) {
  const PlacedDialog placed = PlacePage(frame.Page());
  const PlacedItem& mask = Item(placed, "txtMask");
  const PlacedItem& frame1 = Item(placed, "Frame1");
  EXPECT_EQ(frame1.kind, PlacedItem::Kind::Frame);
  CellRect insideBorder = frame1.place;
  insideBorder.row += 1;
  insideBorder.column += 1;
  insideBorder.rows -= 2;
  insideBorder.columns -= 2;
  EXPECT_TRUE(Inside(mask.place, insideBorder));
}

TEST_F(FormatPageLayout, KeepsListsAndFieldsApartAndTheirLabelsReadable) {
  const PlacedDialog placed = PlacePage(frame.Page());
  const CellRect client{0, 0, placed.rows, placed.columns};
  std::vector<const PlacedItem*> inputs;
  for (const PlacedItem& item : placed.items) {
    EXPECT_TRUE(Inside(item.place, client)) << item.name;
    if (item.kind == PlacedItem::Kind::List || item.kind == PlacedItem::Kind::Field) inputs.push_back(&item);
  }
  for (std::size_t a = 0; a < inputs.size(); ++a) {
    for (std::size_t b = a + 1; b < inputs.size(); ++b)
      EXPECT_FALSE(Overlap(inputs[a]->place, inputs[b]->place)) << inputs[a]->name << " " << inputs[b]->name;
  }
  for (const std::string_view label : {"lblDataType", "lblFunction", "lblDisplayFormat", "lblPadChar", "lblLength"}) {
    const std::size_t index = IndexOf(placed, label);
    EXPECT_EQ(LabelLines(placed, index).front(), placed.items[index].caption) << label;
  }
}

TEST_F(FormatPageLayout, LeavesHiddenControlsOut) {
  auto* decimals = std::get<host::EditBox*>(frame.Find("txtDecPlaces")->control);
  decimals->SetVisible(false);
  const PlacedDialog placed = PlacePage(frame.Page());
  EXPECT_THROW(Item(placed, "txtDecPlaces"), std::out_of_range);
  EXPECT_NO_THROW(Item(placed, "txtLength"));
}

}  // namespace
}  // namespace kestrow::terminal
