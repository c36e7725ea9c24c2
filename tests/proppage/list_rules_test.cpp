// The three lists: what each data type offers, the fields it sets, and when a pick is a change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_fixture.h"

namespace kestrow::testing {
namespace {

using Names = std::vector<std::string>;

struct DataTypeRow {
  const char16_t* item;
  Names inputs;
  Names displays;
  const char* first_input;
  bool display_enabled;
  const char* pad_text;
  bool pad_enabled;
  bool decimals_shown;
  const char* length;  // after a length of 12 was typed
  std::string mask;
};
void PrintTo(const DataTypeRow& row, std::ostream* os) { *os << host::ToUtf8(row.item); }

class DataTypeRules : public PageTest, public ::testing::WithParamInterface<DataTypeRow> {};

TEST_P(DataTypeRules, ListsFieldsAndProposalFollowTheDataType) {
  const DataTypeRow& row = GetParam();
  // Come from a numeric page with a padding character, a length and decimals of its own (or, for
  // the numeric row, from a password), so that every field the choice resets is seen to reset.
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  Retype("txtPadChar", u"_");
  Retype("txtLength", u"12");
  Retype("txtDecPlaces", u"2");
  if (std::u16string_view(row.item) == u"1 - Numeric") Pick("cmbDataType", u"3 - Password");
  Frame().Site().SetChanged(false);  // as after an apply: only the pick below is a change
  Pick("cmbDataType", row.item);

  EXPECT_TRUE(Changed());
  EXPECT_EQ(Items("cmbInputFormat"), row.inputs);
  EXPECT_EQ(Items("cmbDisplayFormat"), row.displays);
  EXPECT_EQ(Selected("cmbInputFormat"), row.first_input);
  EXPECT_EQ(Selected("cmbDisplayFormat"), row.displays.front());
  EXPECT_EQ(List("cmbDisplayFormat").Enabled(), row.display_enabled);
  EXPECT_EQ(Text("txtPadChar"), row.pad_text);
  EXPECT_EQ(Field("txtPadChar").Enabled(), row.pad_enabled);
  EXPECT_EQ(Field("txtDecPlaces").Visible(), row.decimals_shown);
  EXPECT_EQ(Caption("lblDecPlaces").Visible(), row.decimals_shown);
  EXPECT_EQ(Text("txtDecPlaces"), "0");
  EXPECT_EQ(Text("txtLength"), row.length);
  EXPECT_EQ(Text("txtMask"), row.mask);
}

const Names kPlainDisplay{"(None)"};

INSTANTIATE_TEST_SUITE_P(
    Items, DataTypeRules,
    ::testing::Values(DataTypeRow{u"0 - AlphaNumeric",
                                  {"(Custom Format)", "X - Alpha, Digits, Space & Symbol", "A - Only Alphabets",
                                   "S - Alphabets & Space", "N - Alphabets, Digits & Space", "9 - Digits",
                                   "# - Digits, Space & Signs"},
                                  {"(None)", "! - Upper Case", "L - Lower Case", "P - Proper Case"},
                                  "X - Alpha, Digits, Space & Symbol",
                                  true,
                                  "",
                                  true,
                                  false,
                                  "12",
                                  std::string(12, 'X')},
                      DataTypeRow{u"1 - Numeric",
                                  {"(Custom Format)", "9 - Digits", "# - Digits & Signs",
                                   ", - Amount in Thousands Format", "M - Amount in Million Format"},
                                  {"(None)", "C - Display Cr after +ve Value", "( - Enclose -ve Value in Bracket"},
                                  "9 - Digits",
                                  true,
                                  "",
                                  true,
                                  true,
                                  "12",
                                  std::string(12, '9')},
                      DataTypeRow{u"2 - Date",
                                  {"A - MM/DD/YYYY (American)", "B - DD/MM/YYYY (British)", "J - YYYY/MM/DD (Japan)"},
                                  {"/ > DD/MM/YYYY", "- > DD-MM-YYYY", ". > DD.MM.YYYY"},
                                  "B - DD/MM/YYYY (British)",
                                  true,
                                  "",
                                  false,
                                  false,
                                  "10",
                                  "DD/MM/YYYY"},
                      DataTypeRow{u"3 - Password",
                                  {"(Custom Format)", "* - Password Format"},
                                  kPlainDisplay,
                                  "* - Password Format",
                                  false,
                                  "*",
                                  false,
                                  false,
                                  "12",
                                  std::string(12, '*')},
                      DataTypeRow{u"4 - Logical",
                                  {"T - True, False Format", "Y - Yes, No Format"},
                                  kPlainDisplay,
                                  "Y - Yes, No Format",
                                  false,
                                  "",
                                  false,
                                  false,
                                  "5",
                                  "Yes or No"}));

TEST_F(PageTest, PickingWhatIsAlreadyShownIsNoChange) {
  Put(First(), "DataType", host::Variant::Integer(1));
  Put(First(), "InputFormat", host::Variant::Integer(7));
  Open();
  const std::string mask = Text("txtMask");
  Pick("cmbDataType", u"1 - Numeric");
  Pick("cmbInputFormat", u"# - Digits & Signs");
  Pick("cmbDisplayFormat", u"(None)");
  EXPECT_FALSE(Changed());
  EXPECT_EQ(Selected("cmbInputFormat"), "# - Digits & Signs");
  EXPECT_EQ(Text("txtMask"), mask) << "the control's own mask is not replaced by a proposal";
}

TEST_F(PageTest, ANumericCustomFormatForcesNoDisplayFormatUntilAnotherFormatIsChosen) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  EXPECT_FALSE(Field("txtMask").Enabled());
  Pick("cmbDisplayFormat", u"C - Display Cr after +ve Value");
  Pick("cmbInputFormat", u"(Custom Format)");
  EXPECT_EQ(Selected("cmbDisplayFormat"), "(None)");
  EXPECT_FALSE(List("cmbDisplayFormat").Enabled());
  EXPECT_TRUE(Field("txtMask").Enabled());
  Pick("cmbInputFormat", u"# - Digits & Signs");
  EXPECT_TRUE(List("cmbDisplayFormat").Enabled());
  EXPECT_EQ(Selected("cmbDisplayFormat"), "(None)");
  EXPECT_FALSE(Field("txtMask").Enabled());
}

TEST_F(PageTest, TheMaskFieldKeepsItsStateThroughTypesThatDoNotSetIt) {
  Open();
  Pick("cmbInputFormat", u"(Custom Format)");
  for (const std::u16string_view type : {u"2 - Date", u"3 - Password", u"4 - Logical"}) {
    Pick("cmbDataType", type);
    EXPECT_TRUE(Field("txtMask").Enabled()) << host::ToUtf8(type);
  }
  Pick("cmbDataType", u"0 - AlphaNumeric");  // back to its default, a predefined format
  EXPECT_FALSE(Field("txtMask").Enabled());
  Pick("cmbDataType", u"2 - Date");
  EXPECT_FALSE(Field("txtMask").Enabled());
}

TEST_F(PageTest, TheLayoutIsInTabOrder) {
  struct Place {
    const char* name;
    std::int32_t left, top, width, height;
    const char* caption;  // labels and the frame
  };
  static constexpr Place kPlaces[] = {
      {"lblDataType", 120, 300, 1215, 255, "Data Type"},
      {"cmbDataType", 1560, 240, 3015, 315, nullptr},
      {"cmbInputFormat", 1560, 720, 3015, 315, nullptr},
      {"cmbDisplayFormat", 1560, 1200, 3015, 315, nullptr},
      {"txtPadChar", 1560, 1680, 495, 330, nullptr},
      {"txtLength", 1560, 2160, 855, 330, nullptr},
      {"lblFunction", 120, 780, 1215, 255, "Input Format"},
      {"txtDecPlaces", 4080, 2160, 495, 330, nullptr},
      {"txtMask", 120, 240, 4215, 405, nullptr},
      {"lblLength", 120, 2220, 615, 255, "Length :"},
      {"Frame1", 120, 2520, 4455, 735, "Data Input Mask"},
      {"lblDecPlaces", 2760, 2220, 1095, 255, "Decimal Places"},
      {"lblDisplayFormat", 120, 1260, 1215, 255, "Display Format"},
      {"lblPadChar", 120, 1740, 1335, 255, "Padding Character"},
  };
  const auto controls = Frame().Page().Controls();
  ASSERT_EQ(controls.size(), std::size(kPlaces));
  EXPECT_EQ(host::ToUtf8(std::u16string(Frame().Page().Caption())), "Format");
  EXPECT_EQ(Frame().Page().ClientWidth(), 4710);
  EXPECT_EQ(Frame().Page().ClientHeight(), 3495);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Place& want = kPlaces[i];
    SCOPED_TRACE(want.name);
    ASSERT_EQ(controls[i].name, want.name);
    EXPECT_EQ(controls[i].container, want.name == std::string_view("txtMask") ? "Frame1" : "");
    host::Placement got;
    if (auto* box = std::get_if<host::EditBox*>(&controls[i].control)) {
      got = host::Placement((*box)->Left(), (*box)->Top(), (*box)->Width(), (*box)->Height());
    } else if (auto* list = std::get_if<host::DropDownList*>(&controls[i].control)) {
      got = (*list)->Position();
    } else {
      const host::CaptionedControl& label = *std::get<host::CaptionedControl*>(controls[i].control);
      got = label.Position();
      EXPECT_EQ(host::ToUtf8(label.Caption()), want.caption);
    }
    EXPECT_EQ(got, host::Placement(want.left, want.top, want.width, want.height));
  }
  EXPECT_EQ(Field("txtPadChar").MaxLength(), 1);
  EXPECT_EQ(Items("cmbDataType"),
            (Names{"0 - AlphaNumeric", "1 - Numeric", "2 - Date", "3 - Password", "4 - Logical"}));
}

}  // namespace
}  // namespace kestrow::testing
