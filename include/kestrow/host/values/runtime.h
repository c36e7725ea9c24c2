// The runtime functions the control relies on: number reading and pictures, date pictures and
// conversions, case conversion, and the current date.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "kestrow/host/values/variant.h"

namespace kestrow::host {

// --- Numbers -------------------------------------------------------------------------------

// Number reading: blanks, tabs, line feeds and carriage returns are skipped wherever they stand;
// then an optional sign, digits, at most one "." and more digits, and an optional exponent ("E" or
// "e", optional sign, digits). Reading stops at the first character that cannot continue the
// number; a text without a leading number reads as 0. Raises overflow beyond the double range.
double ReadNumber(std::u16string_view text);

// Rounds to `digits` decimal places, halves to the even neighbour. Ties are judged on the value's
// 15-significant-digit decimal form, so 1.005 (stored just below) counts as a tie and gives 1.
double RoundHalfEven(double value, int digits = 0);

// Rounds to a 16-bit integer, halves to even; raises overflow when it does not fit.
std::int16_t RoundToInteger(double value);

// Formats a number with a picture of "#" (optional digit), "0" (required digit) and "." (decimal
// point): plain digits, a leading "-" for a value that is negative after rounding, no group
// separators. Rounding to the picture's decimals is half away from zero on the value's
// 15-significant-digit decimal form, so 2.675 gives 2.68.
std::u16string FormatNumber(double value, std::u16string_view picture);

// The general text form of a number (at most 15 significant digits, exponent form outside
// 1e-5 .. 1e15), as the host writes numbers into text: 0.45, -12, 1E+20. Raises overflow for
// infinities and NaN.
std::u16string NumberText(double value);
// The same for a Single: at most 7 significant digits, exponent form outside 1e-5 .. 1e7.
std::u16string SingleText(float value);

// --- Dates ---------------------------------------------------------------------------------

struct CivilDate {
  int year = 0;
  int month = 0;
  int day = 0;
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// A date from year, month and day; months and days outside their range carry over as the host
// does (month 13 is January of the next year, day 0 the last day of the previous month).
// Raises invalid procedure call outside the years 100 to 9999.
Date DateSerial(int year, int month, int day);
// Both split the date after rounding it to the nearest second, so 23:59:59.7 is the next day.
CivilDate CivilOf(Date date);
// The time of day of a date in whole seconds (0 .. 86399).
int SecondsOfDay(Date date);

// A date picture: "DD" the day in two digits, "MM" the month in two digits, "YYYY" the year in
// four digits; every other character is copied.
std::u16string FormatDate(Date date, std::u16string_view picture);

// General conversion of a text into a date (see the README for the forms it takes). Empty when
// the text is not a date.
std::optional<Date> ParseDate(std::u16string_view text);

// The current date (no time of day), from the host's clock.
Date Today();
using Clock = std::function<CivilDate()>;
// Replaces the host's clock; an empty function restores the system clock (local time).
void SetClock(Clock clock);

// --- Text ----------------------------------------------------------------------------------

std::u16string ToUpperCase(std::u16string_view text);
std::u16string ToLowerCase(std::u16string_view text);
// The first letter of each word in capitals, the others small; words are separated by white space.
std::u16string ToProperCase(std::u16string_view text);
// Blanks (only) removed at both ends.
std::u16string_view TrimBlanks(std::u16string_view text);

// Edges of the system: its texts are 16-bit; files and terminals take UTF-8.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace kestrow::host
