#include "typed_number.h"

#include "kestrow/host/values/runtime.h"

namespace kestrow::engine {

std::u16string GapsEndNumber(std::u16string_view typed) {
  std::u16string digits(host::TrimBlanks(typed));
  for (char16_t& c : digits) {
    if (c == u' ') c = u'A';
  }
  return digits;
}

double ReadTypedNumber(std::u16string_view typed) {
  double sign = 1;
  if (!typed.empty() && (typed.front() == u'-' || typed.front() == u'+')) {
    sign = typed.front() == u'-' ? -1 : 1;
    typed.remove_prefix(1);
  }
  const double value = sign * host::ReadNumber(GapsEndNumber(typed));
  return value == 0 ? 0.0 : value;
}

}  // namespace kestrow::engine
