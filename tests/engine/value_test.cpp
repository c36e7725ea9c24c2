#include "engine/common_module.h"
#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

Variant DateOf(int year, int month, int day) { return Variant::FromDate(host::DateSerial(year, month, day)); }

class FocusedRead : public FieldTest {
 protected:
  Variant Read(std::string_view boxText) {
    Focus();
    Edit(boxText, 0);
    return Field().Value();
  }
};

TEST_F(FocusedRead, AlphaNumericTakesTheEditPositionsWithoutOuterBlanks) {
  EXPECT_EQ(Read("Ann·Lee···"), Variant::String(Dots("Ann·Lee")));
  MakeCustom("AA-9999");
  EXPECT_EQ(Read("AB-12··"), Variant::String(u"AB12"));
}

TEST_F(FocusedRead, NumbersStopAtTheFirstGap) {
  MakeNumeric(10, 2, dtThousandsFormat);
  EXPECT_EQ(Read("-··1234.50"), Variant::Double(-1234.5));
  EXPECT_EQ(Read("···1234.50"), Variant::Double(1234.5));
  EXPECT_EQ(Read("·······.··"), Variant::Double(0));
  EXPECT_EQ(Read("-·12·34.50"), Variant::Double(-12));
  EXPECT_EQ(Read("+····12.00"), Variant::Double(12));  // a typed plus sign reads as one
}

TEST_F(FocusedRead, DatesByTheirFixedPositions) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  EXPECT_EQ(Read("07/12/2026"), DateOf(2026, 12, 7));
  EXPECT_EQ(Read("07/12/····"), DateOf(2026, 12, 7));  // the current year
  EXPECT_EQ(Read("07/12/26··"), DateOf(2026, 12, 7));  // two digits, by the window
  EXPECT_TRUE(Read("31/02/2026").IsNull());
  EXPECT_TRUE(Read("00/12/2026").IsNull());
  EXPECT_TRUE(Read("··/12/2026").IsNull());
  EXPECT_EQ(Read("··/··/····"), Variant::String(u""));  // untouched

  MakeDate(dtAmericanDate, dtSlashSeparator);
  EXPECT_EQ(Read("12/07/98··"), DateOf(1998, 12, 7));
  MakeDate(dtJapanDate, dtDotSeparator);
  EXPECT_EQ(Read("····.12.07"), DateOf(2026, 12, 7));
}

TEST_F(FocusedRead, LogicalAndPassword) {
  Field().SetDataType(dtLogical);
  EXPECT_EQ(Read("Yes··"), Variant::Integer(1));
  EXPECT_EQ(Read("No···"), Variant::Integer(0));
  EXPECT_EQ(Read("yes··"), Variant::Integer(0));
  Field().SetDataType(dtPassword);
  EXPECT_EQ(Read("·pass·"), Variant::String(Dots("·pass·")));
}

TEST_F(FocusedRead, UnfocusedReadReturnsTheStoredValue) {
  Field().SetValue(Variant::String(u"kept"));
  Box().SetText(u"other text");
  EXPECT_EQ(Field().Value(), Variant::String(u"kept"));
}

class ValueWrite : public FieldTest {
 protected:
  // The stored value after a write, or Null when the write was refused with its message.
  Variant Write(const Variant& value) {
    ClearLog();
    const Variant before = Field().Settings().m_Value;
    Field().SetValue(value);
    const auto messages = Messages();
    if (!messages.empty()) {
      EXPECT_EQ(messages, std::vector<std::string>{"msgbox Invalid Property Value|16|Valid Text Box"});
      EXPECT_EQ(Field().Settings().m_Value, before);
      return Variant::Null();
    }
    return Field().Value();
  }
  Variant WriteText(std::string_view text) { return Write(Variant::String(Dots(text))); }
};

TEST_F(ValueWrite, NullIsZeroForNumbersAndRefusedElsewhere) {
  EXPECT_TRUE(Write(Variant::Null()).IsNull());
  MakeNumeric(6, 0, dtDigits);
  EXPECT_EQ(Write(Variant::Null()), Variant::Integer(0));
  for (std::int32_t type : {dtDate, dtPassword, dtLogical}) {
    Field().SetDataType(type);
    EXPECT_TRUE(Write(Variant::Null()).IsNull()) << type;
  }
}

