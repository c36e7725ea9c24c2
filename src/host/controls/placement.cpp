#include "kestrow/host/controls/placement.h"

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

namespace {

std::int32_t RequireSize(std::int32_t size) {
  if (size < 0) errors::RaiseInvalidPropertyValue();
  return size;
}

}  // namespace

// Checked before anything is stored, so a refused size leaves the whole placement unchanged.
Placement::Placement(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
    : left_(left), top_(top), width_(RequireSize(width)), height_(RequireSize(height)) {}

void Placement::SetWidth(std::int32_t width) { width_ = RequireSize(width); }

void Placement::SetHeight(std::int32_t height) { height_ = RequireSize(height); }

}  // namespace kestrow::host
