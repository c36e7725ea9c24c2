// Host events raised from inside another (a handler calling Focus, say) are part of the outer
// one: what follows a host event (the queued focus moves) runs once, when the outermost is done.
#pragma once

#include <functional>

namespace kestrow::host {

class HostEventNesting {
 public:
  // Runs `event`; when it is the outermost, then `after`. An exception from either leaves
  // through here, the outermost running `abandon` first (moves asked for by an aborted event
  // are void).
  void Run(const std::function<void()>& event, const std::function<void()>& after, const std::function<void()>& abandon);

 private:
  int depth_ = 0;
};

}  // namespace kestrow::host
