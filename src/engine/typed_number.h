// Reading a number the user typed into a numeric mask.
#pragma once

#include <string>
#include <string_view>

namespace kestrow::engine {

// The text without its outer blanks and with a letter in each inner gap, so that the reading
// stops at the first gap: "12·34" reads 12. The reader itself would skip blanks.
std::u16string GapsEndNumber(std::u16string_view typed);

// The typed value: a leading "-" (or "+") is the sign of the rest, read up to its first gap:
// "-·12·34.50" reads -12.
double ReadTypedNumber(std::u16string_view typed);

}  // namespace kestrow::engine
