// The library's resources, by number.
#pragma once

#include <cstdint>
#include <span>

namespace kestrow::library {

// The toolbox picture of the Text control: a 16 x 15 Windows bitmap of 16 colours.
inline constexpr int kToolboxBitmapId = 30000;

// Empty for an unknown id.
std::span<const std::uint8_t> FindResource(int id);

}  // namespace kestrow::library
