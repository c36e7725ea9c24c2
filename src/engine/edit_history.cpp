#include "kestrow/engine/edit_history.h"

#include <algorithm>

namespace kestrow::engine {

namespace {

// Whether `text` holds `part` at `start`.
bool Holds(std::u16string_view text, std::size_t start, std::u16string_view part) {
  return start <= text.size() && text.substr(start, part.size()) == part;
}

}  // namespace

void EditHistory::Begin(Selection before, std::uint64_t revision) {
  if (depth_++ > 0) return;
  Knows(revision);
  open_.writes.clear();
  open_.before = before;
  open_forgotten_ = false;
  open_revision_ = revision;
}

void EditHistory::NoteWrite(std::int32_t start, std::u16string_view removed, std::u16string_view inserted) {
  if (!Recording() || removed == inserted) return;
  open_.writes.push_back({start, std::u16string(removed), std::u16string(inserted)});
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

void EditHistory::End(Selection after, std::uint64_t revision) {
  if (depth_ == 0 || --depth_ > 0) return;
  // Each noted write changed the text once; any other change was somebody else's.
  const bool allNoted = revision - open_revision_ == open_.writes.size();
  revision_ = revision;
  if (open_forgotten_ || !allNoted) {
    Forget();
    return;
  }
  if (open_.writes.empty()) return;
  open_.after = after;
  undo_.push_back(std::move(open_));
  open_ = {};
  if (undo_.size() > kMaxSteps) undo_.pop_front();
  redo_.clear();
}

std::optional<EditHistory::Restored> EditHistory::Undo(std::u16string_view current, std::uint64_t revision) {
  if (!Knows(revision) || undo_.empty()) return std::nullopt;
  std::u16string text(current);
  const Step& step = undo_.back();
  for (auto write = step.writes.rbegin(); write != step.writes.rend(); ++write) {
    const auto start = static_cast<std::size_t>(write->start);
    if (!Holds(text, start, write->inserted)) {
      Forget();  // not the text the step left: never write a guess
      return std::nullopt;
    }
    text.replace(start, write->inserted.size(), write->removed);
  }
  Restored restored{std::move(text), step.before};
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return restored;
}

std::optional<EditHistory::Restored> EditHistory::Redo(std::u16string_view current, std::uint64_t revision) {
  if (!Knows(revision) || redo_.empty()) return std::nullopt;
  std::u16string text(current);
  const Step& step = redo_.back();
  for (const Write& write : step.writes) {
    const auto start = static_cast<std::size_t>(write.start);
    if (!Holds(text, start, write.removed)) {
      Forget();
      return std::nullopt;
    }
    text.replace(start, write.removed.size(), write.inserted);
  }
  Restored restored{std::move(text), step.after};
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return restored;
}

void EditHistory::Forget() {
  undo_.clear();
  redo_.clear();
  if (Recording()) open_forgotten_ = true;
}

bool EditHistory::Knows(std::uint64_t revision) {
  if (revision_ == revision) return true;
  Forget();
  return false;
}

}  // namespace kestrow::engine
