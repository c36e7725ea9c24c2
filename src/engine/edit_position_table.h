// Where the caret of a mask field may stand and where each mask field ends, worked out once from
// the mask and the edit template so that every key asks in constant time, whatever the length.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrow::engine {

class EditPositionTable {
 public:
  EditPositionTable() = default;
  // An edit position is a blank of the template over a mask character that is neither a blank
  // nor missing (the template may be longer than the mask).
  EditPositionTable(std::u16string_view mask, std::u16string_view editTemplate);

  // Positions are 0-based and run over the template.
  bool IsEditPos(std::int32_t index) const { return index >= 0 && index < Length() && FirstFrom(index) == index; }
  // The template's length when there is none.
  std::int32_t First() const { return FirstFrom(0); }
  // -1 when there is none.
  std::int32_t Last() const { return LastBefore(Length()); }
  // The nearest edit position after (before) p; p itself when there is none.
  std::int32_t Next(std::int32_t p) const {
    const std::int32_t from = p < 0 ? 0 : p + 1;
    if (from >= Length()) return p;
    const std::int32_t next = FirstFrom(from);
    return next == Length() ? p : next;
  }
  std::int32_t Previous(std::int32_t p) const {
    const std::int32_t before = p > Length() ? Length() : p;
    if (before <= 0) return p;
    const std::int32_t previous = LastBefore(before);
    return previous < 0 ? p : previous;
  }
  // The 1-based end (start) of the run of equal mask characters that holds the 1-based position
  // p (1 to the mask's length); a position outside the mask is its own end and start.
  std::int32_t FieldEnd(std::int32_t p) const { return InMask(p) ? field_end_[static_cast<std::size_t>(p - 1)] : p; }
  std::int32_t FieldStart(std::int32_t p) const {
    return InMask(p) ? field_start_[static_cast<std::size_t>(p - 1)] : p;
  }

 private:
  std::int32_t Length() const { return static_cast<std::int32_t>(first_from_.size()) - 1; }
  bool InMask(std::int32_t p) const { return p >= 1 && p <= static_cast<std::int32_t>(field_end_.size()); }
  std::int32_t FirstFrom(std::int32_t j) const { return first_from_[static_cast<std::size_t>(j)]; }
  std::int32_t LastBefore(std::int32_t j) const { return last_before_[static_cast<std::size_t>(j)]; }

  // For j from 0 to the template's length: the first edit position at or after j (the length
  // when none), and the last one before j (-1 when none).
  std::vector<std::int32_t> first_from_{0};
  std::vector<std::int32_t> last_before_{-1};
  std::vector<std::int32_t> field_end_;    // field_end_[p - 1] is FieldEnd(p)
  std::vector<std::int32_t> field_start_;  // and field_start_[p - 1] FieldStart(p)
};

}  // namespace kestrow::engine
