// Reading scenario lines: bounds, words, strings and the value table.
#include <gtest/gtest.h>

#include <sstream>

#include "script_lexer.h"
#include "script_values.h"

namespace kestrow::script {
namespace {

using host::Variant;
using host::VarType;

TEST(Lines, EndsAreDroppedAndBoundsRaise) {
  std::istringstream in("one\r\ntwo\n\nlast");
  LineReader reader(in);
  std::string line;
  std::vector<std::string> lines;
  while (reader.Next(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "last"}));

  std::istringstream wide("ok\n0123456789\n");
  LineReader bounded(wide, 9, 1000);
  ASSERT_TRUE(bounded.Next(line));
  EXPECT_THROW(bounded.Next(line), ScriptError);
  EXPECT_EQ(bounded.LineNumber(), 2);

  std::istringstream many("aaaa\nbbbb\ncccc\n");
  LineReader small(many, 100, 10);  // the newlines count too
  EXPECT_TRUE(small.Next(line));
  EXPECT_TRUE(small.Next(line));
  EXPECT_THROW(small.Next(line), ScriptError);
}

// Only the first line can start with a byte-order mark; anywhere else it is text.
TEST(Lines, AByteOrderMarkIsSkippedBeforeTheFirstLineOnly) {
  std::istringstream in("\xEF\xBB\xBFnew\n\xEF\xBB\xBFnew\n");
  LineReader reader(in);
  std::string line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "new");
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "\xEF\xBB\xBFnew");
}

TEST(Words, BlanksSplitExceptInsideStrings) {
  EXPECT_EQ(SplitWords("  set\tMask  \"a b\\\" c\" "), (std::vector<std::string>{"set", "Mask", "\"a b\\\" c\""}));
  EXPECT_EQ(SplitWords("bag K String:\"x y\""), (std::vector<std::string>{"bag", "K", "String:\"x y\""}));
  EXPECT_TRUE(SplitWords("   # new").empty());
  EXPECT_TRUE(SplitWords(" \t ").empty());
  EXPECT_EQ(SplitWords("type #").size(), 2u) << "only a leading # starts a comment";
  EXPECT_THROW(SplitWords("type \"abc"), ScriptError);
  EXPECT_THROW(SplitWords("type \"abc\\\""), ScriptError);
}

TEST(Strings, JsonEscapesDecodeToSixteenBitText) {
  EXPECT_EQ(ParseString(R"("a\"\\\/\b\f\n\r\t")"), u"a\"\\/\b\f\n\r\t");
  EXPECT_EQ(ParseString(R"("\u00e9\ud83d\ude00")"), u"\u00e9\U0001F600");
  EXPECT_EQ(ParseString("\"\xC3\xA9\""), u"\u00e9");
  EXPECT_EQ(ParseString("\"\""), u"");
  for (const char* bad : {"abc", "\"a\"b", "\"\\x\"", "\"\\u12\"", "\"\\u12g4\"", "\"tab\there\""}) {
    EXPECT_THROW(ParseString(bad), ScriptError) << bad;
  }
}

TEST(Values, PlainNumbersTakeTheNarrowestOfIntegerLongDouble) {
  struct Row {
    const char* written;
    VarType type;
  };
  for (const Row row :
       {Row{"32767", VarType::Integer}, Row{"-32768", VarType::Integer}, Row{"32768", VarType::Long},
        Row{"-32769", VarType::Long}, Row{"2147483647", VarType::Long}, Row{"-2147483648", VarType::Long},
        Row{"2147483648", VarType::Double}, Row{"99999999999999999999999", VarType::Double},
        Row{"1.5", VarType::Double}, Row{"1e3", VarType::Double}, Row{"007", VarType::Integer}}) {
    EXPECT_EQ(ParseValue(row.written).Type(), row.type) << row.written;
  }
  EXPECT_EQ(ParseValue("-3"), Variant::Integer(-3));
  EXPECT_EQ(ParseValue("1e3"), Variant::Double(1000));
  EXPECT_EQ(ParseValue("2147483648"), Variant::Double(2147483648.0));
}

TEST(Values, KeywordsStringsAndSubtypes) {
  EXPECT_EQ(ParseValue("true"), Variant::Boolean(true));
  EXPECT_EQ(ParseValue("null"), Variant::Null());
  EXPECT_EQ(ParseValue("empty"), Variant());
  EXPECT_EQ(ParseValue("\"12\""), Variant::String(u"12"));
  EXPECT_EQ(ParseValue("Integer:5"), Variant::Integer(5));
  EXPECT_EQ(ParseValue("Long:5"), Variant::Long(5));
  EXPECT_EQ(ParseValue("Single:9.75"), Variant::Single(9.75f));
  EXPECT_EQ(ParseValue("Single:0.1"), Variant::Single(0.1f)) << "read as a float, not a rounded double";
  EXPECT_EQ(ParseValue("Double:7"), Variant::Double(7));
  EXPECT_EQ(ParseValue("Boolean:false"), Variant::Boolean(false));
  EXPECT_EQ(ParseValue("String:\"a b\""), Variant::String(u"a b"));
  EXPECT_EQ(ParseValue("Date:2026-12-07"), Variant::FromDate(host::DateSerial(2026, 12, 7)));
  EXPECT_EQ(ParseValue("Date:2026-12-07T18:30:00"),
            Variant::FromDate({host::DateSerial(2026, 12, 7).serial + 66600.0 / 86400}));
}

TEST(Values, MalformedOrOutOfRangeValuesAreScriptErrors) {
  for (const char* bad : {"abc",
                          "True",
                          "1.",
                          ".5",
                          "+1",
                          "1e",
                          "0x10",
                          "1e400",
                          "Integer:32768",
                          "Integer:1.5",
                          "Long:2147483648",
                          "Single:1e39",
                          "Boolean:1",
                          "String:5",
                          "Date:2026-02-29",
                          "Date:2024-02-30",
                          "Date:0099-12-31",
                          "Date:2026-12-07T24:00:00",
                          "Date:2026-12-7",
                          "Date:2026-12-07 18:30",
                          "Colour:5",
                          "Integer:"}) {
    EXPECT_THROW(ParseValue(bad), ScriptError) << bad;
  }
  EXPECT_EQ(ParseValue("Date:2024-02-29").Type(), VarType::Date) << "a leap day";
}

TEST(Values, ModifiersAndShiftStates) {
  EXPECT_EQ(ParseModifiers("shift"), 1);
  EXPECT_EQ(ParseModifiers("ctrl+alt"), 6);
  EXPECT_EQ(ParseModifiers("alt+shift+ctrl"), 7);
  EXPECT_THROW(ParseModifiers("ctrl+"), ScriptError);
  EXPECT_THROW(ParseModifiers("meta"), ScriptError);
  EXPECT_EQ(ParseShift("3"), 3);
  EXPECT_EQ(ParseShift("ctrl"), 2);
  EXPECT_THROW(ParseShift("40000"), ScriptError);
}

}  // namespace
}  // namespace kestrow::script
