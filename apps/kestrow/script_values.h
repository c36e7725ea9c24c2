// The values a scenario writes: numbers, dates, key modifiers, and the typed values of `set`
// and `bag`.
#pragma once

#include <cstdint>
#include <string_view>

#include "kestrow/host/values/runtime.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::script {

// A whole number in [min, max]; `what` names it in the error.
std::int64_t ParseWhole(std::string_view word, std::int64_t min, std::int64_t max, std::string_view what);
float ParseSingle(std::string_view word, std::string_view what);
double ParseDouble(std::string_view word, std::string_view what);

// "YYYY-MM-DD", a real day of the years 100 to 9999.
host::CivilDate ParseCivilDate(std::string_view text);
// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SS".
host::Date ParseDateTime(std::string_view text);

// "shift", "ctrl", "alt" or a "+" join of them, as the shift-state bits.
std::int16_t ParseModifiers(std::string_view word);
// A shift state: its number, or modifiers by name.
std::int16_t ParseShift(std::string_view word);

// A value as written in `set` and `bag` (see the README's table).
host::Variant ParseValue(std::string_view word);

}  // namespace kestrow::script
