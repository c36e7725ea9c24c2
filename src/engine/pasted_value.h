// Reading a value a user copied from elsewhere (an e-mail, a spreadsheet, a web page), in the
// forms people write numbers, dates and choices in, for a paste that takes the value whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "kestrow/host/values/variant.h"

namespace kestrow::engine {

// A number written as people write amounts: grouping commas and blanks in the integer part, a
// sign, a leading currency sign, brackets for a negative amount, or a trailing "Cr" / "Db" (with
// or without its point) for the two sides of an account. Nothing unless the whole text is one such
// number (one way of saying it is negative at most).
std::optional<double> ReadPastedNumber(std::u16string_view text);

// A date in the field's own order of day, month and year (`inputFormat`, one of the date input
// formats) with "/", "-" or "." between the parts, or in the order year-month-day with "-". Two-
// digit years are completed by the two-digit year window. Nothing unless it is a valid date.
std::optional<host::Date> ReadPastedDate(std::u16string_view text, std::int32_t inputFormat);

// "Yes", "True", "Y", "1" give 1 and "No", "False", "N", "0" give 0, in any case.
std::optional<std::int16_t> ReadPastedChoice(std::u16string_view text);

}  // namespace kestrow::engine
