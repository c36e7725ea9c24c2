// One thing the form recorded, made so that recording an event copies no characters and asks for
// no memory in the common case: the control's name is shared with its element, names raised as
// literals are held as they are and others kept once for the program, and up to four arguments
// sit in the record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kestrow/host/values/variant.h"

namespace kestrow::host {

// A name held by an element and by every record of it.
class SharedName {
 public:
  SharedName() = default;
  explicit SharedName(std::u16string_view name) : name_(std::make_shared<const std::u16string>(name)) {}
  std::u16string_view View() const { return name_ ? std::u16string_view(*name_) : std::u16string_view(); }
  operator std::u16string_view() const { return View(); }  // NOLINT: read as the name it is
  friend bool operator==(const SharedName& a, std::u16string_view b) { return a.View() == b; }

 private:
  std::shared_ptr<const std::u16string> name_;
};

// The name kept once for the program's life: the same text always gives the same view. Safe to
// call from several threads.
std::string_view InternedName(std::string_view name);

// A form's own front for InternedName: the names it met last, found without a lock by where the
// caller keeps them (a string literal stays put) and checked character by character.
class NameCache {
 public:
  std::string_view Intern(std::string_view name) {
    const Slot& slot = slots_[SlotOf(name)];
    if (slot.source == name.data() && slot.interned == name) return slot.interned;
    return Refill(name);
  }

 private:
  struct Slot {
    const char* source = nullptr;
    std::string_view interned;
  };
  static constexpr std::size_t kSlots = 64;

  static std::size_t SlotOf(std::string_view name) {
    // Fibonacci hashing: nearby literals spread over the slots.
    const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(name.data())) + name.size();
    static_assert(kSlots == 64, "the hash keeps six bits");
    return static_cast<std::size_t>((address * 0x9E3779B97F4A7C15u) >> 58);
  }
  std::string_view Refill(std::string_view name);

  std::array<Slot, kSlots> slots_{};
};

struct RecordArg {
  std::string_view name;
  Variant value;
};

// An event's arguments as raised: in the record up to kInline (only those there are made), in a
// vector of their own beyond.
class RecordArgs {
 public:
  static constexpr std::size_t kInline = 4;

  RecordArgs() {}  // NOLINT(modernize-use-equals-default): the inline slots stay unmade
  RecordArgs(const RecordArgs& other) : RecordArgs() { Append(other); }
  RecordArgs(RecordArgs&& other) noexcept : RecordArgs() { TakeFrom(other); }
  RecordArgs& operator=(const RecordArgs& other);
  RecordArgs& operator=(RecordArgs&& other) noexcept;
  ~RecordArgs() { std::destroy_n(inline_, count_); }

  void emplace_back(std::string_view name, const Variant& value) {
    if (spilled_.empty() && count_ < kInline) {
      ::new (static_cast<void*>(inline_ + count_)) RecordArg{name, value};
      ++count_;
    } else {
      Spill(name, value);
    }
  }
  const RecordArg* begin() const { return spilled_.empty() ? inline_ : spilled_.data(); }
  const RecordArg* end() const { return begin() + size(); }
  std::size_t size() const { return spilled_.empty() ? count_ : spilled_.size(); }
  bool empty() const { return size() == 0; }
  const RecordArg& operator[](std::size_t index) const { return begin()[index]; }

 private:
  void Spill(std::string_view name, const Variant& value);
  void Append(const RecordArgs& other);
  void TakeFrom(RecordArgs& other) noexcept;
  void Clear() noexcept;

  union {
    RecordArg inline_[kInline];  // the first count_ made
  };
  std::size_t count_ = 0;
  std::vector<RecordArg> spilled_;
};

struct HostRecord {
  enum class Kind { Event, PropertyChanged, MsgBox, SendKeys, Focus, Dialog };
  // Made member by member; a record without a constructor of its own would be zeroed whole
  // first by emplace_back(), for every event.
  explicit HostRecord(Kind record_kind = Kind::Event) : kind(record_kind) {}

  Kind kind = Kind::Event;
  SharedName control;     // Event, PropertyChanged, Dialog: the control's name
  std::string_view name;  // Event: the event; PropertyChanged: the property (lasting as long as the program)
  RecordArgs args;        // Event: the arguments as raised
  // MsgBox: the prompt; SendKeys: the keys; Focus: the element given it; Dialog: its caption
  std::u16string text;
  int buttons = 0;                        // MsgBox
  std::optional<std::u16string> caption;  // MsgBox: empty when no caption was given
  // Dialog, as shown once loaded: its label texts in tab order, and every control's caption.
  std::vector<std::u16string> labels;
  std::vector<std::pair<std::string, std::u16string>> captions;
};

}  // namespace kestrow::host
