// The storage form of a form's property bags: a JSON file holding the form's controls in order,
// each with its keys in the order written, every value with its subtype.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/host_error.h"
#include "kestrow/host/property_bag.h"

namespace kestrow::host {

// Limits on what is read, so a hostile file costs bounded memory and time: larger files are
// refused before they are parsed, and deeper JSON nesting stops the parse where it is reached.
inline constexpr std::uintmax_t kMaxFormFileBytes = std::uintmax_t{64} << 20;
inline constexpr int kMaxFormNesting = 64;

struct StoredControl {
  std::u16string name;
  std::string class_name;  // "Text"
  PropertyBag properties;
};

// The JSON text of a form, and back. A text that is not a valid form raises HostError
// errors::kInvalidFileFormat whose description names `source` and what is wrong (and where).
std::string FormatForm(const std::vector<StoredControl>& controls);
std::vector<StoredControl> ParseForm(std::string_view json, std::string_view source);

// Files. Reading raises as ParseForm (and for a file that cannot be read); writing goes to a
// temporary file beside the target that replaces it only once complete, so a failed write never
// loses what was on disk.
std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path);
void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls);

}  // namespace kestrow::host