TEST_F(ValueWrite, TextFieldsTakeOnlyTextCutToTheirLength) {
  EXPECT_TRUE(Write(Variant::Integer(123)).IsNull());
  EXPECT_EQ(WriteText("123"), Variant::String(u"123"));
  Field().SetLength(4);
  EXPECT_EQ(WriteText("abcdefgh"), Variant::String(u"abcd"));
  Field().SetDataType(dtPassword);
  EXPECT_EQ(WriteText("secretly"), Variant::String(u"secr"));
}

TEST_F(ValueWrite, NumericRangeFollowsLengthAndDecimals) {
  MakeNumeric(10, 2, dtDigitsSigns);
  EXPECT_EQ(Write(Variant::Double(9999999.99)), Variant::Double(9999999.99));
  EXPECT_EQ(Write(Variant::Double(-999999.99)), Variant::Double(-999999.99));
  EXPECT_TRUE(Write(Variant::Double(10000000)).IsNull());
  EXPECT_TRUE(Write(Variant::Double(-1000000)).IsNull());
  EXPECT_TRUE(Write(Variant::Double(1e20)).IsNull());  // its text is in exponent form
  EXPECT_EQ(WriteText("12abc"), Variant::Double(12));
  EXPECT_EQ(WriteText("1·2"), Variant::Double(12));
  EXPECT_EQ(Write(Variant::Boolean(true)), Variant::Double(0));  // "True" reads no number

  MakeNumeric(5, 0, dtDigitsSigns);
  EXPECT_EQ(Write(Variant::Integer(-9999)), Variant::Double(-9999));
  EXPECT_TRUE(Write(Variant::Integer(-10000)).IsNull());
  EXPECT_EQ(Write(Variant::Long(99999)), Variant::Double(99999));
}

TEST_F(ValueWrite, UnsignedFormatsRefuseOrDropTheSign) {
  MakeNumeric(6, 0, dtDigits);
  EXPECT_TRUE(Write(Variant::Integer(-1)).IsNull());
  MakeCustom("999-99");
  EXPECT_EQ(Write(Variant::Integer(-5)), Variant::Double(5));
}

TEST_F(ValueWrite, ObjectIsTheHostsTypeMismatchAndChangesNothing) {
  MakeNumeric(6, 0, dtDigits);
  Field().SetValue(Variant::Integer(42));
  try {
    Field().SetValue(Variant::Object(std::make_shared<host::Font>()));
    FAIL() << "no error";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), host::errors::kTypeMismatch);
  }
  EXPECT_EQ(Field().Value(), Variant::Double(42));
}

TEST_F(ValueWrite, LogicalWords) {
  Field().SetDataType(dtLogical);
  for (const char* text : {"yes", "Y", "t", "1"}) EXPECT_EQ(WriteText(text), Variant::Integer(1)) << text;
  for (const char* text : {"no", "F", "0"}) EXPECT_EQ(WriteText(text), Variant::Integer(0)) << text;
  EXPECT_TRUE(WriteText("maybe").IsNull());
  EXPECT_TRUE(WriteText("").IsNull());
  EXPECT_EQ(Write(Variant::Boolean(true)), Variant::Integer(1));
  EXPECT_EQ(Write(Variant::Boolean(false)), Variant::Integer(0));
  EXPECT_TRUE(Write(Variant::Integer(-1)).IsNull());
  EXPECT_EQ(Write(Variant::Double(1.0)), Variant::Integer(1));
  EXPECT_EQ(BoxText(), "Yes··");
}

TEST_F(ValueWrite, DatesInTheFieldsOrderOrThroughTheGeneralConversion) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  EXPECT_EQ(WriteText("7-12-2026"), DateOf(2026, 12, 7));
  EXPECT_EQ(WriteText("7.12.26"), DateOf(2026, 12, 7));
  EXPECT_TRUE(WriteText("1/2/").IsNull());
  EXPECT_TRUE(WriteText("29/2/2023").IsNull());
  EXPECT_EQ(WriteText("29/2/2024"), DateOf(2024, 2, 29));
  EXPECT_TRUE(WriteText("7/12/99999").IsNull());             // no 16-bit year
  EXPECT_EQ(WriteText("2026-12-25"), DateOf(2026, 12, 25));  // not British: the general conversion
  EXPECT_EQ(WriteText("25 December 2026"), DateOf(2026, 12, 25));
  EXPECT_TRUE(Write(Variant::Double(46000)).IsNull());

  EXPECT_EQ(WriteText(""), Variant::String(Dots("··/··/····")));
  EXPECT_EQ(BoxText(), "··/··/····");
}

