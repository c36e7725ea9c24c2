// The host's store of a control's named settings, in the order they were written.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kestrow/host/values/variant.h"

namespace kestrow::host {

class PropertyBag {
 public:
  using Entry = std::pair<std::string, Variant>;

  // The stored value, or the default when the bag holds none under that key.
  Variant ReadProperty(std::string_view key, const Variant& defaultValue);
  // Stores the value (defaults included: a stored form says everything explicitly). A key
  // written again keeps its place.
  void WriteProperty(std::string_view key, const Variant& value, const Variant& defaultValue);

  // Whether the key is stored; unlike ReadProperty it leaves LastKeyRead alone.
  bool Contains(std::string_view key) const { return index_.find(key) != index_.end(); }
  const std::vector<Entry>& Entries() const { return entries_; }
  // The stored entries no ReadProperty has asked for: what a later version wrote, to be kept.
  std::vector<Entry> EntriesNotRead() const;
  bool Empty() const { return entries_.empty(); }
  // The key of the last ReadProperty, for reports of a failed read.
  const std::optional<std::string>& LastKeyRead() const { return last_key_read_; }

 private:
  std::vector<Entry> entries_;
  std::vector<bool> read_;  // in step with entries_
  // Each key's place in entries_, so a bag of many keys stays quick to fill and to read.
  std::map<std::string, std::size_t, std::less<>> index_;
  std::optional<std::string> last_key_read_;
};

}  // namespace kestrow::host
