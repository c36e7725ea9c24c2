#include "kestrow/host/registry/component_registry.h"

#include <algorithm>
#include <array>

namespace kestrow::host {

namespace {

bool SameProgId(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string ToString(const Guid& guid) {
  static constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
  std::string text = "{";
  auto put = [&](std::uint32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xFu];
  };
  put(guid.data1, 8);
  text += '-';
  put(guid.data2, 4);
  text += '-';
  put(guid.data3, 4);
  text += '-';
  for (std::size_t i = 0; i < guid.data4.size(); ++i) {
    if (i == 2) text += '-';
    put(guid.data4[i], 2);
  }
  text += '}';
  return text;
}

// --- Class factories -----------------------------------------------------------------------------

std::int32_t ClassFactory::CreateInstance(ControlSite& site, EditBox& box, std::unique_ptr<Component>& out) {
  out.reset();
  if (!make_) return result::kClassNotAvailable;
  out = make_(site, box);
  return out ? result::kOk : result::kClassNotAvailable;
}

std::int32_t ClassFactory::CreatePage(PageFrame& frame, std::unique_ptr<PropertyPage>& out) {
  out.reset();
  if (!make_page_) return result::kClassNotAvailable;
  out = make_page_(frame);
  return out ? result::kOk : result::kClassNotAvailable;
}

std::int32_t ClassFactory::LockServer(bool lock) {
  if (lock) {
    ++locks_;
  } else {
    std::uint32_t current = locks_.load();
    while (current > 0 && !locks_.compare_exchange_weak(current, current - 1)) {
    }
  }
  return result::kOk;
}

std::uint32_t ClassFactory::AddRef() { return ++references_; }

std::uint32_t ClassFactory::Release() {
  // A surplus release must not wrap the count round and keep the library loaded for ever.
  std::uint32_t current = references_.load();
  while (current > 0 && !references_.compare_exchange_weak(current, current - 1)) {
  }
  return current > 0 ? current - 1 : 0;
}

// --- The registry --------------------------------------------------------------------------------

std::int32_t ComponentRegistry::Register(ClassEntry entry) {
  if (entry.prog_id.empty() || !entry.factory) return result::kSelfRegClass;
  const std::scoped_lock lock(mutex_);
  const bool taken = std::ranges::any_of(entries_, [&](const ClassEntry& e) {
    return e.class_id != entry.class_id && SameProgId(e.prog_id, entry.prog_id);
  });
  if (taken) return result::kSelfRegClass;
  const auto position = std::ranges::find(entries_, entry.class_id, &ClassEntry::class_id);
  if (position != entries_.end()) {
    *position = std::move(entry);
  } else {
    entries_.push_back(std::move(entry));
  }
  return result::kOk;
}

bool ComponentRegistry::Unregister(const Guid& class_id) {
  const std::scoped_lock lock(mutex_);
  return std::erase_if(entries_, [&](const ClassEntry& e) { return e.class_id == class_id; }) > 0;
}

std::optional<ClassEntry> ComponentRegistry::Find(const Guid& class_id) const {
  const std::scoped_lock lock(mutex_);
  const auto position = std::ranges::find(entries_, class_id, &ClassEntry::class_id);
  if (position == entries_.end()) return std::nullopt;
  return *position;
}

std::optional<ClassEntry> ComponentRegistry::FindByProgId(std::string_view prog_id) const {
  const std::scoped_lock lock(mutex_);
  const auto position =
      std::ranges::find_if(entries_, [&](const ClassEntry& e) { return SameProgId(e.prog_id, prog_id); });
  if (position == entries_.end()) return std::nullopt;
  return *position;
}

std::size_t ComponentRegistry::Size() const {
  const std::scoped_lock lock(mutex_);
  return entries_.size();
}

ComponentRegistry& ProcessRegistry() {
  static ComponentRegistry registry;
  return registry;
}

}  // namespace kestrow::host
