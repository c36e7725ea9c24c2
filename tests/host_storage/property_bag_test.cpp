#include <gtest/gtest.h>

#include "kestrow/host/storage/property_bag.h"

namespace kestrow::host {
namespace {

TEST(PropertyBag, ReadGivesTheStoredValueOrTheDefaultAndRemembersTheKey) {
  PropertyBag bag;
  EXPECT_FALSE(bag.LastKeyRead());
  bag.WriteProperty("Length", Variant::Integer(12), Variant::Integer(10));
  EXPECT_EQ(bag.ReadProperty("Length", Variant::Integer(10)), Variant::Integer(12));
  EXPECT_EQ(bag.LastKeyRead(), "Length");
  // Keys compare exactly: neither case nor a prefix finds the stored key.
  EXPECT_EQ(bag.ReadProperty("length", Variant::Long(7)), Variant::Long(7));
  EXPECT_EQ(bag.LastKeyRead(), "length");
  EXPECT_EQ(bag.ReadProperty("Len", Variant()), Variant());
  EXPECT_FALSE(bag.Contains("Len"));
  EXPECT_EQ(bag.LastKeyRead(), "Len");
}

// Also: a value equal to its default is stored, and a rewritten key keeps its place.
TEST(PropertyBag, KeysKeepTheOrderFirstWritten) {
  PropertyBag bag;
  constexpr int kKeys = 20000;
  for (int i = kKeys; i > 0; --i) bag.WriteProperty("k" + std::to_string(i), Variant::Long(i), Variant());
  ASSERT_EQ(bag.Entries().size(), static_cast<std::size_t>(kKeys));
  EXPECT_EQ(bag.Entries().front().first, "k20000");
  EXPECT_EQ(bag.Entries().back().first, "k1");
  bag.WriteProperty("k20000", Variant::Integer(1), Variant::Integer(1));
  EXPECT_EQ(bag.Entries().front(), (PropertyBag::Entry{"k20000", Variant::Integer(1)}));
  EXPECT_EQ(bag.Entries().size(), static_cast<std::size_t>(kKeys));
  for (int i = 1; i < kKeys; i += 997)
    EXPECT_EQ(bag.ReadProperty("k" + std::to_string(i), Variant()), Variant::Long(i));
}

}  // namespace
}  // namespace kestrow::host
