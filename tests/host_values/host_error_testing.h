// Helpers for tests that check which host error an action raises.
#pragma once

#include <optional>

#include "kestrow/host/host_error.h"

namespace kestrow::host::test_support {

// The number of the HostError the action raises, or nothing when it returns normally.
template <typename Action>
std::optional<int> RaisedError(Action&& action) {
  try {
    action();
  } catch (const HostError& error) {
    return error.Number();
  }
  return std::nullopt;
}

}  // namespace kestrow::host::test_support
