// Stateless helpers shared by the control and its property page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrow::engine::CommonModule {

// Each character of source found in fromSet (first occurrence, case matters) becomes the
// character at the same place in toSet, or is dropped when toSet is shorter; others are kept.
std::u16string TranslateChars(std::u16string_view source, std::u16string_view fromSet, std::u16string_view toSet);

// The remainder of X by F with the sign of X, rounded to the decimals X shows, so that
// FloatMod(123.45, 1) is exactly 0.45. 0 when F is 0.
double FloatMod(double X, double F);

// Checks a day, month and year. A year below 100 is first completed by the two-digit year window
// (current year - 30 to current year + 69) and written back; day and month are left unchanged.
// Years outside 100 to 9999, which no date can hold, are not valid.
bool IsValidDate(std::int16_t& day, std::int16_t& month, std::int16_t& year);

// The Gregorian rule.
bool IsLeapYear(const std::int16_t& year);

}  // namespace kestrow::engine::CommonModule
