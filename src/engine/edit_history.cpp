#include "engine/edit_history.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace kestrow::engine {

namespace {

// Whether `text` holds `part` at `start`.
bool Holds(std::u16string_view text, std::size_t start, std::u16string_view part) {
  return start <= text.size() && text.substr(start, part.size()) == part;
}

// Moves the last `count` elements of `from` to the end of `to`, in their order.
template <typename Container>
void MoveLast(Container& from, std::size_t count, Container& to) {
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
  open_first_ = INT64_MAX;
  open_reach_ = 0;
  open_growth_ = 0;
}

void EditHistory::NoteWrite(std::int32_t start, std::u16string_view removed, std::u16string_view inserted) {
  if (!Recording() || removed == inserted) return;
  Write& write = done_.writes.emplace_back();
  write.start = start;
  write.removed = static_cast<std::int32_t>(removed.size());
  write.text.reserve(removed.size() + inserted.size());
  write.text.append(removed).append(inserted);
  ++open_.writes;
  // Each write keeps what stands before it and after what it removed; where it wrote, counted in
  // the text as the step found it, is the part those writes shifted back.
  const auto removedLength = static_cast<std::int64_t>(removed.size());
  open_first_ = std::min<std::int64_t>(open_first_, start);
  open_reach_ = std::max(open_reach_, start + removedLength - open_growth_);
  open_growth_ += static_cast<std::int64_t>(inserted.size()) - removedLength;
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

void EditHistory::Close(Selection after, std::uint64_t revision, std::u16string_view current) {
  // Each noted write changed the text once; any other change was somebody else's.
  const bool allNoted = revision - open_revision_ == open_.writes;
  revision_ = revision;
  if (open_forgotten_ || !allNoted) return Forget();
  if (open_.writes == 0) return;
  if (open_.writes > 1 && open_growth_ == 0 && LeftAsFound(current)) {
    // Writes that cancel out (a value pasted over itself) are no step, and drop nothing undone.
    done_.writes.erase(done_.writes.end() - static_cast<std::ptrdiff_t>(open_.writes), done_.writes.end());
    return;
  }
  open_.after = after;
  done_.steps.push_back(open_);
  if (done_.steps.size() > kMaxSteps) {
    done_.writes.erase(done_.writes.begin(),
                       done_.writes.begin() + static_cast<std::ptrdiff_t>(done_.steps.front().writes));
    done_.steps.pop_front();
  }
  if (!undone_.steps.empty()) undone_.Clear();  // a new edit drops what was undone
}

// Only the part the writes reached can differ: it is taken back there alone and compared.
bool EditHistory::LeftAsFound(std::u16string_view current) const {
  const auto first = static_cast<std::size_t>(open_first_);
  const auto reach = static_cast<std::size_t>(open_reach_);
  if (first > reach || reach > current.size()) return false;
  const std::u16string_view now = current.substr(first, reach - first);
  std::u16string found(now);
  for (std::size_t i = 0; i < open_.writes; ++i) {
    const Write& write = done_.writes[done_.writes.size() - 1 - i];
    const auto start = static_cast<std::size_t>(write.start) - first;
    if (!Holds(found, start, write.Inserted())) return false;
    found.replace(start, write.Inserted().size(), write.Removed());
  }
  return found == now;
}

std::optional<EditHistory::Restored> EditHistory::Undo(std::u16string_view current, std::uint64_t revision) {
  return Take(current, revision, done_, undone_, true);
}

std::optional<EditHistory::Restored> EditHistory::Redo(std::u16string_view current, std::uint64_t revision) {
  return Take(current, revision, undone_, done_, false);
}

std::optional<EditHistory::Restored> EditHistory::Take(std::u16string_view current, std::uint64_t revision, Log& from,
                                                       Log& to, bool back) {
  if (!Knows(revision) || from.steps.empty()) return std::nullopt;
  const Step step = from.steps.back();
  const std::size_t last = from.writes.size();
  std::u16string text(current);
  for (std::size_t i = 0; i < step.writes; ++i) {
    // Taken back last first; made again first first.
    const Write& write = back ? from.writes[last - 1 - i] : from.writes[last - step.writes + i];
    const std::u16string_view found = back ? write.Inserted() : write.Removed();
    const auto start = static_cast<std::size_t>(write.start);
    if (!Holds(text, start, found)) {
      Forget();  // not the text the step left: never write a guess
      return std::nullopt;
    }
    text.replace(start, found.size(), back ? write.Removed() : write.Inserted());
  }
  MoveLast(from.writes, step.writes, to.writes);
  from.steps.pop_back();
  to.steps.push_back(step);
  return Restored{std::move(text), back ? step.before : step.after};
}

void EditHistory::Forget() {
  done_.Clear();
  undone_.Clear();
  open_.writes = 0;
  if (Recording()) open_forgotten_ = true;
}

bool EditHistory::Knows(std::uint64_t revision) {
  if (revision_ == revision) return true;
  Forget();
  return false;
}

}  // namespace kestrow::engine
