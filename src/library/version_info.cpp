#include "library/version_info.h"

#include <algorithm>
#include <array>

#include "about/about_form.h"
#include "kestrow/library/entry_points.h"
#include "kestrow/version.h"

namespace kestrow::library {

namespace {

// Literals, so every value is null-terminated for the C view.
constexpr std::array<VersionEntry, 5> kEntries{{
    {"CompanyName", about::kMakerCompany},
    {"FileDescription", u"Kestrow masked-entry text field control"},
    {"ProductName", u"Kestrow"},
    {"Comments", u"A single-line entry field that checks each keystroke against a data type and mask"},
    // Hosts look for this key to know the library registers itself.
    {"OLESelfRegister", u""},
}};

constexpr VersionInfo kVersion{u"" KESTROW_VERSION_STRING, u"" KESTROW_VERSION_STRING, 0x0409, 0x04B0, kEntries};

// The C view of the record.
struct CVersionRecord {
  CVersionRecord() {
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
      // Keys are literals too, so their data is null-terminated.
      entries[i] = {kEntries[i].key.data(), kEntries[i].value.data()};
    }
    info = {kVersion.file_version.data(),
            kVersion.product_version.data(),
            kVersion.language,
            kVersion.code_page,
            entries.data(),
            entries.size()};
  }
  std::array<KestrowVersionEntry, kEntries.size()> entries{};
  KestrowVersionInfo info{};
};

}  // namespace

std::optional<std::u16string_view> VersionInfo::Value(std::string_view key) const {
  const auto position = std::ranges::find(entries, key, &VersionEntry::key);
  if (position == entries.end()) return std::nullopt;
  return position->value;
}

const VersionInfo& LibraryVersion() { return kVersion; }

}  // namespace kestrow::library

extern "C" const KestrowVersionInfo* KestrowGetVersionInfo(void) {
  static const kestrow::library::CVersionRecord record;
  return &record.info;
}
