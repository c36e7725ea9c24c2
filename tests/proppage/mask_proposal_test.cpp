// The mask the page proposes: directly from the page's choices, and as the page shows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kestrow/host/values/runtime.h"
#include "page_fixture.h"
#include "proppage/mask_proposal.h"

namespace kestrow::testing {
namespace {

constexpr char16_t kAlpha[] = u"0 - AlphaNumeric";
constexpr char16_t kNumeric[] = u"1 - Numeric";
constexpr char16_t kDate[] = u"2 - Date";
constexpr char16_t kPassword[] = u"3 - Password";
constexpr char16_t kLogical[] = u"4 - Logical";
constexpr char16_t kCustom[] = u"(Custom Format)";
constexpr char16_t kDigits[] = u"9 - Digits";
constexpr char16_t kSigned[] = u"# - Digits & Signs";
constexpr char16_t kThousands[] = u", - Amount in Thousands Format";
constexpr char16_t kMillions[] = u"M - Amount in Million Format";

struct ProposalRow {
  const char16_t* data_type;
  const char16_t* input_format;
  const char16_t* display_format;
  double length;
  double decimals;
  const char16_t* pad_char;
  const char* proposal;  // nullptr: the mask field is left as it is
};
void PrintTo(const ProposalRow& row, std::ostream* os) {
  *os << host::ToUtf8(row.data_type) << " / " << host::ToUtf8(row.input_format) << " / " << row.length << ","
      << row.decimals;
}

std::vector<std::string> Steps(const ProposalRow& row) {
  std::vector<std::string> steps;
  for (const std::u16string& step : proppage::MaskProposalSteps(
           {row.data_type, row.input_format, row.display_format, row.length, row.decimals, row.pad_char})) {
    steps.push_back(host::ToUtf8(step));
  }
  return steps;
}

class ProposalTable : public ::testing::TestWithParam<ProposalRow> {};

TEST_P(ProposalTable, LastStepIsTheProposal) {
  const ProposalRow& row = GetParam();
  const std::vector<std::string> steps = Steps(row);
  if (!row.proposal) {
    EXPECT_TRUE(steps.empty()) << steps.back();
    return;
  }
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back(), row.proposal);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ProposalTable,
    ::testing::Values(ProposalRow{kAlpha, u"X - Alpha, Digits, Space & Symbol", u"(None)", 3, 0, u"", "XXX"},
                      ProposalRow{kAlpha, u"A - Only Alphabets", u"(None)", 3, 0, u"", "AAA"},
                      ProposalRow{kAlpha, u"S - Alphabets & Space", u"(None)", 3, 0, u"", "SSS"},
                      ProposalRow{kAlpha, u"N - Alphabets, Digits & Space", u"(None)", 3, 0, u"", "NNN"},
                      ProposalRow{kAlpha, kDigits, u"(None)", 3, 0, u"", "999"},
                      ProposalRow{kAlpha, u"# - Digits, Space & Signs", u"(None)", 3, 0, u"", "###"},
                      ProposalRow{kAlpha, kCustom, u"(None)", 3, 0, u"", nullptr},
                      ProposalRow{kAlpha, u"# - Digits & Signs", u"(None)", 3, 0, u"", nullptr},  // a numeric-only item
                      // Counts round halves to the even neighbour.
                      ProposalRow{kAlpha, u"A - Only Alphabets", u"(None)", 2.5, 0, u"", "AA"},
                      ProposalRow{kAlpha, u"A - Only Alphabets", u"(None)", 3.5, 0, u"", "AAAA"},
                      ProposalRow{kNumeric, kDigits, u"(None)", 10, 2, u"", "9999999.99"},
                      ProposalRow{kNumeric, kDigits, u"(None)", 10, 0, u"", "9999999999"},
                      ProposalRow{kNumeric, kDigits, u"(None)", 3, 1, u"", "9.9"},
                      ProposalRow{kNumeric, kSigned, u"(None)", 10, 2, u"", "#999999.99"},
                      ProposalRow{kNumeric, kSigned, u"(None)", 4, 2, u"", "9.99"},
                      ProposalRow{kNumeric, kSigned, u"(None)", 5, 2, u"", "#9.99"},
                      ProposalRow{kNumeric, kSigned, u"(None)", 5, 0, u"", "#9999"},
                      ProposalRow{kNumeric, kSigned, u"(None)", 1, 0, u"", "9"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 10, 2, u"", "99,99,999.99"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 8, 0, u"", "9,99,99,999"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 6, 2, u"", "999.99"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 7, 2, u"", "9,999.99"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 3, 0, u"", "999"},
                      ProposalRow{kNumeric, kThousands, u"(None)", 4, 0, u"", "9,999"},
                      ProposalRow{kNumeric, kMillions, u"(None)", 10, 0, u"", "9,999,999,999"},
                      ProposalRow{kNumeric, kMillions, u"(None)", 10, 2, u"", "9,999,999.99"},
                      ProposalRow{kNumeric, kMillions, u"(None)", 6, 0, u"", "999,999"},
                      ProposalRow{kNumeric, kMillions, u"(None)", 2, 0, u"", "99"},
                      ProposalRow{kNumeric, kCustom, u"(None)", 10, 2, u"", nullptr},
                      ProposalRow{kDate, u"A - MM/DD/YYYY (American)", u"/ > DD/MM/YYYY", 10, 0, u"", "MM/DD/YYYY"},
                      ProposalRow{kDate, u"B - DD/MM/YYYY (British)", u"- > DD-MM-YYYY", 10, 0, u"", "DD-MM-YYYY"},
                      ProposalRow{kDate, u"J - YYYY/MM/DD (Japan)", u". > DD.MM.YYYY", 10, 0, u"", "YYYY.MM.DD"},
                      ProposalRow{kPassword, u"* - Password Format", u"(None)", 4, 0, u"*", "****"},
                      ProposalRow{kPassword, kCustom, u"(None)", 3, 0, u"#", "###"},
                      ProposalRow{kLogical, u"T - True, False Format", u"(None)", 5, 0, u"", "True Or False"},
                      ProposalRow{kLogical, u"Y - Yes, No Format", u"(None)", 5, 0, u"", "Yes or No"},
                      ProposalRow{u"", kDigits, u"(None)", 5, 0, u"", nullptr}));

TEST(MaskProposalSteps, GroupedAmountsShowEachGroupAsItIsAdded) {
  EXPECT_EQ(Steps({kNumeric, kThousands, u"(None)", 10, 2, u"", nullptr}),
            (std::vector<std::string>{"99,999.99", "99,99,999.99"}));
  EXPECT_EQ(Steps({kNumeric, kMillions, u"(None)", 10, 0, u"", nullptr}),
            (std::vector<std::string>{"999,999", "999,999,999", "9,999,999,999"}));
  EXPECT_EQ(Steps({kNumeric, kThousands, u"(None)", 3, 0, u"", nullptr}), (std::vector<std::string>{"999"}));
}

// --- As the page shows it ----------------------------------------------------------------------

TEST_F(PageTest, ADateMaskFollowsTheSeparatorOfTheDisplayItem) {
  Open();
  Pick("cmbDataType", kDate);
  EXPECT_EQ(Text("txtMask"), "DD/MM/YYYY");
  Pick("cmbDisplayFormat", u". > DD.MM.YYYY");
  EXPECT_EQ(Text("txtMask"), "DD.MM.YYYY");
  Pick("cmbInputFormat", u"J - YYYY/MM/DD (Japan)");
  EXPECT_EQ(Text("txtMask"), "YYYY.MM.DD");
}

TEST_F(PageTest, ADisplayChangeLeavesTheMaskOfAnythingButADate) {
  Put(First(), "DataType", host::Variant::Integer(1));
  Put(First(), "InputFormat", host::Variant::Integer(8));
  Open();
  const std::string shown = Text("txtMask");  // the control's own mask, not the page's proposal
  ASSERT_EQ(shown, Str(First(), "Mask"));
  Pick("cmbDisplayFormat", u"C - Display Cr after +ve Value");
  EXPECT_EQ(Text("txtMask"), shown);
}

TEST_F(PageTest, ACustomMaskStandsUntilAPredefinedFormatIsChosenAgain) {
  Open();
  Pick("cmbInputFormat", kCustom);
  Retype("txtMask", u"(999)");
  Retype("txtLength", u"7");  // leaving the mask set the length to 3 first
  EXPECT_EQ(Text("txtLength"), "7");
  Pick("cmbDisplayFormat", u"! - Upper Case");
  EXPECT_EQ(Text("txtMask"), "(999)");
  Pick("cmbInputFormat", u"A - Only Alphabets");
  EXPECT_EQ(Text("txtMask"), "AAAAAAA");
}

TEST_F(PageTest, APasswordRepeatsItsPaddingCharacterEditableOnlyForTheCustomFormat) {
  Open();
  Pick("cmbDataType", kPassword);
  EXPECT_FALSE(Field("txtPadChar").Enabled());
  EXPECT_EQ(Text("txtMask"), "**********");
  Pick("cmbInputFormat", kCustom);
  EXPECT_TRUE(Field("txtPadChar").Enabled());
  Retype("txtPadChar", u"#");
  EXPECT_EQ(Text("txtMask"), "##########");
  Erase("txtPadChar");  // none: a star is supplied
  EXPECT_EQ(Text("txtPadChar"), "*");
  EXPECT_EQ(Text("txtMask"), "**********");
  Retype("txtPadChar", u"#");
  Pick("cmbInputFormat", u"* - Password Format");
  EXPECT_FALSE(Field("txtPadChar").Enabled());
  EXPECT_EQ(Text("txtPadChar"), "*");
  EXPECT_EQ(Text("txtMask"), "**********");
}

}  // namespace
}  // namespace kestrow::testing
