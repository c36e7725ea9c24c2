#include <functional>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;

struct MaskRow {
  const char* name;
  std::function<void(FieldTest&, TextEngine&)> setUp;
  bool focused;
  const char* mask;
  const char* skeleton;
  const char* editTemplate;
  std::int32_t maxLength;
};

void PrintTo(const MaskRow& row, std::ostream* os) { *os << row.name; }

class MaskConstruction : public FieldTest, public ::testing::WithParamInterface<MaskRow> {};

void Numeric(FieldTest& t, std::int16_t length, std::int16_t decimals, std::int32_t format) {
  t.MakeNumeric(length, decimals, format);
}

const MaskRow kRows[] = {
    {"AlphaDigitSpaceSymbol10", [](FieldTest&, TextEngine& f) { f.SetLength(10); }, false, "XXXXXXXXXX", "",
     "··········", 10},
    {"Alphabets6", [](FieldTest&, TextEngine& f) { f.SetInputFormat(dtAlphabets), f.SetLength(6); }, false, "AAAAAA",
     "", "······", 6},
    {"CustomPhone", [](FieldTest& t, TextEngine&) { t.MakeCustom("(999)·999-9999"); }, false, "(999)·999-9999",
     "(···)····-····", "(···)····-····", 14},
    {"Digits8", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 0, dtDigits); }, false, "99999999", "········",
     "········", 0},
    {"Digits8x2", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 2, dtDigits); }, false, "99999.99", "·····.··",
     "·····.··", 0},
    {"Signs6", [](FieldTest& t, TextEngine&) { Numeric(t, 6, 0, dtDigitsSigns); }, false, "#99999", "······", "······",
     0},
    {"Signs8x2", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 2, dtDigitsSigns); }, false, "#9999.99", "·····.··",
     "·····.··", 0},
    {"Signs4x2NoSignPosition", [](FieldTest& t, TextEngine&) { Numeric(t, 4, 2, dtDigitsSigns); }, false, "9.99",
     "·.··", "·.··", 0},
    {"Thousands10x2", [](FieldTest& t, TextEngine&) { Numeric(t, 10, 2, dtThousandsFormat); }, false, "#9,99,999.99",
     "··,··,···.··", "··,··,···.··", 0},
    {"Thousands10x2Focused", [](FieldTest& t, TextEngine&) { Numeric(t, 10, 2, dtThousandsFormat); }, true,
     "#999999.99", "·······.··", "·······.··", 10},
    {"Thousands9x2", [](FieldTest& t, TextEngine&) { Numeric(t, 9, 2, dtThousandsFormat); }, false, "#,99,999.99",
     "·,··,···.··", "·,··,···.··", 0},
    {"Thousands9x0", [](FieldTest& t, TextEngine&) { Numeric(t, 9, 0, dtThousandsFormat); }, false, "#9,99,99,999",
     "··,··,··,···", "··,··,··,···", 0},
    {"Thousands6x2", [](FieldTest& t, TextEngine&) { Numeric(t, 6, 2, dtThousandsFormat); }, false, "#99.99", "···.··",
     "···.··", 0},
    {"Thousands4x2", [](FieldTest& t, TextEngine&) { Numeric(t, 4, 2, dtThousandsFormat); }, false, "9.99", "·.··",
     "·.··", 0},
    {"Thousands2x0", [](FieldTest& t, TextEngine&) { Numeric(t, 2, 0, dtThousandsFormat); }, false, "99", "··", "··",
     0},
    {"Thousands3x0", [](FieldTest& t, TextEngine&) { Numeric(t, 3, 0, dtThousandsFormat); }, false, "#99", "···", "···",
     0},
    {"Millions12x2", [](FieldTest& t, TextEngine&) { Numeric(t, 12, 2, dtMillionsFormat); }, false, "#99,999,999.99",
     "···,···,···.··", "···,···,···.··", 0},
    {"Millions10x2", [](FieldTest& t, TextEngine&) { Numeric(t, 10, 2, dtMillionsFormat); }, false, "#,999,999.99",
     "·,···,···.··", "·,···,···.··", 0},
    {"Millions8x0", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 0, dtMillionsFormat); }, false, "#9,999,999",
     "··,···,···", "··,···,···", 0},
    {"Millions7x0", [](FieldTest& t, TextEngine&) { Numeric(t, 7, 0, dtMillionsFormat); }, false, "#,999,999",
     "·,···,···", "·,···,···", 0},
    {"Millions8x0Focused", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 0, dtMillionsFormat); }, true, "#9999999",
     "········", "········", 8},
    {"DigitsFocusedKeepsMask", [](FieldTest& t, TextEngine&) { Numeric(t, 8, 2, dtDigits); }, true, "99999.99",
     "·····.··", "·····.··", 8},
    {"AmericanSlash", [](FieldTest& t, TextEngine&) { t.MakeDate(dtAmericanDate, dtSlashSeparator); }, false,
     "MM/DD/YYYY", "··/··/····", "··/··/····", 10},
    {"BritishDash", [](FieldTest& t, TextEngine&) { t.MakeDate(dtBritishDate, dtDashSeparator); }, false, "DD-MM-YYYY",
     "··-··-····", "··-··-····", 10},
    {"JapanDot", [](FieldTest& t, TextEngine&) { t.MakeDate(dtJapanDate, dtDotSeparator); }, false, "YYYY.MM.DD",
     "····.··.··", "····.··.··", 10},
    {"BritishNoSeparator",
     [](FieldTest& t, TextEngine& f) {
       t.MakeDate(dtBritishDate, dtSlashSeparator);
       t.Store([&](engine::FormatMembers& s) { s.m_DisplayFormat = dtNone; });  // only stored settings reach this
       f.RebuildMask();
     },
     false, "DDMMYYYY", "········", "········", 8},
    {"PasswordStar8", [](FieldTest&, TextEngine& f) { f.SetDataType(dtPassword), f.SetLength(8); }, false, "********",
     "", "········", 8},
    {"TrueFalse", [](FieldTest&, TextEngine& f) { f.SetDataType(dtLogical), f.SetInputFormat(dtTrueFalseFormat); },
     false, "True/False", "·", "·", 10},
    {"YesNo", [](FieldTest&, TextEngine& f) { f.SetDataType(dtLogical); }, false, "Yes/No", "·", "·", 6},
};

