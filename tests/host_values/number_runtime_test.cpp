#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host_values/host_error_testing.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

TEST(ReadNumber, ReadsTheLeadingNumberIgnoringBlanksAnywhere) {
  const struct {
    std::u16string_view text;
    double value;
  } cases[] = {
      {u"1 2", 12},
      {u" -1 2.5", -12.5},
      {u"12A3", 12},
      {u"1A2", 1},
      {u"abc", 0},
      {u"", 0},
      {u".5", 0.5},
      {u"5.", 5},
      {u"1.2.3", 1.2},
      {u"12E", 12},
      {u"12E+", 12},
      {u"12Ex", 12},
      {u"1e3", 1000},
      {u"1 e - 2", 0.01},
      {u"\t+7\n", 7},
      {u"1-2", 1},
      {u"+-1", 0},
      {u"0.1", 0.1},
      {u"1e-400", 0},
      {u"-.25e1", -2.5},
      {u"123456789012345678901234567890", 123456789012345678901234567890.0},
      {u"2.2250738585072011e-308", 2.2250738585072011e-308},
      // A carriage return is not among the ignored characters: it ends the number.
      {u"12\r3", 12},
      {u"\r5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << ToUtf8(c.text);
}

TEST(ReadNumber, OverflowIsAnError) {
  EXPECT_EQ(RaisedError([] { ReadNumber(u"1e309"); }), errors::kOverflow);
  EXPECT_EQ(RaisedError([] { ReadNumber(u"-1" + std::u16string(400, u'0')); }), errors::kOverflow);
  EXPECT_EQ(RaisedError([] { ReadNumber(u"1e99999999999999999999"); }), errors::kOverflow);
}

TEST(ReadNumber, HandlesTextsOfTheLongestLength) {
  EXPECT_EQ(ReadNumber(std::u16string(32766, u'0') + u"7"), 7);
  EXPECT_EQ(ReadNumber(std::u16string(32765, u' ') + u"-3"), -3);
  EXPECT_EQ(ReadNumber(u"0." + std::u16string(32760, u'0') + u"5e32761"), 5);
}

TEST(RoundHalfEven, JudgesTiesOnTheDecimalForm) {
  const struct {
    double value;
    int digits;
    double rounded;
  } cases[] = {
      {0.125, 2, 0.12}, {0.135, 2, 0.14}, {2.5, 0, 2},    {3.5, 0, 4},         {-2.5, 0, -2},
      {1.005, 2, 1.0},  {2.675, 2, 2.68}, {9.995, 2, 10}, {0.4999999, 0, 0},   {1250, -2, 1200},
      {1350, -2, 1400}, {0.004, 0, 0},    {2.51, 0, 3},   {123.456, 1, 123.5}, {0.1 + 0.2, 20, 0.1 + 0.2},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value, c.digits), c.rounded) << c.value << " " << c.digits;
  EXPECT_TRUE(std::signbit(RoundHalfEven(-0.5)));
}

TEST(RoundToInteger, RaisesOverflowOutsideSixteenBits) {
  EXPECT_EQ(RoundToInteger(-32768.5), -32768);
  EXPECT_EQ(RoundToInteger(32766.5), 32766);
  EXPECT_EQ(RaisedError([] { RoundToInteger(32767.5); }), errors::kOverflow);
  EXPECT_EQ(RaisedError([] { RoundToInteger(-32769); }), errors::kOverflow);
  EXPECT_EQ(RaisedError([] { RoundToInteger(std::nan("")); }), errors::kOverflow);
}

TEST(FormatNumber, FollowsThePicture) {
  const struct {
    double value;
    std::u16string_view picture, text;
  } cases[] = {
      {1234567.5, u"#######0.00", u"1234567.50"},
      {-5, u"#######0.00", u"-5.00"},
      {0, u"#######0.00", u"0.00"},
      {12.5, u"#########0", u"13"},
      {0.4, u"0", u"0"},
      {0.5, u"0", u"1"},
      {2.675, u"0.00", u"2.68"},
      {0.125, u"0.00", u"0.13"},
      {-0.004, u"0.00", u"-0.00"},
      {-0.005, u"0.00", u"-0.01"},
      {-0.0, u"0.00", u"0.00"},
      {9.995, u"0.00", u"10.00"},
      {1234, u"0", u"1234"},
      {42, u"000000", u"000042"},
      {0.5, u"#.00", u".50"},
      {0, u"#", u""},
      {1e-20, u"0.000", u"0.000"},
      {1e20, u"0", u"100000000000000000000"},
      {12345678901234567890.0, u"#0", u"12345678901234600000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.picture), c.text) << c.value;
  EXPECT_EQ(RaisedError([] { FormatNumber(std::numeric_limits<double>::infinity(), u"0"); }), errors::kOverflow);
}

TEST(NumberText, WritesTheGeneralForm) {
  const struct {
    double value;
    std::u16string_view text;
  } cases[] = {
      {0.45, u"0.45"},
      {-12, u"-12"},
      {1234567.5, u"1234567.5"},
      {0.1 + 0.2, u"0.3"},
      {-0.0, u"0"},
      {1.0 / 3, u"0.333333333333333"},
      {1e20, u"1E+20"},
      {1.5e-7, u"1.5E-07"},
      {-2e15, u"-2E+15"},
      {1e100, u"1E+100"},
      {0.00001, u"0.00001"},
      {0.0000099, u"9.9E-06"},
      {999999999999999.0, u"999999999999999"},
      {999999999999999.9, u"1E+15"},
      {123456789012345678.0, u"1.23456789012346E+17"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
  EXPECT_EQ(RaisedError([] { NumberText(std::nan("")); }), errors::kOverflow);
}

}  // namespace
}  // namespace kestrow::host
