// The key codes and shift states the boxes and the field's own key handling act on.
#pragma once

#include <cstdint>

namespace kestrow::host {

namespace keys {
inline constexpr std::int16_t kBackspace = 8;
inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kEnd = 35;
inline constexpr std::int16_t kHome = 36;
inline constexpr std::int16_t kLeft = 37;
inline constexpr std::int16_t kUp = 38;
inline constexpr std::int16_t kRight = 39;
inline constexpr std::int16_t kDown = 40;
inline constexpr std::int16_t kInsert = 45;
inline constexpr std::int16_t kDelete = 46;
inline constexpr std::int16_t kA = 65;
inline constexpr std::int16_t kC = 67;
inline constexpr std::int16_t kV = 86;
inline constexpr std::int16_t kX = 88;
inline constexpr std::int16_t kY = 89;
inline constexpr std::int16_t kZ = 90;
inline constexpr std::int16_t kF4 = 115;

inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

inline constexpr std::int16_t kCtrlV = 22;  // the paste character
}  // namespace keys

}  // namespace kestrow::host
