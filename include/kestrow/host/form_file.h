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
// Containers where the form has none are parsed but not kept, so what is kept of a file stays a
// small multiple of its size.
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

// Files. Reading raises as ParseForm, errors::kFileNotFound for a missing file and
// errors::kPathFileAccessError for one that cannot be read, each naming the file and the
// system's reason. Writing replaces the file as ReplaceFile does (file_replace.h), so a failed or
// interrupted write never loses what was on disk. Both remove temporaries dead writers left.
std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path);
void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls);

}  // namespace kestrow::host
