#include "kestrow/host/forms/host_record.h"

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

std::string_view NameCache::Refill(std::string_view name) {
  Slot& slot = slots_[SlotOf(name)];
  slot = {name.data(), InternedName(name)};
  return slot.interned;
}

RecordArgs& RecordArgs::operator=(const RecordArgs& other) {
  if (this != &other) {
    RecordArgs copy(other);
    Clear();
    TakeFrom(copy);
  }
  return *this;
}

RecordArgs& RecordArgs::operator=(RecordArgs&& other) noexcept {
  if (this != &other) {
    Clear();
    TakeFrom(other);
  }
  return *this;
}

void RecordArgs::Spill(std::string_view name, const Variant& value) {
  if (spilled_.empty()) {
    spilled_.reserve(2 * kInline);
    for (std::size_t i = 0; i < count_; ++i) spilled_.push_back(std::move(inline_[i]));
    std::destroy_n(inline_, count_);
    count_ = 0;
  }
  spilled_.push_back({name, value});
}

void RecordArgs::Append(const RecordArgs& other) {
  for (const RecordArg& arg : other) emplace_back(arg.name, arg.value);
}

void RecordArgs::TakeFrom(RecordArgs& other) noexcept {
  for (std::size_t i = 0; i < other.count_; ++i)
    ::new (static_cast<void*>(inline_ + i)) RecordArg(std::move(other.inline_[i]));
  count_ = other.count_;
  spilled_ = std::move(other.spilled_);
  other.Clear();
}

void RecordArgs::Clear() noexcept {
  std::destroy_n(inline_, count_);
  count_ = 0;
  spilled_.clear();
}

}  // namespace kestrow::host
