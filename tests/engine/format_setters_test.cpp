#include <algorithm>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

const std::string kInvalid = "msgbox Invalid Property Value|16|Valid Text Box";
const std::string kReadOnly = "msgbox Property is Read Only|16|Valid Text Box";

class FormatSetters : public FieldTest {
 protected:
  // Runs a setter that must be refused: returns its message, and checks nothing else changed.
  std::string Refused(const std::function<void()>& set) {
    ClearLog();
    const FormatMembers before = Field().Settings();
    const std::u16string text = Box().Text();
    set();
    const auto log = Log();
    EXPECT_EQ(log.size(), 1u) << "a refusal shows one message and reports nothing";
    const FormatMembers& after = Field().Settings();
    EXPECT_EQ(after.m_Mask, before.m_Mask);
    EXPECT_EQ(after.m_Length, before.m_Length);
    EXPECT_EQ(after.m_DecimalPlaces, before.m_DecimalPlaces);
    EXPECT_EQ(after.m_InputFormat, before.m_InputFormat);
    EXPECT_EQ(after.m_DisplayFormat, before.m_DisplayFormat);
    EXPECT_EQ(after.m_PadChar, before.m_PadChar);
    EXPECT_EQ(after.m_Value, before.m_Value);
    EXPECT_EQ(Box().Text(), text);
    return log.empty() ? "" : log.front();
  }
};

TEST_F(FormatSetters, DataTypeChangeResetsAndReportsInItsOrder) {
  struct Row {
    std::int32_t type;
    std::vector<std::string> reports;
  };
  // The alignment reports itself when it is set, before the setter's own reports.
  const Row rows[] = {
      {dtNumeric,
       {"Alignment", "InputFormat", "PadChar", "DisplayFormat", "Value", "Alignment", "DataType", "Mask", "Text"}},
      {dtDate,
       {"Alignment", "InputFormat", "PadChar", "Length", "DecimalPlaces", "DisplayFormat", "Value", "Alignment",
        "DataType", "Mask", "Text"}},
      {dtPassword,
       {"Alignment", "InputFormat", "PadChar", "DecimalPlaces", "DisplayFormat", "Value", "Alignment", "DataType",
        "Mask", "Text"}},
      {dtLogical,
       {"Alignment", "InputFormat", "PadChar", "DecimalPlaces", "DisplayFormat", "Value", "Alignment", "Length",
        "DataType", "Mask", "Text"}},
      {dtAlphaNumeric,
       {"Alignment", "Alignment", "InputFormat", "PadChar", "DecimalPlaces", "DisplayFormat", "Value", "DataType",
        "Mask", "Text"}},
  };
  for (const Row& row : rows) {
    ClearLog();
    Field().SetDataType(row.type);
    EXPECT_EQ(Reports(), row.reports) << row.type;
  }
}

TEST_F(FormatSetters, DataTypeDefaults) {
  MakeNumeric(12, 2, dtThousandsFormat);
  Field().SetDataType(dtPassword);
  EXPECT_EQ(Field().DecimalPlaces(), 0);
  EXPECT_EQ(Field().Length(), 12);
  EXPECT_EQ(Field().PadChar(), u"*");
  EXPECT_EQ(Box().PasswordChar(), u"*");
  Field().SetDataType(dtDate);
  EXPECT_EQ(Field().InputFormat(), dtBritishDate);
  EXPECT_EQ(Field().DisplayFormat(), dtSlashSeparator);
  EXPECT_EQ(Box().PasswordChar(), u"");
  EXPECT_EQ(BoxText(), "07/12/2026");
  Field().SetDataType(dtNumeric);
  EXPECT_EQ(Field().Length(), 10);
  EXPECT_EQ(Field().Alignment(), 1);
  EXPECT_EQ(Field().Value(), Variant::Integer(0));
  Field().SetDataType(dtLogical);
  EXPECT_EQ(Field().Length(), 5);
  EXPECT_EQ(Field().Alignment(), 0);
}

// A length the new type cannot hold would lose what is typed: 400 places of text switched to a
// number took 400 digits that overflowed on leaving, and the value stayed 0.
TEST_F(FormatSetters, DataTypeChangeBringsTheLengthIntoTheNewTypesBounds) {
  Field().SetLength(400);
  ClearLog();
  Field().SetDataType(dtNumeric);
  EXPECT_EQ(Field().Length(), 20);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"Alignment", "InputFormat", "PadChar", "DisplayFormat", "Value",
                                                 "Alignment", "Length", "DataType", "Mask", "Text"}));
  Focus();
  Type(std::u16string(400, u'7'));
  Blur();
  EXPECT_EQ(Field().Value(), Variant::Double(77777777777777777777.0));

  // A length that fits is kept and not reported.
  Field().SetDataType(dtAlphaNumeric);
  Field().SetLength(20);
  ClearLog();
  Field().SetDataType(dtNumeric);
  EXPECT_EQ(Field().Length(), 20);
  EXPECT_EQ(std::ranges::count(Reports(), "Length"), 0);
}

