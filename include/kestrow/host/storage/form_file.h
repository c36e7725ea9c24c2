// The storage form of a form's property bags: a JSON file holding the form's controls in order,
// each with its keys in the order written, every value with its subtype.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/storage/property_bag.h"
#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

// Larger files are refused before they are parsed. Reading stops at the first thing the form has
// no place for (a member it does not know, a container where it holds a value, a value of the wrong
// kind), so a hostile file costs little beyond its text however large or deep it is.
inline constexpr std::uintmax_t kMaxFormFileBytes = std::uintmax_t{64} << 20;

struct StoredControl {
  std::u16string name;
  std::string class_name;  // "Text"
  PropertyBag properties;
};

// The JSON text of a form, and back. A text that is not a valid form raises HostError
// errors::kInvalidFileFormat whose description names `source`, the line and column where reading
// stopped, the control and key being read, and what is wrong.
std::string FormatForm(const std::vector<StoredControl>& controls);
std::vector<StoredControl> ParseForm(std::string_view json, std::string_view source);

// Files. Reading raises as ParseForm, errors::kFileNotFound for a missing file and
// errors::kPathFileAccessError for one that cannot be read, each naming the file and the
// system's reason. Writing replaces the file as ReplaceFile does (file_replace.h), so a failed or
// interrupted write never loses what was on disk. Both remove temporaries dead writers left.
std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path);
void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls);

}  // namespace kestrow::host
