// How the host places, sizes and replaces controls.
#include <gtest/gtest.h>

#include "script_fixture.h"

namespace kestrow::script::testing {
namespace {

TEST(Placement, ControlsAreSizedWhenPlacedAndKeepTheirSizeAcrossReload) {
  const Outcome run = Play("new\nshow size\nresize 3000 500\nreload\nshow size\nbag DataType 1\nread\nshow size\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto sizes = run.With("\"size\"");
  ASSERT_EQ(sizes.size(), 3u);
  EXPECT_EQ(sizes[0], R"({"control":"Field1","size":{"width":1935,"height":285,"box_width":1885,"box_height":285}})");
  EXPECT_EQ(sizes[1], R"({"control":"Field1","size":{"width":3000,"height":500,"box_width":2950,"box_height":500}})");
  EXPECT_EQ(sizes[2], R"({"control":"Field2","size":{"width":1935,"height":285,"box_width":1885,"box_height":285}})");
}

TEST(Placement, AStoredNumericFieldWithoutAValueReadsAsAnEmptyField) {
  const Outcome run = Play("bag DataType 1\nbag InputFormat 5\nread\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.With("\"error\"").empty());
  // The display form of no number: the mask's blank skeleton.
  EXPECT_NE(run.With("\"box\"").front().find(R"("text":"          ")"), std::string::npos)
      << run.With("\"box\"").front();
}

TEST(Placement, AnEmptyMouseIconIsAPicture) {
  const Outcome run = Play("new\nget MouseIcon\nsave\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"get\"").front(), R"({"control":"Field1","get":"MouseIcon","type":"Picture","value":null})");
  EXPECT_NE(run.With("\"bag\"").front().find(R"("MouseIcon":{"type":"Picture","value":null})"), std::string::npos);
}

TEST(Placement, AFieldThatKeepsTheFocusStillHasItAfterReload) {
  const Outcome run = Play("today 2026-01-01\nnew\nset DataType 2\nfocus\ntype \"99\"\nreload\nshow\nkey Left\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.With("\"box\"").front().find(R"("focused":true)"), std::string::npos) << run.With("\"box\"").front();
}

TEST(Placement, RawKeyPressTakesUnsignedCharacterCodes) {
  const Outcome run = Play("new\nset DataType 3\nfocus\nkeypress 44032\nget Value\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"get\"").front(),
            "{\"control\":\"Field1\",\"get\":\"Value\",\"type\":\"String\",\"value\":\"\xEA\xB0\x80\"}");
}

}  // namespace
}  // namespace kestrow::script::testing
