// The page frame without a screen: its focus among the page's lists and text boxes, the focus
// moves a page asks for, and the record it shares with the form.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

// A page of a label, a list and two boxes; the second box sends the focus back to itself when
// left empty, and the list counts its clicks.
class SmallPage final : public PropertyPage, private DropDownListEvents, private EditBoxEvents {
 public:
  explicit SmallPage(PageFrame& frame) : first(frame), second(frame), frame_(frame) {
    list.AddItem(u"one");
    list.AddItem(u"two");
    list.SetEventHandler(this);
    second.SetEventHandler(this);
  }
  std::u16string_view Caption() const override { return u"Small"; }
  std::int32_t ClientWidth() const override { return 100; }
  std::int32_t ClientHeight() const override { return 100; }
  std::span<const PageControl> Controls() const override { return controls_; }
  void SelectionChanged() override { ++selections; }

  CaptionedControl label{u"Label", {}};
  DropDownList list;
  EditBox first;
  EditBox second;
  int clicks = 0;
  int selections = 0;

 private:
  void Click() override { ++clicks; }
  void LostFocus() override {
    if (second.Text().empty()) {
      frame_.MsgBox(u"Empty", 16, u"Small");
      second.SetFocus();
    }
  }

  PageFrame& frame_;
  std::array<PageControl, 4> controls_{
      {{"label", &label, ""}, {"list", &list, ""}, {"first", &first, ""}, {"second", &second, ""}}};
};

class HeadlessPageFrameTest : public ::testing::Test {
 protected:
  HeadlessPageFrameTest()
      : frame_(form_, [this](PageFrame& frame) {
          auto page = std::make_unique<SmallPage>(frame);
          page_ = page.get();
          return page;
        }) {}

  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    for (const HostRecord& record : form_.TakeRecords()) {
      lines.push_back((record.kind == HostRecord::Kind::Focus ? "focus " : "msgbox ") + ToUtf8(record.text));
    }
    return lines;
  }

  Form form_;
  SmallPage* page_ = nullptr;
  FormPageFrame frame_;
};

TEST_F(HeadlessPageFrameTest, TabVisitsTheReachableListsAndBoxesInOrderAndWraps) {
  page_->first.SetEnabled(false);
  frame_.PressKey("Tab", 0);
  EXPECT_EQ(frame_.FocusedName(), "list");
  frame_.PressKey("TAB", 0);
  EXPECT_EQ(frame_.FocusedName(), "second");
  page_->second.SetText(u"x");
  frame_.PressKey("tab", 0);
  EXPECT_EQ(frame_.FocusedName(), "list") << "wraps past the end, skipping the label";
  frame_.PressKey("Tab", keys::kShiftMask);
  EXPECT_EQ(frame_.FocusedName(), "second");
  EXPECT_EQ(Log(), (std::vector<std::string>{"focus list", "focus second", "focus list", "focus second"}));
}

TEST_F(HeadlessPageFrameTest, DisabledHiddenAndCaptionedControlsTakeNoFocus) {
  page_->first.SetVisible(false);
  page_->list.SetEnabled(false);
  frame_.Focus("first");
  frame_.Focus("list");
  frame_.Focus("label");
  EXPECT_FALSE(frame_.FocusedName());
  EXPECT_TRUE(Log().empty());
  EXPECT_THROW(frame_.Focus("nothing"), std::out_of_range);
}

TEST_F(HeadlessPageFrameTest, APickTakesTheFocusFirstSoTheLeftBoxChecksRunBeforeTheClick) {
  frame_.Focus("second");
  EXPECT_TRUE(frame_.Pick("list", u"two"));
  EXPECT_EQ(page_->list.ListIndex(), 1);
  EXPECT_EQ(page_->clicks, 1);
  // The empty box sent the focus back to itself once the pick was handled.
  EXPECT_EQ(Log(), (std::vector<std::string>{"focus second", "focus list", "msgbox Empty", "focus second"}));
  EXPECT_FALSE(frame_.Pick("list", u"three"));
  EXPECT_EQ(page_->clicks, 1);
}

TEST_F(HeadlessPageFrameTest, KeysGoToTheFocusedBoxAndLeavingRunsItsLostFocus) {
  frame_.Type(u"ignored");  // nothing focused: nothing typed
  frame_.Focus("first");
  frame_.Type(u"ab");
  EXPECT_TRUE(frame_.PressKey("Backspace", 0));
  EXPECT_FALSE(frame_.PressKey("NoSuchKey", 0));
  EXPECT_EQ(page_->first.Text(), u"a");
  frame_.Focus("second");
  frame_.Leave();
  EXPECT_EQ(frame_.FocusedName(), "second") << "the check sent the focus back";
}

TEST_F(HeadlessPageFrameTest, SelectionAndApplyReachThePageAndTheClipboardIsTheForms) {
  frame_.Select({});
  EXPECT_EQ(page_->selections, 1);
  form_.SetClipboard(u"pasted");
  frame_.Focus("first");
  frame_.PressKey("V", keys::kCtrlMask);
  EXPECT_EQ(page_->first.Text(), u"pasted");
}

}  // namespace
}  // namespace kestrow::host
