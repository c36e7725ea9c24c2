#include <gtest/gtest.h>

#include "host_values/host_error_testing.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

TEST(DateSerial, MatchesKnownSerials) {
  const struct {
    int year, month, day;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0},    {1899, 12, 29, -1},   {1900, 1, 1, 2},         {2000, 1, 1, 36526},
      {2023, 3, 15, 45000}, {100, 1, 1, -657434}, {9999, 12, 31, 2958465},
  };
  for (const auto& c : cases) EXPECT_EQ(DateSerial(c.year, c.month, c.day).serial, c.serial) << c.year;
}

TEST(DateSerial, CarriesMonthsAndDays) {
  const struct {
    int year, month, day;
    CivilDate civil;
  } cases[] = {
      {2026, 13, 1, {2027, 1, 1}},   {2026, 0, 1, {2025, 12, 1}},     {2026, -11, 1, {2025, 1, 1}},
      {2026, 3, 0, {2026, 2, 28}},   {2024, 3, 0, {2024, 2, 29}},     {2026, 1, 32, {2026, 2, 1}},
      {2026, 1, -30, {2025, 12, 1}}, {2000, 25, 365, {2002, 12, 31}}, {10000, 0, 1, {9999, 12, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CivilOf(DateSerial(c.year, c.month, c.day)), c.civil) << c.month << "/" << c.day;
  }
}

TEST(DateSerial, YearsOutsideTheRangeAreInvalid) {
  const struct {
    int year, month, day;
  } cases[] = {{99, 12, 31},  {100, 1, 0},           {9999, 12, 32},
               {10000, 1, 1}, {2026, 1, 2147483647}, {-2147483647, -2147483647, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(RaisedError([&] { DateSerial(c.year, c.month, c.day); }), errors::kInvalidProcedureCall) << c.year;
  }
}

TEST(CivilOf, InvertsDateSerialOverTheWholeRange) {
  const double first = DateSerial(100, 1, 1).serial;
  const double last = DateSerial(9999, 12, 31).serial;
  CivilDate previous = CivilOf(Date{first - 1});
  for (double serial = first; serial <= last; ++serial) {
    const CivilDate civil = CivilOf(Date{serial});
    ASSERT_EQ(DateSerial(civil.year, civil.month, civil.day).serial, serial);
    // Consecutive serials are consecutive days.
    const bool nextMonth = civil.month == previous.month + 1 || (civil.month == 1 && civil.year == previous.year + 1);
    ASSERT_TRUE(civil.day == previous.day + 1 || (civil.day == 1 && nextMonth));
    previous = civil;
  }
}

TEST(CivilOf, NegativeSerialsCountDaysBackAndTimeForward) {
  EXPECT_EQ(CivilOf(Date{-1.25}), (CivilDate{1899, 12, 29}));
  EXPECT_EQ(SecondsOfDay(Date{-1.25}), 6 * 3600);
  EXPECT_EQ(CivilOf(Date{-0.5}), (CivilDate{1899, 12, 30}));
}

TEST(SecondsOfDay, RoundsToTheNearestSecondCarryingIntoTheNextDay) {
  EXPECT_EQ(SecondsOfDay(Date{0.5 + 0.4 / 86400}), 43200);
  EXPECT_EQ(SecondsOfDay(Date{0.5 + 0.6 / 86400}), 43201);
  const Date almostMidnight{1.9999999};
  EXPECT_EQ(SecondsOfDay(almostMidnight), 0);
  EXPECT_EQ(CivilOf(almostMidnight), (CivilDate{1900, 1, 1}));
  EXPECT_EQ(CivilOf(Date{-1.9999999}), (CivilDate{1899, 12, 30}));
}

TEST(FormatDate, ReplacesTokensAndCopiesTheRest) {
  const Date date = DateSerial(2026, 12, 7);
  const struct {
    std::u16string_view picture, text;
  } cases[] = {
      {u"DD/MM/YYYY", u"07/12/2026"},
      {u"YYYY.MM.DD", u"2026.12.07"},
      {u"MMDDYYYY", u"12072026"},
      {u"YYYYY-M-D", u"2026Y-M-D"},
      {u"DDD", u"07D"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDate(date, c.picture), c.text) << ToUtf8(c.picture);
  EXPECT_EQ(FormatDate(DateSerial(100, 2, 3), u"YYYY-MM-DD"), u"0100-02-03");
}

TEST(ParseDate, AcceptsIsoAndEnglishForms) {
  const Date december7 = DateSerial(2026, 12, 7);
  const struct {
    std::u16string_view text;
    double serial;
  } cases[] = {
      {u"2026-12-07", december7.serial},
      {u"  2026-12-07  ", december7.serial},
      {u"2026-12-07T06:00", december7.serial + 0.25},
      {u"2026-12-07 18:00:30", december7.serial + (18 * 3600 + 30) / 86400.0},
      {u"7 December 2026", december7.serial},
      {u"07 dec 2026", december7.serial},
      {u"Dec 7, 2026", december7.serial},
      {u"DECEMBER 7 2026", december7.serial},
      {u"2024-02-29", DateSerial(2024, 2, 29).serial},
      {u"1899-12-29 06:00", -1.25},
  };
  for (const auto& c : cases) {
    const auto date = ParseDate(c.text);
    ASSERT_TRUE(date.has_value()) << ToUtf8(c.text);
    EXPECT_EQ(date->serial, c.serial) << ToUtf8(c.text);
  }
}

TEST(ParseDate, RejectsEverythingElse) {
  const std::u16string_view cases[] = {
      u"",
      u"29/2/2023",
      u"2023-02-29",
      u"2026-13-01",
      u"2026-12-7",
      u"0099-12-31",
      u"2026-12-07 24:00",
      u"2026-12-07T10:60",
      u"2026-12-07 10",
      u"2026-12-07x",
      u"32 Jan 2026",
      u"7 Decem 2026",
      u"Dec 7,2026",
      u"7 December 26",
      u"December",
  };
  for (std::u16string_view text : cases) EXPECT_FALSE(ParseDate(text).has_value()) << ToUtf8(text);
}

// Puts the system clock back whatever the test does.
class ClockTest : public ::testing::Test {
 protected:
  ~ClockTest() override { SetClock({}); }
};

TEST_F(ClockTest, TodayReadsTheHostClock) {
  SetClock([] { return CivilDate{1950, 6, 15}; });
  EXPECT_EQ(Today(), DateSerial(1950, 6, 15));
  SetClock({});
  const Date today = Today();
  EXPECT_NE(today, DateSerial(1950, 6, 15));
  EXPECT_EQ(SecondsOfDay(today), 0);
}

}  // namespace
}  // namespace kestrow::host
