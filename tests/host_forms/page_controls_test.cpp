// What a property page asks of the edit box, labels and frames beyond the edit box's editing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host_values/host_error_testing.h"
#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/controls/frame.h"
#include "kestrow/host/controls/label.h"
#include "kestrow/host/controls/placement.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

class NoHost final : public BoxHost {
 public:
  const std::u16string& ClipboardText() const override { return clipboard_; }
  void SetClipboardText(std::u16string text) override { clipboard_ = std::move(text); }
  void RequestFocus(TextBox&) override {}

 private:
  std::u16string clipboard_;
};

// A field that cuts itself back to three characters from its own Change handler.
class CutToThree final : public EditBoxEvents {
 public:
  explicit CutToThree(EditBox& box) : box_(box) {}
  void Change() override {
    seen.push_back(box_.Text());
    ++depth;
    max_depth = std::max(max_depth, depth);
    if (box_.Text().size() > 3) box_.SetText(box_.Text().substr(0, 3));
    after.push_back(box_.Text());
    --depth;
  }

  std::vector<std::u16string> seen;
  std::vector<std::u16string> after;
  int depth = 0;
  int max_depth = 0;

 private:
  EditBox& box_;
};

TEST(PageEditBox, AssignmentInsideChangeRunsTheHandlerNestedAndStands) {
  NoHost host;
  EditBox box(host);
  CutToThree handler(box);
  box.SetEventHandler(&handler);

  box.SetText(u"12345");
  EXPECT_EQ(box.Text(), u"123");
  EXPECT_EQ(handler.seen, (std::vector<std::u16string>{u"12345", u"123"}));
  // The nested run ends first, and the outer run already reads its text.
  EXPECT_EQ(handler.after, (std::vector<std::u16string>{u"123", u"123"}));
  EXPECT_EQ(handler.max_depth, 2);

  box.SetText(u"123");  // the same text: no Change at all
  EXPECT_EQ(handler.seen.size(), 2u);
}

TEST(PageEditBox, TagVisibleAndPlaceAreKeptApartFromTheText) {
  NoHost host;
  EditBox box(host);
  EXPECT_TRUE(box.Visible());
  EXPECT_EQ(box.Tag(), u"");

  box.SetTag(u"10");
  box.SetVisible(false);
  box.SetLeft(1560);
  box.SetTop(2160);
  box.SetText(u"12");
  EXPECT_EQ(box.Tag(), u"10");
  EXPECT_FALSE(box.Visible());
  EXPECT_TRUE(box.Enabled());
  EXPECT_EQ(box.Left(), 1560);
  EXPECT_EQ(box.Top(), 2160);
}

TEST(Placement, NegativeSizeIsRefusedAndNothingChanges) {
  Placement placement(120, 300, 1215, 255);
  EXPECT_EQ(RaisedError([&] { placement.SetWidth(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedError([&] { placement.SetHeight(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(placement, Placement(120, 300, 1215, 255));
  EXPECT_EQ(RaisedError([] { Placement(0, 0, -5, 10); }), errors::kInvalidPropertyValue);

  placement.SetLeft(-40);  // partly outside the container is allowed
  placement.SetWidth(0);
  EXPECT_EQ(placement, Placement(-40, 300, 0, 255));
}

TEST(LabelAndFrame, KeepCaptionPlaceAndStates) {
  Label label(u"Data Type", Placement(120, 300, 1215, 255));
  Frame frame(u"Data Input Mask", Placement(120, 2520, 4455, 735));
  EXPECT_EQ(label.Caption(), u"Data Type");
  EXPECT_EQ(label.Position().Width(), 1215);
  EXPECT_EQ(frame.Caption(), u"Data Input Mask");
  EXPECT_EQ(frame.Position().Top(), 2520);
  EXPECT_TRUE(label.Visible() && label.Enabled() && frame.Visible() && frame.Enabled());

  label.SetCaption(u"Input Format");
  label.SetVisible(false);
  frame.SetEnabled(false);
  frame.Position().SetHeight(800);
  EXPECT_EQ(label.Caption(), u"Input Format");
  EXPECT_FALSE(label.Visible());
  EXPECT_FALSE(frame.Enabled());
  EXPECT_EQ(frame.Position(), Placement(120, 2520, 4455, 800));
}

}  // namespace
}  // namespace kestrow::host
