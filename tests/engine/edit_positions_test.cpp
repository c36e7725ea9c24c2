#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;

class EditPositions : public FieldTest {
 protected:
  void AmericanDate() { MakeDate(dtAmericanDate, dtSlashSeparator); }
  std::string Delete(std::string_view text, std::int32_t start, std::int32_t count) {
    return Show(Field().DeleteAndShift(Dots(text), start, count));
  }
};

struct DeleteRow {
  std::int32_t start;
  std::int32_t count;
  const char* result;
};

TEST_F(EditPositions, DeleteAndShiftClosesUpInsideTheFieldOnly) {
  AmericanDate();
  const DeleteRow rows[] = {
      {0, 1, "2·/25/2001"},   // the month closes up
      {3, 1, "12/5·/2001"},   // the day closes up
      {3, 5, "12/··/01··"},   // a range over two fields: the day is cleared, the year closes up
      {3, 2, "12/··/2001"},   // a range that ends at a field end moves nothing
      {0, 10, "··/··/····"},  // everything
  };
  for (const DeleteRow& row : rows) {
    EXPECT_EQ(Delete("12/25/2001", row.start, row.count), row.result) << row.start << "+" << row.count;
  }
}

TEST_F(EditPositions, DeleteAndShiftPastTheMaskClearsOnlyWhatIsInside) {
  AmericanDate();
  EXPECT_EQ(Delete("12/25/2001", 10, 1), "12/25/2001");
  EXPECT_EQ(Delete("12/25/2001", 8, 5), "12/25/20··");
}

TEST_F(EditPositions, FreeFormDeleteShortensTheText) {
  EXPECT_EQ(Delete("HELLO", 1, 1), "HLLO");
  EXPECT_EQ(Delete("HELLO", 3, 4), "HEL");
  EXPECT_EQ(Delete("HELLO", 5, 1), "HELLO");
}

TEST_F(EditPositions, StripLiteralsKeepsEditPositionsAndTheNumericPoint) {
  AmericanDate();
  EXPECT_EQ(Show(Field().StripLiterals(u"12/25/2001")), "12252001");
  EXPECT_EQ(Show(Field().StripLiterals(u"12/25/2001XYZ")), "12252001");  // past the template: dropped

  MakeNumeric(10, 2, dtThousandsFormat);
  Focus();
  EXPECT_EQ(Show(Field().StripLiterals(u"-123456.78")), "-123456.78");
}

TEST_F(EditPositions, LiteralBlankOfACustomMaskIsNotAnEditPosition) {
  MakeCustom("(999)·999-9999");
  EXPECT_EQ(Field().FirstEditPos(), 1);
  EXPECT_EQ(Field().LastEditPos(), 13);
  EXPECT_EQ(Field().NextEditPos(3), 6);  // over ")" and the literal blank
  EXPECT_EQ(Field().PrevEditPos(6), 3);
  EXPECT_EQ(Show(Field().StripLiterals(Dots("(555)·123-4567"))), "5551234567");
}

TEST_F(EditPositions, EdgesReturnTheirArgument) {
  AmericanDate();
  EXPECT_EQ(Field().PrevEditPos(0), 0);
  EXPECT_EQ(Field().PrevEditPos(1), 0);
  EXPECT_EQ(Field().NextEditPos(9), 9);  // the last edit position: nothing follows
  EXPECT_EQ(Field().LastEditPos(), 9);   // before the last character, not after it
  EXPECT_EQ(Field().NextEditPos(1), 3);  // over the "/"
  EXPECT_EQ(Field().PrevEditPos(3), 1);
  EXPECT_EQ(Field().NextEditPos(-1), 0);
}

TEST_F(EditPositions, FieldWithoutEditPositions) {
  Field().SetDataType(dtPassword);
  Field().SetInputFormat(dtCustomFormat);
  Field().SetPadChar(u" ");  // a mask of blanks leaves nowhere to type
  EXPECT_EQ(Field().FirstEditPos(), 10);
  EXPECT_EQ(Field().LastEditPos(), -1);
  EXPECT_EQ(Field().NextEditPos(4), 4);
  EXPECT_EQ(Field().PrevEditPos(4), 4);
}

}  // namespace
}  // namespace kestrow::testing
