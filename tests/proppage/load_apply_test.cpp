// Loading the first selected control into the page and writing the page back to it.
#include "page_fixture.h"

#include "kestrow/control/dispatch.h"

namespace kestrow::testing {
namespace {

host::Variant Get(control::Text& text, std::string_view name) { return text.GetProperty(name); }

TEST_F(PageTest, ANewControlLoadsAsTenCharactersOfAnyKindAndUnchanged) {
  Open();
  EXPECT_EQ(Selected("cmbDataType"), "0 - AlphaNumeric");
  EXPECT_EQ(Selected("cmbInputFormat"), "X - Alpha, Digits, Space & Symbol");
  EXPECT_EQ(Selected("cmbDisplayFormat"), "(None)");
  EXPECT_EQ(Text("txtLength"), "10");
  EXPECT_EQ(Text("txtMask"), host::ToUtf8(First().GetProperty("Mask").AsString()));
  EXPECT_FALSE(Changed());
  EXPECT_FALSE(Field("txtDecPlaces").Visible());
  EXPECT_FALSE(Caption("lblDecPlaces").Visible());
}

TEST_F(PageTest, AnAmountChosenOnThePageReachesTheControl) {
  Open();
  Pick("cmbDataType", u"1 - Numeric");
  EXPECT_TRUE(Changed());
  Pick("cmbInputFormat", u", - Amount in Thousands Format");
  Pick("cmbDisplayFormat", u"( - Enclose -ve Value in Bracket");
  Retype("txtDecPlaces", u"2");
  EXPECT_EQ(Text("txtMask"), "99,99,999.99");
  Frame().Apply();
  EXPECT_EQ(Whole(First(), "DataType"), 1);
  EXPECT_EQ(Whole(First(), "InputFormat"), 8);
  EXPECT_EQ(Whole(First(), "DisplayFormat"), 5);
  EXPECT_EQ(Whole(First(), "Length"), 10);
  EXPECT_EQ(Whole(First(), "DecimalPlaces"), 2);
  EXPECT_EQ(Whole(Second(), "DataType"), 0) << "only the first selected control changes";
}

TEST_F(PageTest, ACustomMaskIsCountedWhenLeftAndWrittenOnApply) {
  Open();
  Pick("cmbInputFormat", u"(Custom Format)");
  Retype("txtMask", u"(XXX) 999-9999");
  Frame().Leave();
  EXPECT_EQ(Text("txtLength"), "10");
  Frame().Apply();
  EXPECT_EQ(host::ToUtf8(Get(First(), "Mask").AsString()), "(XXX) 999-9999");
  EXPECT_EQ(Whole(First(), "InputFormat"), 0);
}

}  // namespace
}  // namespace kestrow::testing