TEST_P(MaskConstruction, DerivesMaskSkeletonTemplateAndLimit) {
  const MaskRow& row = GetParam();
  row.setUp(*this, Field());
  if (row.focused) Focus();
  const FormatMembers& m = Field().Settings();
  EXPECT_EQ(Show(m.m_Mask), Show(Dots(row.mask)));
  EXPECT_EQ(Show(m.m_DisplayMask), Show(Dots(row.skeleton)));
  EXPECT_EQ(Show(m.m_EditTemplate), Show(Dots(row.editTemplate)));
  EXPECT_EQ(Box().MaxLength(), row.maxLength);
}

INSTANTIATE_TEST_SUITE_P(Rows, MaskConstruction, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<MaskRow>& row) { return std::string(row.param.name); });

using MaskRebuild = FieldTest;

TEST_F(MaskRebuild, ReportsMaskBeforeTheRefreshReportsText) {
  Field().RebuildMask();
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], "Mask");
  EXPECT_EQ(reports[1], "Text");
}

TEST_F(MaskRebuild, GroupedMaskSwitchesWithTheFocus) {
  MakeNumeric(10, 2, dtThousandsFormat);
  Focus();
  EXPECT_EQ(Show(Field().Mask()), "#999999.99");
  Blur();
  EXPECT_EQ(Show(Field().Mask()), "#9,99,999.99");
  EXPECT_EQ(Box().MaxLength(), 0);
}

TEST_F(MaskRebuild, CustomAlphaNumericMaskIsNeverReplaced) {
  MakeCustom("AA-9999");
  Field().SetDisplayFormat(dtUpperCase);
  Field().RebuildMask();
  EXPECT_EQ(Show(Field().Mask()), "AA-9999");
  EXPECT_EQ(Show(Field().Settings().m_DisplayMask), "··-····");
}

TEST_F(MaskRebuild, StoredSettingsThatBreakTheRulesGiveEmptyRepeatsNotACrash) {
  Field().SetDataType(dtNumeric);
  Store([&](engine::FormatMembers& s) {
    s.m_Length = -3;
    s.m_DecimalPlaces = 5;
  });
  Field().RebuildMask();
  EXPECT_EQ(Show(Field().Mask()), ".99999");

  Field().SetDataType(dtPassword);
  Store([&](engine::FormatMembers& s) { s.m_Length = -1; });
  Field().RebuildMask();
  EXPECT_EQ(Field().Mask(), u"");
  EXPECT_EQ(Box().MaxLength(), 0);
}

TEST_F(MaskRebuild, PasswordWithoutPaddingCharacterStillLimitsItsLength) {
  Field().SetDataType(dtPassword);
  Field().SetLength(4);
  Store([&](engine::FormatMembers& s) { s.m_PadChar.clear(); });
  Field().RebuildMask();
  EXPECT_EQ(Field().Mask(), u"****");
  EXPECT_EQ(Box().MaxLength(), 4);
}

}  // namespace
}  // namespace kestrow::testing
