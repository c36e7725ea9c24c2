#include "kestrow/host/storage/property_bag.h"

namespace kestrow::host {

Variant PropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) {
  last_key_read_ = std::string(key);
  const auto found = index_.find(key);
  if (found == index_.end()) return defaultValue;
  read_[found->second] = true;
  return entries_[found->second].second;
}

std::vector<PropertyBag::Entry> PropertyBag::EntriesNotRead() const {
  std::vector<Entry> unread;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!read_[i]) unread.push_back(entries_[i]);
  }
  return unread;
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
    read_.push_back(false);
    index_.emplace(std::string(key), entries_.size() - 1);
  } catch (...) {
    // keep the entries, the read marks and the index in step
    read_.resize(entries_.size() - 1);
    entries_.pop_back();
    throw;
  }
}

}  // namespace kestrow::host