TEST_F(FormatSetters, CustomMaskOfManyPlacesKeepsItsLengthWhenSwitchedToANumber) {
  Field().SetInputFormat(dtCustomFormat);
  Field().SetMask(std::u16string(30, u'X'));
  Field().SetDataType(dtNumeric);  // the number takes its own format, and with it the 20 digits
  EXPECT_EQ(Field().InputFormat(), dtDigits);
  EXPECT_EQ(Field().Length(), 20);
  Field().SetInputFormat(dtCustomFormat);
  Field().SetMask(std::u16string(25, u'9'));  // a mask is not held to 20 digits
  EXPECT_EQ(Field().Length(), 25);
}

TEST_F(FormatSetters, SameDataTypeChangesNothing) {
  Field().SetValue(Variant::String(u"keep"));
  ClearLog();
  Field().SetDataType(dtAlphaNumeric);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Field().Value(), Variant::String(u"keep"));
}

TEST_F(FormatSetters, DataTypeOutOfRangeHasNoCaption) {
  for (std::int32_t type : {5, -1, 70000}) {
    EXPECT_EQ(Refused([&] { Field().SetDataType(type); }), "msgbox Invalid Property Value|0|(none)");
  }
}

TEST_F(FormatSetters, InputFormatMustFitTheDataType) {
  EXPECT_EQ(Refused([&] { Field().SetInputFormat(dtThousandsFormat); }), kInvalid);
  Field().SetDataType(dtDate);
  EXPECT_EQ(Refused([&] { Field().SetInputFormat(dtAlphaDigitSpaceSymbol); }), kInvalid);

  MakeNumeric(10, 2, dtDigitsSigns);
  Field().SetDisplayFormat(dtAccountsFormat1);
  ClearLog();
  Field().SetInputFormat(dtCustomFormat);
  EXPECT_EQ(Field().DisplayFormat(), dtNone);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"DisplayFormat", "InputFormat", "Mask", "Text"}));
  EXPECT_EQ(Show(Field().Mask()), "#999999.99");  // the current mask becomes the custom one
}

TEST_F(FormatSetters, StarFormatSetsThePaddingCharacter) {
  Field().SetDataType(dtPassword);
  Field().SetInputFormat(dtCustomFormat);
  Field().SetPadChar(u"#");
  EXPECT_EQ(Box().PasswordChar(), u"#");
  EXPECT_EQ(Field().Mask(), u"##########");
  ClearLog();
  Field().SetInputFormat(dtStarFormat);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"PadChar", "InputFormat", "Mask", "Text"}));
  EXPECT_EQ(Box().PasswordChar(), u"*");
}

TEST_F(FormatSetters, DisplayFormats) {
  EXPECT_EQ(Refused([&] { Field().SetDisplayFormat(dtAccountsFormat1); }), kInvalid);
  ClearLog();
  Field().SetDisplayFormat(dtProperCase);
  EXPECT_EQ(Reports(), std::vector<std::string>{"DisplayFormat"});  // no rebuild for text

  MakeNumeric(8, 0, dtDigits);
  Field().SetInputFormat(dtCustomFormat);
  EXPECT_EQ(Refused([&] { Field().SetDisplayFormat(dtAccountsFormat1); }), kInvalid);
  ClearLog();
  Field().SetDisplayFormat(dtNone);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"DisplayFormat", "Mask", "Text"}));
}

TEST_F(FormatSetters, PadChar) {
  Field().SetPadChar(u"abc");
  EXPECT_EQ(Field().PadChar(), u"a");
  Field().SetPadChar(u"");
  EXPECT_EQ(Field().PadChar(), u"");
  Field().SetDataType(dtDate);
  EXPECT_EQ(Refused([&] { Field().SetPadChar(u"_"); }), kReadOnly);
  Field().SetDataType(dtLogical);
  EXPECT_EQ(Refused([&] { Field().SetPadChar(u"_"); }), kReadOnly);
  Field().SetDataType(dtPassword);
  EXPECT_EQ(Refused([&] { Field().SetPadChar(u"_"); }), kReadOnly);
  Field().SetInputFormat(dtCustomFormat);
  EXPECT_EQ(Refused([&] { Field().SetPadChar(u""); }), kInvalid);
}

TEST_F(FormatSetters, MaskExamples) {
  struct Row {
    bool numeric;
    const char* given;
    const char* stored;
    std::int16_t length;
    std::int16_t decimals;
  };
  const Row rows[] = {
      {false, "(999)·999-9999", "(999)·999-9999", 10, 0},
      {true, "###,##9.99", "###,##9.99", 9, 2},
      {true, ".99", "9.99", 4, 2},
      {true, "99.9.9", "99.99", 5, 2},
      {true, "999.", "999", 3, 0},
      {true, "$.99", "9$.99", 4, 2},
  };
  for (const Row& row : rows) {
    Field().SetDataType(row.numeric ? dtNumeric : dtAlphaNumeric);
    Field().SetInputFormat(dtCustomFormat);
    ClearLog();
    Field().SetMask(Dots(row.given));
    EXPECT_EQ(Show(Field().Mask()), Show(Dots(row.stored))) << row.given;
    EXPECT_EQ(Field().Length(), row.length) << row.given;
    EXPECT_EQ(Field().DecimalPlaces(), row.decimals) << row.given;
    EXPECT_EQ(Reports(), (std::vector<std::string>{"Length", "DecimalPlaces", "Mask", "Mask", "Text"})) << row.given;
  }
}

