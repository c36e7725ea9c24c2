#include "kestrow/terminal/form_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrow::terminal {
namespace {

std::vector<FieldPlace> ThreeFields() {
  return {{u"Name", 0, 30 * kTwipsPerColumn},
          {u"Phone", 0, 14 * kTwipsPerColumn},
          {u"Amount", 4 * kTwipsPerColumn, 10 * kTwipsPerColumn}};
}

TEST(LayOutForm, PutsFieldsInTabOrderWithTheirBoxesRightOfTheLongestName) {
  const FormLayout layout = LayOutForm(ThreeFields(), 30, 100);
  ASSERT_TRUE(layout.Fits());
  ASSERT_EQ(layout.fields.size(), 3u);
  EXPECT_LT(layout.fields[0].row, layout.fields[1].row);
  EXPECT_LT(layout.fields[1].row, layout.fields[2].row);
  // "Amount" is the longest name: every box starts past it and its colon.
  const int firstBox = layout.fields[0].box_column;
  EXPECT_GT(firstBox, layout.fields[0].label_column + 6);
  EXPECT_EQ(layout.fields[1].box_column, firstBox);
  EXPECT_EQ(layout.fields[2].box_column, firstBox + 4);  // its own left offset
  EXPECT_EQ(layout.fields[0].box_width, 30);
  EXPECT_EQ(layout.status_row, 28);
}

TEST(LayOutForm, SizesAControlWithoutAWidthByItsLength) {
  const std::vector<FieldPlace> places{
      {u"Sized", 0, 8 * kTwipsPerColumn, 30}, {u"Unsized", 0, 0, 12}, {u"Empty", 0, 0, 0}};
  const FormLayout layout = LayOutForm(places, 30, 100);
  ASSERT_TRUE(layout.Fits());
  EXPECT_EQ(layout.fields[0].box_width, 8);  // a width wins over the length
  EXPECT_GT(layout.fields[1].box_width, 12);
  EXPECT_GE(layout.fields[2].box_width, 1);
}

TEST(LayOutForm, LeavesBlankRowsBetweenFieldsOnlyWhenThereIsRoom) {
  const FormLayout roomy = LayOutForm(ThreeFields(), 30, 100);
  EXPECT_EQ(roomy.fields[1].row - roomy.fields[0].row, 2);
  const FormLayout tight = LayOutForm(ThreeFields(), roomy.needed_rows, 100);
  ASSERT_TRUE(tight.Fits());
  EXPECT_EQ(tight.fields[1].row - tight.fields[0].row, 1);
  EXPECT_LT(tight.fields.back().row, tight.status_row);
}

TEST(LayOutForm, CutsABoxAtTheScreensEdge) {
  const FormLayout layout = LayOutForm(ThreeFields(), 30, 30);
  ASSERT_TRUE(layout.Fits());
  EXPECT_EQ(layout.fields[0].box_column + layout.fields[0].box_width, 30);
  EXPECT_EQ(layout.fields[1].box_width, 14);  // one that fits keeps its width
}

TEST(LayOutForm, GivesNoFieldsOnAScreenTooSmallAndSaysWhatItNeeds) {
  const FormLayout full = LayOutForm(ThreeFields(), 30, 100);
  for (const auto& [rows, columns] : {std::pair{full.needed_rows - 1, 100}, std::pair{30, full.needed_columns - 1}}) {
    const FormLayout layout = LayOutForm(ThreeFields(), rows, columns);
    EXPECT_FALSE(layout.Fits()) << rows << "x" << columns;
    EXPECT_EQ(layout.needed_rows, full.needed_rows);
    EXPECT_EQ(layout.needed_columns, full.needed_columns);
  }
  EXPECT_TRUE(LayOutForm(ThreeFields(), full.needed_rows, full.needed_columns).Fits());
}

TEST(FieldAt, FindsTheBoxUnderACellAndNothingOnLabelsOrPastTheBox) {
  const FormLayout layout = LayOutForm(ThreeFields(), 30, 100);
  const FieldCells& phone = layout.fields[1];
  EXPECT_EQ(FieldAt(layout, phone.row, phone.box_column), 1u);
  EXPECT_EQ(FieldAt(layout, phone.row, phone.box_column + phone.box_width - 1), 1u);
  EXPECT_FALSE(FieldAt(layout, phone.row, phone.box_column + phone.box_width));
  EXPECT_FALSE(FieldAt(layout, phone.row, phone.label_column));
  EXPECT_FALSE(FieldAt(layout, phone.row + 1, phone.box_column));
}

TEST(TwipsInBox, MeasuresFromTheBoxsLeftEdgeToTheMiddleOfTheCell) {
  FieldCells field;
  field.box_column = 10;
  field.box_width = 5;
  EXPECT_EQ(TwipsInBox(field, 10).x, kTwipsPerColumn / 2);
  EXPECT_EQ(TwipsInBox(field, 13).x, 3 * kTwipsPerColumn + kTwipsPerColumn / 2);
  EXPECT_EQ(TwipsInBox(field, 13).y, kTwipsPerRow / 2);
}

}  // namespace
}  // namespace kestrow::terminal
