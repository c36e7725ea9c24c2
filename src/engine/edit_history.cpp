#include "kestrow/engine/edit_history.h"

#include <algorithm>
#include <iterator>

namespace kestrow::engine {

namespace {

// Whether `text` holds `part` at `start`.
bool Holds(std::u16string_view text, std::size_t start, std::u16string_view part) {
  return start <= text.size() && text.substr(start, part.size()) == part;
}

// Moves the last `count` elements of `from` to the end of `to`, in their order.
template <typename From, typename To>
void MoveLast(From& from, std::size_t count, To& to) {
  const auto first = from.end() - static_cast<std::ptrdiff_t>(count);
  to.insert(to.end(), std::make_move_iterator(first), std::make_move_iterator(from.end()));
  from.erase(first, from.end());
}

}  // namespace

void EditHistory::Open(Selection before, std::uint64_t revision) {
  Knows(revision);
  open_ = {0, before, {}};
  open_forgotten_ = false;
  open_revision_ = revision;
}

void EditHistory::NoteWrite(std::int32_t start, std::u16string_view removed, std::u16string_view inserted) {
  if (!Recording() || removed == inserted) return;
  Write& write = done_writes_.emplace_back();
  write.start = start;
  write.removed = static_cast<std::int32_t>(removed.size());
  write.text.reserve(removed.size() + inserted.size());
  write.text.append(removed).append(inserted);
  ++open_.writes;
}

void EditHistory::NoteWholeText(std::u16string_view before, std::u16string_view after) {
  if (!Recording()) return;
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  NoteWrite(static_cast<std::int32_t>(head), before.substr(head, before.size() - head - tail),
            after.substr(head, after.size() - head - tail));
}

void EditHistory::Close(Selection after, std::uint64_t revision) {
  // Each noted write changed the text once; any other change was somebody else's.
  const bool allNoted = revision - open_revision_ == open_.writes;
  revision_ = revision;
  if (open_forgotten_ || !allNoted) return Forget();
  if (open_.writes == 0) return;
  open_.after = after;
  done_.push_back(open_);
  if (done_.size() > kMaxSteps) {
    done_writes_.erase(done_writes_.begin(), done_writes_.begin() + static_cast<std::ptrdiff_t>(done_.front().writes));
    done_.pop_front();
  }
  undone_.clear();
  undone_writes_.clear();
}

std::optional<EditHistory::Restored> EditHistory::Undo(std::u16string_view current, std::uint64_t revision) {
  if (!Knows(revision) || done_.empty()) return std::nullopt;
  const Step step = done_.back();
  std::u16string text(current);
  for (auto write = done_writes_.rbegin(); write != done_writes_.rbegin() + static_cast<std::ptrdiff_t>(step.writes); ++write) {
    const auto start = static_cast<std::size_t>(write->start);
    if (!Holds(text, start, write->Inserted())) {
      Forget();  // not the text the step left: never write a guess
      return std::nullopt;
    }
    text.replace(start, write->Inserted().size(), write->Removed());
  }
  MoveLast(done_writes_, step.writes, undone_writes_);
  done_.pop_back();
  undone_.push_back(step);
  return Restored{std::move(text), step.before};
}

std::optional<EditHistory::Restored> EditHistory::Redo(std::u16string_view current, std::uint64_t revision) {
  if (!Knows(revision) || undone_.empty()) return std::nullopt;
  const Step step = undone_.back();
  std::u16string text(current);
  for (auto write = undone_writes_.end() - static_cast<std::ptrdiff_t>(step.writes); write != undone_writes_.end(); ++write) {
    const auto start = static_cast<std::size_t>(write->start);
    if (!Holds(text, start, write->Removed())) {
      Forget();
      return std::nullopt;
    }
    text.replace(start, write->Removed().size(), write->Inserted());
  }
  MoveLast(undone_writes_, step.writes, done_writes_);
  undone_.pop_back();
  done_.push_back(step);
  return Restored{std::move(text), step.after};
}

void EditHistory::Forget() {
  done_.clear();
  done_writes_.clear();
  undone_.clear();
  undone_writes_.clear();
  open_.writes = 0;
  if (Recording()) open_forgotten_ = true;
}

bool EditHistory::Knows(std::uint64_t revision) {
  if (revision_ == revision) return true;
  Forget();
  return false;
}

}  // namespace kestrow::engine
