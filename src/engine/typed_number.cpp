#include "typed_number.h"

#include <string>

#include "kestrow/host/runtime.h"

namespace kestrow::engine {

double ReadTypedNumber(std::u16string_view typed) {
  double sign = 1;
  if (!typed.empty() && (typed.front() == u'-' || typed.front() == u'+')) {
    sign = typed.front() == u'-' ? -1 : 1;
    typed.remove_prefix(1);
  }
  // A letter in each inner gap stops the reading there; the reader itself would skip blanks.
  std::u16string digits(host::TrimBlanks(typed));
  for (char16_t& c : digits) {
    if (c == u' ') c = u'A';
  }
  const double value = sign * host::ReadNumber(digits);
  return value == 0 ? 0.0 : value;
}

}  // namespace kestrow::engine
