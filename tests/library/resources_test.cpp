// The version record and the toolbox picture, read back as a host's resource reader would.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "kestrow/library/entry_points.h"
#include "kestrow/version.h"

namespace {

constexpr std::int32_t kToolboxBitmap = 30000;

std::uint32_t Read16(const std::uint8_t* at) { return static_cast<std::uint32_t>(at[0] | at[1] << 8); }
std::uint32_t Read32(const std::uint8_t* at) { return Read16(at) | Read16(at + 2) << 16; }
std::int32_t ReadSigned32(const std::uint8_t* at) { return static_cast<std::int32_t>(Read32(at)); }

TEST(Version, FixedFields) {
  const KestrowVersionInfo* info = KestrowGetVersionInfo();
  ASSERT_NE(info, nullptr);
  // The build's one version, as the About box and the program print it.
  EXPECT_EQ(std::u16string_view(info->file_version), u"" KESTROW_VERSION_STRING);
  EXPECT_EQ(std::u16string_view(info->product_version), u"" KESTROW_VERSION_STRING);
  EXPECT_EQ(info->language, 0x0409);   // US English
  EXPECT_EQ(info->code_page, 0x04B0);  // UTF-16
}

TEST(Version, StringTableHoldsTheExpectedKeysWithSelfRegistrationFlagEmpty) {
  const KestrowVersionInfo* info = KestrowGetVersionInfo();
  ASSERT_NE(info, nullptr);
  std::set<std::string> keys;
  for (std::size_t i = 0; i < info->entry_count; ++i) {
    const KestrowVersionEntry& entry = info->entries[i];
    ASSERT_NE(entry.key, nullptr);
    ASSERT_NE(entry.value, nullptr);
    EXPECT_TRUE(keys.insert(entry.key).second) << "repeated " << entry.key;
    const std::u16string_view value(entry.value);
    if (std::string_view(entry.key) == "OLESelfRegister") {
      EXPECT_TRUE(value.empty());
    } else {
      EXPECT_FALSE(value.empty()) << entry.key;
    }
    if (std::string_view(entry.key) == "ProductName") {
      EXPECT_EQ(value, u"Kestrow");
    }
    if (std::string_view(entry.key) == "CompanyName") {
      EXPECT_EQ(value, u"Kestrow Components");
    }
  }
  EXPECT_EQ(keys,
            (std::set<std::string>{"CompanyName", "FileDescription", "ProductName", "Comments", "OLESelfRegister"}));
}

TEST(Resources, UnknownIdsHaveNoBytes) {
  std::size_t size = 99;
  EXPECT_EQ(KestrowFindResource(1, &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(KestrowFindResource(kToolboxBitmap + 1, &size), nullptr);
  EXPECT_NE(KestrowFindResource(kToolboxBitmap, nullptr), nullptr);  // the size is optional
}

TEST(Resources, ToolboxBitmapIsAWellFormedSixteenColourBitmap) {
  std::size_t size = 0;
  const std::uint8_t* bmp = KestrowFindResource(kToolboxBitmap, &size);
  ASSERT_NE(bmp, nullptr);
  ASSERT_GE(size, 54u);

  // BITMAPFILEHEADER
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp + 2), size);
  EXPECT_EQ(Read32(bmp + 6), 0u);
  const std::uint32_t pixels = Read32(bmp + 10);

  // BITMAPINFOHEADER
  EXPECT_EQ(Read32(bmp + 14), 40u);
  const std::int32_t width = ReadSigned32(bmp + 18);
  const std::int32_t height = ReadSigned32(bmp + 22);
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 15);  // positive: bottom-up
  EXPECT_EQ(Read16(bmp + 26), 1u);
  EXPECT_EQ(Read16(bmp + 28), 4u);
  EXPECT_EQ(Read32(bmp + 30), 0u);  // uncompressed
  const std::uint32_t colours = Read32(bmp + 46) == 0 ? 16u : Read32(bmp + 46);
  EXPECT_EQ(colours, 16u);

  // The palette sits between the headers and the pixels, four bytes a colour.
  EXPECT_EQ(pixels, 14u + 40u + colours * 4u);
  for (std::uint32_t i = 0; i < colours; ++i) EXPECT_EQ(bmp[54 + i * 4 + 3], 0) << "reserved byte of colour " << i;

  const std::uint32_t stride = (16u * 4u + 31u) / 32u * 4u;
  EXPECT_EQ(stride, 8u);
  EXPECT_EQ(pixels + stride * 15u, size);
  const std::uint32_t imageSize = Read32(bmp + 34);
  EXPECT_TRUE(imageSize == 0 || imageSize == stride * 15u);
}

}  // namespace
