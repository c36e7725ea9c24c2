// The property page container: the selection it hands the page, its notifications and the
// page's Changed flag.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_values/host_error_testing.h"
#include "kestrow/host/forms/property_page_site.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

class FakeControl final : public Dispatchable {
 public:
  Variant GetProperty(std::string_view name) override { return properties[std::string(name)]; }
  void PutProperty(std::string_view name, const Variant& value) override { properties[std::string(name)] = value; }

  std::map<std::string, Variant> properties;
};

class Page final : public PropertyPageEvents {
 public:
  void SelectionChanged() override {
    events.push_back("SelectionChanged");
    if (on_selection_changed) on_selection_changed();
  }
  void ApplyChanges() override {
    events.push_back("ApplyChanges");
    if (on_apply) on_apply();
  }

  std::vector<std::string> events;
  std::function<void()> on_selection_changed;
  std::function<void()> on_apply;
};

class PropertyPageSiteTest : public ::testing::Test {
 protected:
  PropertyPageSiteTest() { site_.SetPage(&page_); }

  PropertyPageSite site_;
  Page page_;
  FakeControl first_;
  FakeControl second_;
};

TEST_F(PropertyPageSiteTest, PageReadsTheNewSelectionFromInsideSelectionChanged) {
  std::size_t seen = 0;
  Dispatchable* seenFirst = nullptr;
  page_.on_selection_changed = [&] {
    seen = site_.SelectedControls().size();
    seenFirst = &site_.SelectedControl(0);
  };
  site_.Select({&first_, &second_});
  EXPECT_EQ(page_.events, (std::vector<std::string>{"SelectionChanged"}));
  EXPECT_EQ(seen, 2u);
  EXPECT_EQ(seenFirst, &first_);
  EXPECT_EQ(&site_.SelectedControl(1), &second_);
}

TEST_F(PropertyPageSiteTest, EverySelectionIsReportedAlsoTheSameOne) {
  site_.Select({&first_});
  site_.Select({&first_});
  EXPECT_EQ(page_.events.size(), 2u);
}

TEST_F(PropertyPageSiteTest, AnIndexOutsideTheSelectionRaisesSubscriptOutOfRange) {
  EXPECT_EQ(RaisedError([&] { site_.SelectedControl(0); }), 9);
  site_.Select({&first_});
  EXPECT_EQ(RaisedError([&] { site_.SelectedControl(1); }), 9);
}

TEST_F(PropertyPageSiteTest, AMissingControlIsRefusedAndTheOldSelectionStays) {
  site_.Select({&first_});
  EXPECT_THROW(site_.Select({&second_, nullptr}), std::invalid_argument);
  ASSERT_EQ(site_.SelectedControls().size(), 1u);
  EXPECT_EQ(site_.SelectedControls()[0], &first_);
  EXPECT_EQ(page_.events.size(), 1u);
}

TEST_F(PropertyPageSiteTest, ApplyReachesThePageWhetherOrNotItIsChanged) {
  site_.Select({&first_});
  page_.on_apply = [&] { site_.SelectedControl(0).PutProperty("Length", Variant::Double(12)); };
  site_.Apply();
  site_.SetChanged(true);
  site_.Apply();
  EXPECT_EQ(page_.events, (std::vector<std::string>{"SelectionChanged", "ApplyChanges", "ApplyChanges"}));
  EXPECT_EQ(first_.GetProperty("Length"), Variant::Double(12));
  EXPECT_TRUE(second_.properties.empty());
}

TEST_F(PropertyPageSiteTest, ChangedIsLeftToThePage) {
  EXPECT_FALSE(site_.Changed());
  site_.SetChanged(true);
  site_.Select({&first_});
  site_.Apply();
  EXPECT_TRUE(site_.Changed());

  page_.on_selection_changed = [&] { site_.SetChanged(false); };
  site_.Select({&second_});
  EXPECT_FALSE(site_.Changed());
}

TEST(PropertyPageSiteWithoutPage, KeepsTheSelection) {
  PropertyPageSite site;
  FakeControl control;
  site.Select({&control});
  site.Apply();
  EXPECT_EQ(&site.SelectedControl(0), &control);
}

}  // namespace
}  // namespace kestrow::host
