// The page's four fields: the digits-only keys, the checks on a typed length or number of decimal
// places, the padding character, and the length a custom mask amounts to when it is left.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_fixture.h"

namespace kestrow::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string kTooManyDecimals =
    "Only 16 Decimal Places Allowed\r\n\r\n(Only 16 Decimals Allowed)|16|Valid Text Box";
const std::string kEmptyMask = "Mask Can Not be Empty|16|Valid Text Box";
const std::string kNoSpace = "No Space to Take Input|16|Valid Text Box";

TEST_F(PageTest, TheNumericFieldsTakeOnlyDigitsAndTheEditingKeys) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  for (const std::string_view field : {"txtLength", "txtDecPlaces"}) {
    for (int code = 0; code < 128; ++code) {
      const bool passes = (code >= '0' && code <= '9') || code == 8 || code == 9 || code == 13;
      auto key = static_cast<std::int16_t>(code);
      Field(field).EventHandler()->KeyPress(key);
      EXPECT_EQ(key, passes ? code : 0) << field << " key " << code;
    }
  }
  Retype("txtLength", u"a-.");
  EXPECT_EQ(Text("txtLength"), "10");
}

struct LengthRow {
  const char16_t* data_type;
  const char16_t* decimals;  // typed first when not empty
  const char16_t* typed;     // over a length of 8, one key at a time
  const char* length;
  std::string mask;
};
void PrintTo(const LengthRow& row, std::ostream* os) {
  *os << host::ToUtf8(row.data_type) << " typed " << host::ToUtf8(row.typed);
}

class LengthChecks : public PageTest, public ::testing::WithParamInterface<LengthRow> {};

TEST_P(LengthChecks, ATypedLengthIsAcceptedOrRestored) {
  const LengthRow& row = GetParam();
  Open();
  if (std::u16string_view(row.data_type) != u"0 - AlphaNumeric") Pick("cmbDataType", row.data_type);
  Retype("txtLength", u"8");
  if (*row.decimals) Retype("txtDecPlaces", row.decimals);
  Retype("txtLength", row.typed);
  EXPECT_EQ(Text("txtLength"), row.length);
  EXPECT_EQ(Text("txtMask"), row.mask);
  EXPECT_EQ(Focused(), "txtLength");
  EXPECT_TRUE(Messages().empty());
}

// Each key is judged as it is typed, so a refused last key restores what the keys before it set.
INSTANTIATE_TEST_SUITE_P(
    Keys, LengthChecks,
    ::testing::Values(
        LengthRow{u"0 - AlphaNumeric", u"", u"0", "8", std::string(8, 'X')},
        LengthRow{u"0 - AlphaNumeric", u"", u"21", "21", std::string(21, 'X')},
        LengthRow{u"0 - AlphaNumeric", u"", u"300", "300", std::string(300, 'X')},
        LengthRow{u"0 - AlphaNumeric", u"", u"32767", "32767", std::string(32767, 'X')},
        LengthRow{u"0 - AlphaNumeric", u"", u"32768", "3276", std::string(3276, 'X')},
        LengthRow{u"1 - Numeric", u"", u"20", "20", std::string(20, '9')},
        LengthRow{u"1 - Numeric", u"", u"21", "2", "99"}, LengthRow{u"1 - Numeric", u"2", u"3", "8", "99999.99"},
        LengthRow{u"1 - Numeric", u"2", u"4", "4", "9.99"}, LengthRow{u"2 - Date", u"", u"7", "10", "DD/MM/YYYY"},
        // "1" is replaced by "10" with the caret in front, and "010" is worth 10.
        LengthRow{u"2 - Date", u"", u"10", "010", "DD/MM/YYYY"}, LengthRow{u"4 - Logical", u"", u"9", "5", "Yes or No"},
        LengthRow{u"3 - Password", u"", u"3", "3", "***"}));

TEST_F(PageTest, ALeadingZeroIsDroppedFromALength) {
  Open();
  Retype("txtLength", u"8");
  Frame().PressKey("HOME", 0);
  Frame().Type(u"0");
  EXPECT_EQ(Text("txtLength"), "8");
}

TEST_F(PageTest, AnEmptiedLengthGoesBackToTheLastOneShown) {
  Open();
  // The loaded length counts as accepted even when the field already showed it.
  Erase("txtLength");
  EXPECT_EQ(Text("txtLength"), "10");
  Retype("txtLength", u"12");
  Erase("txtLength");
  EXPECT_EQ(Text("txtLength"), "12");
  EXPECT_EQ(Focused(), "txtLength");
}

