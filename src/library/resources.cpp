#include "library/resources.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "kestrow/library/entry_points.h"

namespace kestrow::library {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;
constexpr int kBitsPerPixel = 4;
constexpr int kPaletteSize = 16;
// Rows are padded to whole 32-bit words.
constexpr int kRowStride = (kWidth * kBitsPerPixel + 31) / 32 * 4;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize * 4;
constexpr int kFileSize = kPixelOffset + kRowStride * kHeight;

// The standard 16 colours as R, G, B, in palette order.
constexpr std::array<std::array<std::uint8_t, 3>, kPaletteSize> kPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

// A sunken entry field holding "ab" and a caret, top row first. '.' silver, 'g' grey, 'k' black,
// 'w' white.
constexpr std::array<std::string_view, kHeight> kGlyph{
    "................", "................", "gggggggggggggggw", "gkkkkkkkkkkkkk.w", "gkwwwwwwwwwwwk.w",
    "gkwwwwwwkwwwwk.w", "gkwwwwwwkwwwwk.w", "gkwwkkwwkkkwwk.w", "gkwwwwkwkwwkwk.w", "gkwwkkkwkwwkwk.w",
    "gkwkwwkwkwwkwk.w", "gkwwkkkwkkkwwk.w", "gk.............w", "wwwwwwwwwwwwwwww", "................",
};

constexpr std::uint8_t PaletteIndex(char c) {
  switch (c) {
    case 'k': return 0;
    case 'g': return 8;
    case 'w': return 15;
    default: return 7;
  }
}

constexpr void Put16(std::array<std::uint8_t, kFileSize>& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFFu);
  bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFFu);
}

constexpr void Put32(std::array<std::uint8_t, kFileSize>& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, value & 0xFFFFu);
  Put16(bytes, at + 2, value >> 16);
}

constexpr std::array<std::uint8_t, kFileSize> ToolboxBitmap() {
  for (const std::string_view row : kGlyph) {
    if (row.size() != kWidth) throw "toolbox glyph rows must be 16 pixels wide";
  }
  std::array<std::uint8_t, kFileSize> bytes{};
  // BITMAPFILEHEADER
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, kFileSize);
  Put32(bytes, 10, kPixelOffset);
  // BITMAPINFOHEADER: a positive height stores the rows bottom-up; no compression.
  Put32(bytes, 14, kInfoHeaderSize);
  Put32(bytes, 18, kWidth);
  Put32(bytes, 22, kHeight);
  Put16(bytes, 26, 1);
  Put16(bytes, 28, kBitsPerPixel);
  Put32(bytes, 34, kRowStride * kHeight);
  Put32(bytes, 46, kPaletteSize);
  // The palette as blue, green, red, reserved.
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    const std::size_t at = kFileHeaderSize + kInfoHeaderSize + i * 4;
    bytes[at] = kPalette[i][2];
    bytes[at + 1] = kPalette[i][1];
    bytes[at + 2] = kPalette[i][0];
  }
  // Two pixels a byte, the left one in the high nibble.
  for (std::size_t y = 0; y < kGlyph.size(); ++y) {
    const std::string_view row = kGlyph[kGlyph.size() - 1 - y];
    const std::size_t start = kPixelOffset + y * kRowStride;
    for (std::size_t x = 0; x < row.size(); x += 2) {
      bytes[start + x / 2] = static_cast<std::uint8_t>(PaletteIndex(row[x]) << 4 | PaletteIndex(row[x + 1]));
    }
  }
  return bytes;
}

constexpr std::array<std::uint8_t, kFileSize> kToolboxBitmap = ToolboxBitmap();

}  // namespace

std::span<const std::uint8_t> FindResource(int id) {
  if (id == kToolboxBitmapId) return kToolboxBitmap;
  return {};
}

}  // namespace kestrow::library

extern "C" const std::uint8_t* KestrowFindResource(std::int32_t id, std::size_t* size) {
  const std::span<const std::uint8_t> bytes = kestrow::library::FindResource(id);
  if (size) *size = bytes.size();
  return bytes.empty() ? nullptr : bytes.data();
}
