// The drop-down list: items, selection, and when Click runs relative to the call that selects.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host_values/host_error_testing.h"
#include "kestrow/host/controls/drop_down_list.h"
#include "kestrow/host/values/host_error.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

// Records what the list shows at each Click, and can act from inside the handler.
class Clicks final : public DropDownListEvents {
 public:
  explicit Clicks(DropDownList& list) : list_(list) {}
  void Click() override {
    seen.push_back(list_.Text());
    if (on_click) on_click();
  }

  std::vector<std::u16string> seen;
  std::function<void()> on_click;

 private:
  DropDownList& list_;
};

class DropDownListTest : public ::testing::Test {
 protected:
  DropDownListTest() {
    list_.SetEventHandler(&clicks_);
    for (const char16_t* item : {u"Alpha", u"Beta", u"Gamma"}) list_.AddItem(item);
  }

  DropDownList list_;
  Clicks clicks_{list_};
};

// --- Items -------------------------------------------------------------------------------------

TEST_F(DropDownListTest, ItemsKeepTheirOrderAndAnIndexOutsideReadsEmpty) {
  EXPECT_EQ(list_.ListCount(), 3);
  EXPECT_EQ(list_.List(0), u"Alpha");
  EXPECT_EQ(list_.List(2), u"Gamma");
  EXPECT_EQ(list_.List(3), u"");
  EXPECT_EQ(list_.List(-1), u"");
  EXPECT_EQ(list_.ListIndex(), -1);
  EXPECT_EQ(list_.Text(), u"");
}

TEST_F(DropDownListTest, RemoveItemKeepsTheSameItemSelectedWithoutClick) {
  list_.SetListIndex(2);
  clicks_.seen.clear();

  list_.RemoveItem(0);  // before the selection: the index follows the item
  EXPECT_EQ(list_.ListIndex(), 1);
  EXPECT_EQ(list_.Text(), u"Gamma");

  list_.AddItem(u"Delta");
  list_.RemoveItem(2);  // after the selection
  EXPECT_EQ(list_.ListIndex(), 1);
  EXPECT_EQ(list_.Text(), u"Gamma");
  EXPECT_TRUE(clicks_.seen.empty());
}

TEST_F(DropDownListTest, RemovingTheSelectedItemLeavesNothingSelected) {
  list_.SetListIndex(1);
  clicks_.seen.clear();
  list_.RemoveItem(1);
  EXPECT_EQ(list_.ListIndex(), -1);
  EXPECT_EQ(list_.Text(), u"");
  EXPECT_EQ(list_.List(1), u"Gamma");
  EXPECT_TRUE(clicks_.seen.empty());
}

TEST_F(DropDownListTest, RemoveItemOutsideTheListRaisesAndRemovesNothing) {
  EXPECT_EQ(RaisedError([&] { list_.RemoveItem(3); }), errors::kInvalidProcedureCall);
  EXPECT_EQ(RaisedError([&] { list_.RemoveItem(-1); }), errors::kInvalidProcedureCall);
  EXPECT_EQ(list_.ListCount(), 3);
}

TEST_F(DropDownListTest, EmptyingByRemovingTheFirstItemAndClearBothDropTheSelection) {
  list_.SetListIndex(2);
  while (list_.ListCount() != 0) list_.RemoveItem(0);
  EXPECT_EQ(list_.ListIndex(), -1);

  list_.AddItem(u"Alpha");
  list_.SetListIndex(0);
  clicks_.seen.clear();
  list_.Clear();
  EXPECT_EQ(list_.ListCount(), 0);
  EXPECT_EQ(list_.ListIndex(), -1);
  EXPECT_TRUE(clicks_.seen.empty());
}

// --- Selection ---------------------------------------------------------------------------------

TEST_F(DropDownListTest, ListIndexSelectsAndClicksEvenForTheSameItem) {
  list_.SetListIndex(1);
  list_.SetListIndex(1);
  EXPECT_EQ(clicks_.seen, (std::vector<std::u16string>{u"Beta", u"Beta"}));
}

TEST_F(DropDownListTest, ListIndexMinusOneClicksOnlyWhenItDropsASelection) {
  list_.SetListIndex(-1);
  EXPECT_TRUE(clicks_.seen.empty());
  list_.SetListIndex(0);
  list_.SetListIndex(-1);
  EXPECT_EQ(clicks_.seen, (std::vector<std::u16string>{u"Alpha", u""}));
}

