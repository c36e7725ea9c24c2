#include "kestrow/host/host_event_nesting.h"

namespace kestrow::host {

void HostEventNesting::Run(const std::function<void()>& event, const std::function<void()>& after,
                           const std::function<void()>& abandon) {
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

}  // namespace kestrow::host