// The restored text goes through the same check, which accepts it as a change of its own.
TEST_F(PageTest, ARefusedLengthOrDecimalsMarksThePageChangedByItsRestoring) {
  Open();
  Retype("txtLength", u"0");
  EXPECT_EQ(Text("txtLength"), "10");
  EXPECT_TRUE(Changed());
  Pick("cmbDataType", u"1 - Numeric");
  Frame().Site().SetChanged(false);
  Retype("txtDecPlaces", u"9");
  EXPECT_EQ(Text("txtDecPlaces"), "0");
  EXPECT_TRUE(Changed());
}

TEST_F(PageTest, DateAndLogicalLengthsAreFixedAndNoChange) {
  Open();
  Pick("cmbDataType", u"2 - Date");
  Frame().Site().SetChanged(false);
  Retype("txtLength", u"7");
  EXPECT_EQ(Text("txtLength"), "10");
  EXPECT_FALSE(Changed());
}

struct DecimalsRow {
  const char16_t* length;
  const char16_t* typed;
  const char16_t* typed_at_end;  // after End, so the selection made by the first key is not replaced
  const char* decimals;
  std::string mask;
  Lines messages;
};
void PrintTo(const DecimalsRow& row, std::ostream* os) {
  *os << "length " << host::ToUtf8(row.length) << " decimals " << host::ToUtf8(row.typed)
      << host::ToUtf8(row.typed_at_end);
}

class DecimalsChecks : public PageTest, public ::testing::WithParamInterface<DecimalsRow> {};

TEST_P(DecimalsChecks, TypedDecimalsAreAcceptedOrRestored) {
  const DecimalsRow& row = GetParam();
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  Retype("txtLength", row.length);
  Messages();
  Retype("txtDecPlaces", row.typed);
  if (*row.typed_at_end) {
    Frame().PressKey("END", 0);
    Frame().Type(row.typed_at_end);
  }
  EXPECT_EQ(Text("txtDecPlaces"), row.decimals);
  EXPECT_EQ(Text("txtMask"), row.mask);
  EXPECT_EQ(Messages(), row.messages);
  EXPECT_EQ(Field("txtDecPlaces").SelStart(), 0);
  EXPECT_EQ(Field("txtDecPlaces").SelLength(), static_cast<std::int32_t>(Text("txtDecPlaces").size()));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DecimalsChecks,
    ::testing::Values(DecimalsRow{u"10", u"9", u"", "0", "9999999999", {}},
                      DecimalsRow{u"10", u"8", u"", "8", "9.99999999", {}},
                      // A second key replaces the first, which the check selected.
                      DecimalsRow{u"10", u"12", u"", "2", "9999999.99", {}},
                      DecimalsRow{u"10", u"1", u"7", "1", "99999999.9", {}},
                      DecimalsRow{u"20", u"1", u"6", "16", "999." + std::string(16, '9'), {}},
                      DecimalsRow{u"20", u"1", u"7", "1", std::string(18, '9') + ".9", {kTooManyDecimals}}));

TEST_F(PageTest, EmptiedDecimalsBecomeZero) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  Retype("txtDecPlaces", u"2");
  Erase("txtDecPlaces");
  EXPECT_EQ(Text("txtDecPlaces"), "0");
  EXPECT_EQ(Text("txtMask"), "9999999999");
}

TEST_F(PageTest, EachFieldSelectsItsTextOnEntryAndThePaddingCharacterAfterAChange) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  Pick("cmbInputFormat", u"(Custom Format)");
  Retype("txtPadChar", u"_");
  for (const std::string_view field : {"txtLength", "txtDecPlaces", "txtMask", "txtPadChar"}) {
    Frame().Focus(field);
    EXPECT_EQ(Field(field).SelStart(), 0) << field;
    EXPECT_EQ(Field(field).SelLength(), static_cast<std::int32_t>(Field(field).Text().size())) << field;
  }
  Frame().Type(u"-");
  EXPECT_EQ(Text("txtPadChar"), "-");
  EXPECT_EQ(Field("txtPadChar").SelLength(), 1);
  EXPECT_TRUE(Changed());
}

// --- A custom mask left ------------------------------------------------------------------------

struct MaskRow {
  const char16_t* data_type;
  const char16_t* typed;
  const char* mask;  // afterwards
  const char* length;
  const char* decimals;
  Lines messages;
};
void PrintTo(const MaskRow& row, std::ostream* os) {
  *os << host::ToUtf8(row.data_type) << " mask " << host::ToUtf8(row.typed);
}

