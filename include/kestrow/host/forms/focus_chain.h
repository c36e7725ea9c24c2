// The focus of one window's elements (a form's fields, a property page's lists and boxes): the
// moves its host events ask for are queued and carried out once the outermost host event is done,
// in order, each from the focus of that time. A host event raised inside another (a handler
// calling Focus, say) is part of the outer one. At most kMaxMovesPerEvent moves follow one host
// event, so that handlers sending the focus back and forth forever cannot hang the host.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

namespace kestrow::host {

class TextBox;

class FocusChain {
 public:
  static constexpr int kMaxMovesPerEvent = 1000;

  // A move asked for: to the next or previous element of the tab order, or to a box.
  struct Move {
    enum class Kind { Next, Previous, To };
    Kind kind = Kind::To;
    const TextBox* box = nullptr;  // for To
  };

  void Ask(Move move) { moves_.push_back(move); }
  // Forgets the moves to a box that leaves the window.
  void Forget(const TextBox* box) {
    std::erase_if(moves_, [&](const Move& move) { return move.kind == Move::Kind::To && move.box == box; });
  }

  // Runs `event` as a host event; when it is the outermost, `carry_out` then takes each move asked
  // for. An exception leaves through here, the outermost forgetting the moves asked for: those of
  // an aborted event are void. Taken as callables, not std::function: every key comes here.
  template <typename Event, typename CarryOut>
  void Run(Event&& event, CarryOut&& carry_out) {
    const bool outermost = depth_ == 0;
    ++depth_;
    try {
      event();
      if (outermost && !moves_.empty()) CarryOutMoves(carry_out);
    } catch (...) {
      --depth_;
      if (outermost) moves_.clear();
      throw;
    }
    --depth_;
  }

  // The place after `from` among `count` (before it when `backwards`) that `reachable` admits,
  // wrapping around; from none, the first (or the last); none when no place is reachable.
  template <typename Reachable>
  static std::optional<std::size_t> Neighbour(std::optional<std::size_t> from, std::size_t count, bool backwards,
                                              Reachable&& reachable) {
    if (count == 0) return std::nullopt;
    // From nothing, start just outside the end so the first step lands on the first (or last).
    std::size_t index = from ? *from : (backwards ? 0 : count - 1);
    for (std::size_t step = 0; step < count; ++step) {
      index = backwards ? (index + count - 1) % count : (index + 1) % count;
      if (reachable(index)) return index;
    }
    return std::nullopt;
  }

 private:
  template <typename CarryOut>
  void CarryOutMoves(CarryOut& carry_out) {
    for (int moves = 0; !moves_.empty() && moves < kMaxMovesPerEvent; ++moves) {
      const Move move = moves_.front();
      moves_.pop_front();
      carry_out(move);
    }
    moves_.clear();
  }

  std::deque<Move> moves_;
  int depth_ = 0;
};

}  // namespace kestrow::host
