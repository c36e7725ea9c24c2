// Host events raised from inside another (a handler calling Focus, say) are part of the outer
// one: what follows a host event (the queued focus moves) runs once, when the outermost is done.
#pragma once

namespace kestrow::host {

class HostEventNesting {
 public:
  // Runs `event`; when it is the outermost, then `after`. An exception from either leaves
  // through here, the outermost running `abandon` first (moves asked for by an aborted event
  // are void). Taken as callables, not std::function: every key goes through here.
  template <typename Event, typename After, typename Abandon>
  void Run(Event&& event, After&& after, Abandon&& abandon) {
    const bool outermost = depth_ == 0;
    ++depth_;
    try {
      event();
      if (outermost) after();
    } catch (...) {
      --depth_;
      if (outermost) abandon();
      throw;
    }
    --depth_;
  }

 private:
  int depth_ = 0;
};

}  // namespace kestrow::host
