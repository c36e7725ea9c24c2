// Positions and texts as the boxes count them: 32-bit positions into 16-bit texts.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

inline std::int32_t Clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
  return std::clamp(value, low, high);
}

inline std::size_t Index(std::int32_t position) { return static_cast<std::size_t>(position); }

inline std::int32_t Count(std::size_t size) { return static_cast<std::int32_t>(size); }

// Equal texts are equal bytes; comparing bytes goes many characters at a time.
inline bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

inline void RequireRange(std::int16_t value, std::int16_t low, std::int16_t high) {
  if (value < low || value > high) errors::RaiseInvalidPropertyValue();
}

}  // namespace kestrow::host
