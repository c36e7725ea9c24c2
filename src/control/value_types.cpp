#include "value_types.h"

#include "kestrow/host/values/runtime.h"

namespace kestrow::control {

std::uint32_t ToColour(const host::Variant& value) {
  const double number = host::ToDouble(value);
  if (!(number >= -2147483648.0 && number <= 4294967295.0)) host::errors::RaiseOverflow();
  const double whole = host::RoundHalfEven(number);
  return whole < 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(whole)) : static_cast<std::uint32_t>(whole);
}

}  // namespace kestrow::control
