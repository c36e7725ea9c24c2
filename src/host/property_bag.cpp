#include "kestrow/host/property_bag.h"

namespace kestrow::host {

Variant PropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) {
  last_key_read_ = std::string(key);
  const auto found = index_.find(key);
  return found == index_.end() ? defaultValue : entries_[found->second].second;
}

// The default is not consulted: the stored form always says every value, so it reads the same
// whatever defaults a later version assumes.
void PropertyBag::WriteProperty(std::string_view key, const Variant& value, const Variant& /*defaultValue*/) {
  if (const auto found = index_.find(key); found != index_.end()) {
    entries_[found->second].second = value;
    return;
  }
  entries_.emplace_back(std::string(key), value);
  try {
    index_.emplace(std::string(key), entries_.size() - 1);
  } catch (...) {
    entries_.pop_back();  // keep the entries and the index in step
    throw;
  }
}

}  // namespace kestrow::host
