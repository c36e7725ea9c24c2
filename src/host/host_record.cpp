#include "kestrow/host/host_record.h"

#include <cstdint>
#include <iterator>
#include <mutex>
#include <unordered_set>

namespace kestrow::host {

std::string_view InternedName(std::string_view name) {
  // Never freed: records taken from a form may outlive it. The names are those of events,
  // properties and arguments, a small set.
  static std::mutex mutex;
  static auto* const names = new std::unordered_set<std::string>();
  const std::lock_guard lock(mutex);
  const std::string key(name);
  const auto found = names->find(key);
  return found != names->end() ? *found : *names->insert(key).first;
}

std::string_view NameCache::Intern(std::string_view name) {
  // Fibonacci hashing: nearby literals spread over the slots.
  const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(name.data())) + name.size();
  static_assert(kSlots == 64, "the hash keeps six bits");
  Slot& slot = slots_[(address * 0x9E3779B97F4A7C15u) >> 58];
  if (slot.source != name.data() || slot.interned != name) slot = {name.data(), InternedName(name)};
  return slot.interned;
}

void RecordArgs::push_back(RecordArg arg) {
  if (spilled_.empty() && count_ < kInline) {
    inline_[count_++] = std::move(arg);
    return;
  }
  if (spilled_.empty()) spilled_.assign(std::make_move_iterator(inline_.begin()), std::make_move_iterator(inline_.end()));
  spilled_.push_back(std::move(arg));
}

}  // namespace kestrow::host