TEST_F(DropDownListTest, ListIndexOutsideTheListRaisesAndKeepsTheSelection) {
  list_.SetListIndex(1);
  clicks_.seen.clear();
  EXPECT_EQ(RaisedError([&] { list_.SetListIndex(3); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedError([&] { list_.SetListIndex(-2); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(list_.ListIndex(), 1);
  EXPECT_TRUE(clicks_.seen.empty());
}

TEST_F(DropDownListTest, TextSelectsOnlyAnExactWholeMatch) {
  list_.SetText(u"Gamma");
  EXPECT_EQ(list_.ListIndex(), 2);
  EXPECT_EQ(clicks_.seen, (std::vector<std::u16string>{u"Gamma"}));

  list_.SetText(u"gamma");  // case matters
  EXPECT_EQ(list_.ListIndex(), -1);
  list_.SetText(u"Gam");  // a prefix is no match
  EXPECT_EQ(list_.ListIndex(), -1);
}

TEST_F(DropDownListTest, TextMatchingNoItemDropsTheSelection) {
  list_.SetText(u"Beta");
  list_.SetText(u"Omega");
  EXPECT_EQ(list_.ListIndex(), -1);
  EXPECT_EQ(list_.Text(), u"");
  EXPECT_EQ(clicks_.seen, (std::vector<std::u16string>{u"Beta", u""}));

  list_.SetText(u"Omega");  // nothing left to drop
  list_.SetText(u"");
  EXPECT_EQ(clicks_.seen.size(), 2u);
}

TEST_F(DropDownListTest, TextOfDuplicateItemsSelectsTheFirst) {
  list_.AddItem(u"Beta");
  list_.SetText(u"Beta");
  EXPECT_EQ(list_.ListIndex(), 1);
}

TEST_F(DropDownListTest, ClickRunsBeforeTheAssignmentReturns) {
  bool returned = false;
  clicks_.on_click = [&] { EXPECT_FALSE(returned); };
  list_.SetText(u"Alpha");
  returned = true;
  EXPECT_EQ(clicks_.seen.size(), 1u);
}

TEST_F(DropDownListTest, SelectionInsideClickRunsTheHandlerNestedAndStands) {
  std::vector<std::u16string> after;
  int depth = 0;
  clicks_.on_click = [&] {
    ++depth;
    if (list_.Text() == u"Alpha") list_.SetText(u"Gamma");
    after.push_back(list_.Text());
    --depth;
  };
  list_.SetText(u"Alpha");
  // The nested run finishes first; the outer one then sees the nested selection.
  EXPECT_EQ(clicks_.seen, (std::vector<std::u16string>{u"Alpha", u"Gamma"}));
  EXPECT_EQ(after, (std::vector<std::u16string>{u"Gamma", u"Gamma"}));
  EXPECT_EQ(list_.ListIndex(), 2);
  EXPECT_EQ(depth, 0);
}

TEST_F(DropDownListTest, HandlerMayEmptyTheListItIsCalledFrom) {
  clicks_.on_click = [&] { list_.Clear(); };
  list_.SetListIndex(1);
  EXPECT_EQ(list_.ListCount(), 0);
  EXPECT_EQ(list_.Text(), u"");
}

// --- The user ----------------------------------------------------------------------------------

TEST_F(DropDownListTest, UserPickClicksOnlyWhenTheListTakesInput) {
  list_.UserPick(1);
  EXPECT_EQ(list_.ListIndex(), 1);

  list_.SetEnabled(false);
  list_.UserPick(2);
  list_.SetEnabled(true);
  list_.SetVisible(false);
  list_.UserPick(2);
  list_.SetVisible(true);
  list_.UserPick(3);  // past the last item
  EXPECT_EQ(list_.ListIndex(), 1);
  EXPECT_EQ(clicks_.seen.size(), 1u);
}

TEST_F(DropDownListTest, ProgramSelectsInADisabledList) {
  list_.SetEnabled(false);
  list_.SetText(u"Beta");
  EXPECT_EQ(list_.ListIndex(), 1);
  EXPECT_EQ(clicks_.seen.size(), 1u);
}

TEST(DropDownListWithoutHandler, SelectsSilently) {
  DropDownList list;
  list.AddItem(u"Only");
  list.SetText(u"Only");
  EXPECT_EQ(list.ListIndex(), 0);
}

}  // namespace
}  // namespace kestrow::host