TEST_F(ValueWrite, DateValuesLoseTheirTimeOfDay) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  const double day = host::DateSerial(2026, 12, 7).serial;
  EXPECT_EQ(Write(Variant::FromDate({day + 0.25})), DateOf(2026, 12, 7));
  EXPECT_EQ(Write(Variant::FromDate({day + 0.75})), DateOf(2026, 12, 8));
  EXPECT_EQ(BoxText(), "08/12/2026");
}

TEST_F(ValueWrite, AcceptedWriteReportsValueThenText) {
  ClearLog();
  Field().SetValue(Variant::String(u"x"));
  const auto reports = Reports();
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.front(), "Value");
  EXPECT_EQ(reports.back(), "Text");
}

TEST(CommonModule, IsValidDateCompletesTwoDigitYearsByTheWindow) {
  host::SetClock([] { return host::CivilDate{2026, 12, 7}; });
  struct Row {
    std::int16_t given;
    std::int16_t completed;
  };
  for (const Row row : {Row{96, 1996}, Row{99, 1999}, Row{0, 2000}, Row{30, 2030}, Row{95, 2095}}) {
    std::int16_t day = 1, month = 1, year = row.given;
    EXPECT_TRUE(CommonModule::IsValidDate(day, month, year));
    EXPECT_EQ(year, row.completed);
  }
  std::int16_t day = 29, month = 2, year = 2023;
  EXPECT_FALSE(CommonModule::IsValidDate(day, month, year));
  year = 2024;
  EXPECT_TRUE(CommonModule::IsValidDate(day, month, year));
  month = 13;
  EXPECT_FALSE(CommonModule::IsValidDate(day, month, year));
  month = 4, day = 31;
  EXPECT_FALSE(CommonModule::IsValidDate(day, month, year));
  month = 1, day = 1, year = -5;
  EXPECT_FALSE(CommonModule::IsValidDate(day, month, year));
  host::SetClock({});
}

TEST(CommonModule, IsLeapYearIsGregorian) {
  for (std::int16_t year : {std::int16_t{2000}, std::int16_t{2024}, std::int16_t{1996}})
    EXPECT_TRUE(CommonModule::IsLeapYear(year)) << year;
  for (std::int16_t year : {std::int16_t{1900}, std::int16_t{2023}, std::int16_t{2100}})
    EXPECT_FALSE(CommonModule::IsLeapYear(year)) << year;
}

TEST(CommonModule, FloatModGivesTheFractionWithoutRoundingNoise) {
  EXPECT_DOUBLE_EQ(CommonModule::FloatMod(123.45, 1), 0.45);
  EXPECT_EQ(CommonModule::FloatMod(123.45, 1), 0.45);
  EXPECT_EQ(CommonModule::FloatMod(-12.5, 1), -0.5);
  EXPECT_EQ(CommonModule::FloatMod(7, 1), 0);
  EXPECT_EQ(CommonModule::FloatMod(7, 0), 0);
  EXPECT_EQ(CommonModule::FloatMod(10, 3), 1);
  EXPECT_EQ(CommonModule::FloatMod(1.5e-7, 1), 1.5e-7);
}

TEST(CommonModule, TranslateCharsMapsDropsAndKeeps) {
  EXPECT_EQ(CommonModule::TranslateChars(u"(999) 999-9999", u"XASN9#", u"      "), u"(   )    -    ");
  EXPECT_EQ(CommonModule::TranslateChars(u"AA-99", u"XASN9#", u""), u"-");
  EXPECT_EQ(CommonModule::TranslateChars(u"aA", u"A", u"b"), u"ab");
}

}  // namespace
}  // namespace kestrow::testing
