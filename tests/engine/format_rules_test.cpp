// The format rules the setters, the keystroke filter and the page all ask: each data type's rules
// must agree with themselves, so that a change to the type always lands on settings it admits.
#include <gtest/gtest.h>

#include "engine/format_rules.h"

namespace kestrow::engine {
namespace {

TEST(FormatRules, WhatAChangeOfDataTypeBringsIsWhatTheTypeAdmits) {
  for (std::int32_t type = dtAlphaNumeric; type <= dtLogical; ++type) {
    const DataTypeRules* rules = RulesOf(type);
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(rules->data_type, type);
    EXPECT_TRUE(InputFormatFits(type, rules->input_format)) << type;
    EXPECT_TRUE(DisplayFormatFits(type, rules->input_format, rules->display_format)) << type;
    // Every mask code of the type admits something, and Backspace.
    for (const char16_t code : rules->mask_codes) {
      EXPECT_TRUE(IsCodeOf(type, code));
      EXPECT_TRUE(CodeAdmits(type, code, u'1') || CodeAdmits(type, code, u'a'))
          << type << " " << static_cast<char>(code);
      EXPECT_TRUE(CodeAdmits(type, code, 8));
    }
  }
  EXPECT_EQ(RulesOf(-1), nullptr);
  EXPECT_EQ(RulesOf(5), nullptr);
  EXPECT_FALSE(InputFormatFits(9, dtDigits));
}

TEST(FormatRules, FormatsBelongToTheirTypes) {
  EXPECT_TRUE(InputFormatFits(dtNumeric, dtThousandsFormat));
  EXPECT_FALSE(InputFormatFits(dtNumeric, dtDigitsSpaceSigns)) << "a text format";
  EXPECT_FALSE(InputFormatFits(dtDate, dtCustomFormat)) << "a date has no mask of its own";
  EXPECT_TRUE(InputFormatFits(dtPassword, dtCustomFormat));
  EXPECT_TRUE(DisplayFormatFits(dtNumeric, dtDigits, dtAccountsFormat2));
  EXPECT_FALSE(DisplayFormatFits(dtNumeric, dtCustomFormat, dtAccountsFormat2)) << "a custom number shows plain";
  EXPECT_FALSE(DisplayFormatFits(dtAlphaNumeric, dtAlphabets, dtSlashSeparator));
  // A literal of one type's mask is no code of another's.
  EXPECT_FALSE(IsCodeOf(dtNumeric, u'X'));
  EXPECT_FALSE(IsCodeOf(dtDate, u'9'));
  EXPECT_FALSE(IsCodeOf(dtAlphaNumeric, u'\0'));
}

TEST(FormatRules, TheSkeletonBlanksTheCodesAndKeepsTheLiterals) {
  EXPECT_EQ(BlankedCodes(u"(999) 999-9999", kAlphaNumericCodes), u"(   )    -    ");
  EXPECT_EQ(BlankedCodes(u"#9,99,999.99", kNumericCodes), u"  ,  ,   .  ");
  EXPECT_EQ(BlankedCodes(u"DD/MM/YYYY", kDateCodes), u"  /  /    ");
}

}  // namespace
}  // namespace kestrow::engine
