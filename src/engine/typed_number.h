// Reading a number the user typed into a numeric mask.
#pragma once

#include <string_view>

namespace kestrow::engine {

// An optional sign, then the digits up to the first gap: blanks inside the number end it, so
// "-·12·34.50" reads -12. Blanks around it are ignored.
double ReadTypedNumber(std::u16string_view typed);

}  // namespace kestrow::engine
