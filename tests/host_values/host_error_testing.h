// Helpers for tests that check which host error an action raises.
#pragma once

#include <optional>
#include <utility>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host::test_support {

// The HostError the action raises, or nothing when it returns normally.
template <typename Action>
std::optional<HostError> Raised(Action&& action) {
  try {
    action();
  } catch (const HostError& error) {
    return error;
  }
  return std::nullopt;
}

// The number of the HostError the action raises, or nothing when it returns normally.
template <typename Action>
std::optional<int> RaisedError(Action&& action) {
  const std::optional<HostError> error = Raised(std::forward<Action>(action));
  return error ? std::optional<int>(error->Number()) : std::nullopt;
}

}  // namespace kestrow::host::test_support
