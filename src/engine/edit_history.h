// What the user's actions wrote during one visit to a field, step by step, so that they can be
// taken back (undo) and made again (redo). A step is one action of the user's (a typed key, a
// deletion, a cut, a paste): the writes it made to the text, in order, and the selection before
// and after it. Only what was written is kept, so a key in a long field costs what it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace kestrow::engine {

class EditHistory {
 public:
  struct Selection {
    std::int32_t start = 0;
    std::int32_t length = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
  };
  // The text and selection a step back or forth gives.
  struct Restored {
    std::u16string text;
    Selection selection;
  };

  static constexpr std::size_t kMaxSteps = 100;

  // A user's action begins, at the box's text revision `revision`. Steps begun inside one belong
  // to it. A history holds only while the text is as its last step left it: when anybody else
  // wrote it since, the history is forgotten.
  void Begin(Selection before, std::uint64_t revision) {
    if (depth_++ == 0) Open(before, revision);
  }
  // Whether the writes now being made belong to a step.
  bool Recording() const { return depth_ > 0; }
  // One write of the text, noted before it is made: at `start`, `removed` gives way to
  // `inserted`. Only writes that change the text are noted.
  void NoteWrite(std::int32_t start, std::u16string_view removed, std::u16string_view inserted);
  // The whole text `before` gives way to `after`: only the part between what they share at
  // either end is noted.
  void NoteWholeText(std::u16string_view before, std::u16string_view after);
  // Ends the step begun last, `current` being the text at `revision`. The outermost step is kept
  // when it changed the text (writes that cancel out make no step), and only when every change of
  // the text since it began was noted.
  void End(Selection after, std::uint64_t revision, std::u16string_view current) {
    if (depth_ > 0 && --depth_ == 0) Close(after, revision, current);
  }
  // Steps back (forth) from `current`, the text at revision `revision`; nothing when there is no
  // step, or the text is no longer the one the history knows.
  std::optional<Restored> Undo(std::u16string_view current, std::uint64_t revision);
  std::optional<Restored> Redo(std::u16string_view current, std::uint64_t revision);
  // The step back or forth was written: the text stands as the history says at `revision`.
  void Settle(std::uint64_t revision) { revision_ = revision; }

  // Forgets every step, the one being recorded included.
  void Forget();
  std::size_t UndoSteps() const { return done_.steps.size(); }
  std::size_t RedoSteps() const { return undone_.steps.size(); }

 private:
  // One write: at `start`, the first `removed` characters of `text` gave way to the rest.
  struct Write {
    std::int32_t start = 0;
    std::int32_t removed = 0;
    std::u16string text;
    std::u16string_view Removed() const {
      return std::u16string_view(text).substr(0, static_cast<std::size_t>(removed));
    }
    std::u16string_view Inserted() const { return std::u16string_view(text).substr(static_cast<std::size_t>(removed)); }
  };
  struct Step {
    std::size_t writes = 0;  // its writes are the last this many of its log's
    Selection before;
    Selection after;
  };
  // Steps, the latest last, and their writes in one list, each step's in the order made. One
  // list keeps a typed key from asking for memory of its own.
  struct Log {
    std::deque<Step> steps;
    std::deque<Write> writes;
    void Clear() {
      steps.clear();
      writes.clear();
    }
  };
  void Open(Selection before, std::uint64_t revision);
  void Close(Selection after, std::uint64_t revision, std::u16string_view current);
  // Whether the open step's writes, which kept the text's length, left `current` as they found it.
  bool LeftAsFound(std::u16string_view current) const;
  // Takes the last step of `from` back (`back`) or makes it again, from `current` at `revision`,
  // and moves it to `to`.
  std::optional<Restored> Take(std::u16string_view current, std::uint64_t revision, Log& from, Log& to, bool back);
  // Whether the text at `revision` is the one the history knows; forgets it when not.
  bool Knows(std::uint64_t revision);

  // The steps that can be undone, oldest first; the open step's writes follow theirs.
  Log done_;
  // The steps undone, the last undone last.
  Log undone_;
  int depth_ = 0;
  Step open_;
  bool open_forgotten_ = false;
  std::uint64_t open_revision_ = 0;
  // What the open step's writes reach, in the text as it found them: from the first place any of
  // them wrote to the last; and how much longer they made the text.
  std::int64_t open_first_ = 0;
  std::int64_t open_reach_ = 0;
  std::int64_t open_growth_ = 0;
  // The box's text revision at which the text is as the last step (or step back) left it.
  std::optional<std::uint64_t> revision_;
};

}  // namespace kestrow::engine
