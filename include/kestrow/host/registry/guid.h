// Class and interface identifiers: 16 bytes laid out as the usual GUID (a 32-bit, two 16-bit and
// eight single-byte fields), written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrow::host {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend constexpr bool operator==(const Guid&, const Guid&) = default;
};

namespace guid_detail {

constexpr int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads `count` hex digits at `at`; negative when one is not a digit.
constexpr std::int64_t Hex(std::string_view text, std::size_t at, std::size_t count) {
  std::int64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const int digit = HexDigit(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace guid_detail

// The text form in either case, braces required; empty for anything else.
constexpr std::optional<Guid> ParseGuid(std::string_view text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  for (const std::size_t dash : {9u, 14u, 19u, 24u}) {
    if (text[dash] != '-') return std::nullopt;
  }
  const std::int64_t data1 = guid_detail::Hex(text, 1, 8);
  const std::int64_t data2 = guid_detail::Hex(text, 10, 4);
  const std::int64_t data3 = guid_detail::Hex(text, 15, 4);
  if (data1 < 0 || data2 < 0 || data3 < 0) return std::nullopt;
  Guid guid;
  guid.data1 = static_cast<std::uint32_t>(data1);
  guid.data2 = static_cast<std::uint16_t>(data2);
  guid.data3 = static_cast<std::uint16_t>(data3);
  // The last eight bytes: two before the fourth dash, six after it.
  constexpr std::array<std::size_t, 8> kAt{20, 22, 25, 27, 29, 31, 33, 35};
  for (std::size_t i = 0; i < kAt.size(); ++i) {
    const std::int64_t byte = guid_detail::Hex(text, kAt[i], 2);
    if (byte < 0) return std::nullopt;
    guid.data4[i] = static_cast<std::uint8_t>(byte);
  }
  return guid;
}

// For the fixed identifiers: a malformed literal does not compile.
consteval Guid MakeGuid(std::string_view text) {
  const std::optional<Guid> guid = ParseGuid(text);
  if (!guid) throw "malformed GUID literal";
  return *guid;
}

// Upper-case hex, with braces.
std::string ToString(const Guid& guid);

}  // namespace kestrow::host