TEST_F(FormatSetters, MaskRefusals) {
  EXPECT_EQ(Refused([&] { Field().SetMask(u"999"); }), kReadOnly);  // not custom
  Field().SetInputFormat(dtCustomFormat);
  EXPECT_EQ(Refused([&] { Field().SetMask(u""); }), kInvalid);
  EXPECT_EQ(Refused([&] { Field().SetMask(u"---"); }),
            "msgbox Invalid Property Value,\r\nNo Space to Input Data|16|Valid Text Box");
  Field().SetDataType(dtPassword);
  Field().SetInputFormat(dtCustomFormat);
  EXPECT_EQ(Refused([&] { Field().SetMask(u"XX"); }), kReadOnly);
}

TEST_F(FormatSetters, LengthChecksInOrder) {
  EXPECT_EQ(Refused([&] { Field().SetLength(0); }), kInvalid);
  MakeNumeric(10, 2, dtDigits);
  EXPECT_EQ(Refused([&] { Field().SetLength(3); }), kInvalid);  // below decimals + 2
  EXPECT_EQ(Refused([&] { Field().SetLength(21); }),
            "msgbox Invalid Property Value\r\n\r\n(Only 20 Digits Allowed)|16|Valid Text Box");
  EXPECT_EQ(Refused([&] { Field().SetLength(25); }),
            "msgbox Invalid Property Value\r\n\r\n(Only 20 Digits Allowed)|16|Valid Text Box");
  ClearLog();
  Field().SetLength(20);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"Length", "Mask", "Text"}));

  Field().SetDataType(dtDate);
  EXPECT_EQ(Refused([&] { Field().SetLength(9); }), kReadOnly);
  Field().SetLength(10);
  Field().SetDataType(dtLogical);
  EXPECT_EQ(Refused([&] { Field().SetLength(6); }), kReadOnly);

  Field().SetDataType(dtAlphaNumeric);
  MakeCustom("AA-99");
  EXPECT_EQ(Refused([&] { Field().SetLength(4); }), kReadOnly);
  Field().SetDataType(dtPassword);
  Field().SetInputFormat(dtCustomFormat);
  Field().SetLength(4);
  EXPECT_EQ(Field().Mask(), u"****");
}

TEST_F(FormatSetters, DecimalPlacesChecksInOrder) {
  EXPECT_EQ(Refused([&] { Field().SetDecimalPlaces(1); }), kInvalid);
  Field().SetDecimalPlaces(0);
  Field().SetLength(1);
  EXPECT_EQ(Refused([&] { Field().SetDecimalPlaces(0); }), kInvalid);  // 0 + 2 above the length

  MakeNumeric(20, 0, dtDigits);
  EXPECT_EQ(Refused([&] { Field().SetDecimalPlaces(-1); }), kInvalid);
  EXPECT_EQ(Refused([&] { Field().SetDecimalPlaces(17); }),
            "msgbox Invalid Property Value\r\n\r\n(Only 16 Decimals Allowed)|16|Valid Text Box");
  Field().SetLength(10);
  EXPECT_EQ(Refused([&] { Field().SetDecimalPlaces(17); }), kInvalid);
  Field().SetDecimalPlaces(2);
  EXPECT_EQ(Show(Field().Mask()), "9999999.99");
}

TEST_F(FormatSetters, AutoTabAndAutoSelectOnlyReport) {
  ClearLog();
  Field().SetAutoTab(false);
  Field().SetAutoSelect(false);
  EXPECT_EQ(Reports(), (std::vector<std::string>{"AutoTab", "AutoSelect"}));
  EXPECT_FALSE(Field().AutoTab());
  EXPECT_FALSE(Field().AutoSelect());
}

TEST_F(FormatSetters, AlignmentNarrowsTo16Bits) {
  try {
    Field().SetAlignment(70000);
    FAIL() << "no error";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), host::errors::kOverflow);
  }
  EXPECT_THROW(Field().SetAlignment(7), host::HostError);  // the box's own range
  ClearLog();
  Field().SetAlignment(2);
  EXPECT_EQ(Reports(), std::vector<std::string>{"Alignment"});
}

}  // namespace
}  // namespace kestrow::testing

namespace kestrow::testing {
namespace {

TEST_F(FormatSetters, MaskWithMoreCodesThanA16BitLengthOverflows) {
  MakeCustom("XX");
  try {
    Field().SetMask(std::u16string(40000, u'X'));
    FAIL() << "no error";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), host::errors::kOverflow);
  }
  EXPECT_EQ(Field().Mask(), u"XX");
  EXPECT_EQ(Field().Length(), 2);
}

}  // namespace
}  // namespace kestrow::testing