class MaskLeft : public PageTest, public ::testing::WithParamInterface<MaskRow> {};

TEST_P(MaskLeft, SetsTheLengthAndDecimalsItHasRoomFor) {
  const MaskRow& row = GetParam();
  Open();
  if (std::u16string_view(row.data_type) != u"0 - AlphaNumeric") Pick("cmbDataType", row.data_type);
  Pick("cmbInputFormat", u"(Custom Format)");
  Retype("txtLength", u"8");
  if (*row.typed) {
    Retype("txtMask", row.typed);
  } else {
    Erase("txtMask");
  }
  Messages();
  Frame().Leave();
  EXPECT_EQ(Text("txtMask"), row.mask);
  EXPECT_EQ(Text("txtLength"), row.length);
  EXPECT_EQ(Text("txtDecPlaces"), row.decimals);
  EXPECT_EQ(Messages(), row.messages);
  EXPECT_EQ(Focused(), row.messages.empty() ? "" : "txtMask");
}

INSTANTIATE_TEST_SUITE_P(Masks, MaskLeft,
                         ::testing::Values(MaskRow{u"1 - Numeric", u".99", "9.99", "4", "2", {}},
                                           MaskRow{u"1 - Numeric", u"999.", "999", "3", "0", {}},
                                           MaskRow{u"1 - Numeric", u"9.9.9", "9.99", "4", "2", {}},
                                           MaskRow{u"1 - Numeric", u"ab.9", "9ab.9", "3", "1", {}},
                                           MaskRow{u"1 - Numeric", u"#,##9.99", "#,##9.99", "7", "2", {}},
                                           MaskRow{u"1 - Numeric", u"$.99", "9$.99", "4", "2", {}},
                                           MaskRow{u"1 - Numeric", u".", "9", "1", "0", {}},
                                           MaskRow{u"1 - Numeric", u"-.", "-", "8", "0", {kNoSpace}},
                                           MaskRow{u"1 - Numeric", u"--", "--", "8", "0", {kNoSpace}},
                                           MaskRow{u"1 - Numeric", u"", "", "8", "0", {kEmptyMask}},
                                           MaskRow{
                                               u"0 - AlphaNumeric", u"(XXX) 999-9999", "(XXX) 999-9999", "10", "0", {}},
                                           MaskRow{u"0 - AlphaNumeric", u"A-S-N#.", "A-S-N#.", "4", "0", {}},
                                           MaskRow{u"0 - AlphaNumeric", u"xasn", "xasn", "8", "0", {kNoSpace}},
                                           MaskRow{u"0 - AlphaNumeric", u"--", "--", "8", "0", {kNoSpace}},
                                           MaskRow{u"0 - AlphaNumeric", u"", "", "8", "0", {kEmptyMask}}));

TEST_F(PageTest, ARefusedMaskTakesTheFocusBackFromWhereverItWent) {
  Open();
  Pick("cmbInputFormat", u"(Custom Format)");
  Retype("txtMask", u"--");
  Frame().PressKey("TAB", 0);
  EXPECT_EQ(Messages(), Lines{kNoSpace});
  EXPECT_EQ(Focused(), "txtMask");
  Erase("txtMask");
  Pick("cmbDisplayFormat", u"! - Upper Case");
  EXPECT_EQ(Messages(), Lines{kEmptyMask});
  EXPECT_EQ(Focused(), "txtMask");
  EXPECT_EQ(Selected("cmbDisplayFormat"), "! - Upper Case");
}

TEST_F(PageTest, ANumericMaskOfMoreThanTwentyDigitsLeavesTheLengthAndTakesTheFocusThere) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  Pick("cmbInputFormat", u"(Custom Format)");
  Retype("txtLength", u"12");
  Retype("txtMask", std::u16string(25, u'9'));
  Frame().Leave();
  EXPECT_EQ(Text("txtLength"), "12");
  EXPECT_EQ(Focused(), "txtLength");
}

TEST_F(PageTest, APasswordOrPredefinedMaskIsNotCheckedWhenLeft) {
  Open();
  Pick("cmbInputFormat", u"(Custom Format)");  // the mask field stays enabled for a password
  Pick("cmbDataType", u"3 - Password");
  Pick("cmbInputFormat", u"(Custom Format)");
  Erase("txtMask");
  Frame().Leave();
  Pick("cmbInputFormat", u"* - Password Format");
  Erase("txtMask");
  Frame().Leave();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text("txtLength"), "10");
}

}  // namespace
}  // namespace kestrow::testing
