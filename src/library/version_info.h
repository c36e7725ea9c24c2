// The library's version record: the fixed versions, the language and code page of its string
// table, and the table's entries in order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kestrow::library {

struct VersionEntry {
  std::string_view key;
  std::u16string_view value;  // null-terminated
};

struct VersionInfo {
  std::u16string_view file_version;
  std::u16string_view product_version;
  std::uint16_t language = 0;
  std::uint16_t code_page = 0;
  std::span<const VersionEntry> entries;

  // Empty for a key the table does not hold (an entry may hold an empty value).
  std::optional<std::u16string_view> Value(std::string_view key) const;
};

const VersionInfo& LibraryVersion();

}  // namespace kestrow::library
