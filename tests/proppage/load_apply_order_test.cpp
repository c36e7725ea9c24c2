// Where a control's stored formats are selected on loading, and which settings an apply writes,
// in which order, to which of the selected controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_fixture.h"

namespace kestrow::testing {
namespace {

using Names = std::vector<std::string>;
using host::Variant;

struct LoadRow {
  std::int16_t data_type;
  std::int16_t input_format;
  std::int16_t display_format;
  const char* input_shown;  // empty: no selection
  const char* display_shown;
};
void PrintTo(const LoadRow& row, std::ostream* os) {
  *os << row.data_type << "/" << row.input_format << "/" << row.display_format;
}

class LoadPositions : public PageTest, public ::testing::WithParamInterface<LoadRow> {};

TEST_P(LoadPositions, SelectTheStoredFormatsWithoutMarkingThePageChanged) {
  const LoadRow& row = GetParam();
  Stored(First(), {{"DataType", Variant::Integer(row.data_type)},
                   {"InputFormat", Variant::Integer(row.input_format)},
                   {"DisplayFormat", Variant::Integer(row.display_format)}});
  Open();
  EXPECT_EQ(List("cmbDataType").ListIndex(), row.data_type);
  EXPECT_EQ(Selected("cmbInputFormat"), row.input_shown);
  EXPECT_EQ(Selected("cmbDisplayFormat"), row.display_shown);
  EXPECT_EQ(Text("txtMask"), Str(First(), "Mask")) << "the control's own mask replaces any proposal";
  EXPECT_FALSE(Changed());
}

INSTANTIATE_TEST_SUITE_P(Stored, LoadPositions,
                         ::testing::Values(LoadRow{0, 0, 0, "(Custom Format)", "(None)"},
                                           LoadRow{0, 4, 2, "N - Alphabets, Digits & Space", "L - Lower Case"},
                                           LoadRow{0, 5, 3, "9 - Digits", "P - Proper Case"},
                                           LoadRow{0, 6, 1, "# - Digits, Space & Signs", "! - Upper Case"},
                                           LoadRow{1, 5, 4, "9 - Digits", "C - Display Cr after +ve Value"},
                                           LoadRow{1, 7, 5, "# - Digits & Signs", "( - Enclose -ve Value in Bracket"},
                                           LoadRow{1, 8, 0, ", - Amount in Thousands Format", "(None)"},
                                           LoadRow{1, 9, 0, "M - Amount in Million Format", "(None)"},
                                           LoadRow{2, 10, 7, "A - MM/DD/YYYY (American)", "- > DD-MM-YYYY"},
                                           LoadRow{2, 11, 6, "B - DD/MM/YYYY (British)", "/ > DD/MM/YYYY"},
                                           LoadRow{2, 12, 8, "J - YYYY/MM/DD (Japan)", ". > DD.MM.YYYY"},
                                           LoadRow{3, 0, 0, "(Custom Format)", "(None)"},
                                           LoadRow{3, 13, 0, "* - Password Format", "(None)"},
                                           LoadRow{4, 14, 0, "T - True, False Format", "(None)"},
                                           LoadRow{4, 15, 0, "Y - Yes, No Format", "(None)"},
                                           // Formats the data type does not offer.
                                           LoadRow{1, 6, 3, "", ""}, LoadRow{2, 5, 6, "", "/ > DD/MM/YYYY"},
                                           LoadRow{3, 5, 2, "", ""}, LoadRow{4, 3, 0, "", "(None)"},
                                           LoadRow{2, 16, 9, "", ""}));

TEST_F(PageTest, AFormatWithoutASelectionIsNotWrittenBack) {
  Stored(First(), {{"DataType", Variant::Integer(1)}, {"InputFormat", Variant::Integer(6)}});
  Open();
  ASSERT_EQ(List("cmbInputFormat").ListIndex(), -1);
  WriteLog log(First());
  Frame().Select({&log});
  Frame().Apply();
  EXPECT_EQ(log.names, (Names{"DisplayFormat", "Length"}));
}

struct ApplyRow {
  const char16_t* data_type;
  const char16_t* input_format;
  const char16_t* decimals;  // typed when not empty
  const char16_t* pad_char;  // typed when not empty
  Names written;
};
void PrintTo(const ApplyRow& row, std::ostream* os) {
  *os << host::ToUtf8(row.data_type) << " / " << host::ToUtf8(row.input_format);
}

class ApplyOrder : public PageTest, public ::testing::WithParamInterface<ApplyRow> {};

TEST_P(ApplyOrder, WritesOnlyWhatTheFormatTakesInTheFixedOrder) {
  const ApplyRow& row = GetParam();
  WriteLog log(First());
  Frame().Select({&log});
  Choose(row.data_type, row.input_format);
  if (*row.decimals) Retype("txtDecPlaces", row.decimals);
  if (*row.pad_char) Retype("txtPadChar", row.pad_char);
  Frame().Leave();
  Messages();
  Frame().Apply();
  EXPECT_EQ(log.names, row.written);
  EXPECT_TRUE(Messages().empty()) << "the control took every setting";
  EXPECT_TRUE(Changed()) << "applying leaves the flag to the container";
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ApplyOrder,
    ::testing::Values(
        ApplyRow{u"0 - AlphaNumeric", u"A - Only Alphabets", u"", u"", {"InputFormat", "DisplayFormat", "Length"}},
        ApplyRow{u"0 - AlphaNumeric",
                 u"A - Only Alphabets",
                 u"",
                 u"_",
                 {"InputFormat", "DisplayFormat", "Length", "PadChar"}},
        ApplyRow{u"0 - AlphaNumeric", u"(Custom Format)", u"", u"", {"InputFormat", "DisplayFormat", "Mask"}},
        ApplyRow{u"1 - Numeric",
                 u"9 - Digits",
                 u"2",
                 u"",
                 {"DataType", "InputFormat", "DisplayFormat", "Length", "DecimalPlaces"}},
        ApplyRow{
            u"1 - Numeric", u"# - Digits & Signs", u"0", u"", {"DataType", "InputFormat", "DisplayFormat", "Length"}},
        ApplyRow{u"1 - Numeric", u"(Custom Format)", u"2", u"", {"DataType", "InputFormat", "DisplayFormat", "Mask"}},
        ApplyRow{u"2 - Date", u"J - YYYY/MM/DD (Japan)", u"", u"", {"DataType", "InputFormat", "DisplayFormat"}},
        ApplyRow{u"4 - Logical", u"T - True, False Format", u"", u"", {"DataType", "InputFormat", "DisplayFormat"}},
        ApplyRow{
            u"3 - Password", u"* - Password Format", u"", u"", {"DataType", "InputFormat", "DisplayFormat", "Length"}},
        ApplyRow{u"3 - Password",
                 u"(Custom Format)",
                 u"",
                 u"#",
                 {"DataType", "InputFormat", "DisplayFormat", "Length", "PadChar"}}));

TEST_F(PageTest, ApplyWritesFormatsAsIntegersLengthsAsNumbersAndTextsAsStrings) {
  WriteLog log(First());
  Frame().Select({&log});
  Pick("cmbDataType", u"1 - Numeric");
  Retype("txtLength", u"12");
  Retype("txtDecPlaces", u"3");
  Retype("txtPadChar", u"0");
  Frame().Apply();
  ASSERT_EQ(log.names, (Names{"DataType", "InputFormat", "DisplayFormat", "Length", "DecimalPlaces", "PadChar"}));
  const std::vector<Variant> want{Variant::Integer(1), Variant::Integer(5), Variant::Integer(0),
                                  Variant::Double(12), Variant::Double(3),  Variant::String(u"0")};
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(log.values[i].Type(), want[i].Type()) << log.names[i];
    EXPECT_EQ(host::ToText(log.values[i]), host::ToText(want[i])) << log.names[i];
  }
  EXPECT_EQ(Whole(First(), "Length"), 12);
  EXPECT_EQ(Whole(First(), "DecimalPlaces"), 3);
}

TEST_F(PageTest, ARefusedSettingIsReportedByTheControlAndTheRestIsStillWritten) {
  Put(First(), "DataType", Variant::Integer(1));
  Put(First(), "DecimalPlaces", Variant::Integer(2));
  WriteLog log(First());
  Frame().Select({&log});
  Retype("txtDecPlaces", u"0");  // not written: zero decimals are never applied
  Retype("txtLength", u"3");     // so the control judges 3 against its own 2 decimals
  Retype("txtPadChar", u"_");
  Messages();
  Frame().Apply();
  EXPECT_EQ(log.names, (Names{"InputFormat", "DisplayFormat", "Length", "PadChar"}));
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Invalid Property Value|16|Valid Text Box"}));
  EXPECT_EQ(Whole(First(), "Length"), 10);
  EXPECT_EQ(Whole(First(), "DecimalPlaces"), 2);
  EXPECT_EQ(Str(First(), "PadChar"), "_");
}

TEST_F(PageTest, WithTwoSelectedTheFirstIsShownAndAloneChanged) {
  Put(First(), "DataType", Variant::Integer(1));
  Put(First(), "InputFormat", Variant::Integer(8));
  Put(Second(), "DataType", Variant::Integer(2));
  OpenOnBoth();
  EXPECT_EQ(Selected("cmbInputFormat"), ", - Amount in Thousands Format");
  Pick("cmbDisplayFormat", u"C - Display Cr after +ve Value");
  Frame().Apply();
  EXPECT_EQ(Whole(First(), "DisplayFormat"), 4);
  EXPECT_EQ(Whole(Second(), "DataType"), 2);
  EXPECT_EQ(Whole(Second(), "DisplayFormat"), 6);
}

TEST_F(PageTest, AnotherControlOfTheSameTypeMovesTheSelectionsAndStartsUnchanged) {
  Put(First(), "DataType", Variant::Integer(1));
  Put(First(), "InputFormat", Variant::Integer(7));
  Put(Second(), "DataType", Variant::Integer(1));
  Put(Second(), "InputFormat", Variant::Integer(0));
  Open();
  Pick("cmbDisplayFormat", u"C - Display Cr after +ve Value");
  ASSERT_TRUE(Changed());
  Frame().Select({&Second()});
  EXPECT_FALSE(Changed());
  EXPECT_EQ(Selected("cmbInputFormat"), "(Custom Format)");
  EXPECT_EQ(Selected("cmbDisplayFormat"), "(None)");
  EXPECT_FALSE(List("cmbDisplayFormat").Enabled());
  EXPECT_TRUE(Field("txtMask").Enabled());
  EXPECT_EQ(Text("txtMask"), Str(Second(), "Mask"));
}

struct Numbers {
  std::int16_t length;
  std::int16_t decimals;
};

// The length is checked against the decimals the page showed for the control before.
TEST_F(PageTest, LengthAndDecimalsOfTheNextControlAreShownWhateverThePreviousOnesWere) {
  for (const auto& [before, after] : std::vector<std::pair<Numbers, Numbers>>{
           {{10, 5}, {4, 2}}, {{4, 2}, {10, 5}}, {{20, 16}, {3, 1}}, {{3, 1}, {20, 16}}}) {
    SCOPED_TRACE(std::to_string(before.length) + "," + std::to_string(before.decimals) + " then " +
                 std::to_string(after.length) + "," + std::to_string(after.decimals));
    for (auto [text, numbers] : {std::pair{&First(), before}, std::pair{&Second(), after}}) {
      Put(*text, "DataType", Variant::Integer(1));
      Put(*text, "DecimalPlaces", Variant::Integer(0));
      Put(*text, "Length", Variant::Integer(numbers.length));
      Put(*text, "DecimalPlaces", Variant::Integer(numbers.decimals));
    }
    Open();
    Frame().Select({&Second()});
    EXPECT_EQ(Text("txtLength"), std::to_string(after.length));
    EXPECT_EQ(Text("txtDecPlaces"), std::to_string(after.decimals));
    EXPECT_EQ(Text("txtMask"), Str(Second(), "Mask"));
    EXPECT_FALSE(Changed());
  }
}

}  // namespace
}  // namespace kestrow::testing
