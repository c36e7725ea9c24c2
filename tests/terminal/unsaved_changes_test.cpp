#include "kestrow/terminal/unsaved_changes.h"

#include <gtest/gtest.h>

#include "kestrow/control/text.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::terminal {
namespace {

class UnsavedChangesTest : public ::testing::Test {
 protected:
  UnsavedChangesTest() {
    // A padded text field and a number: focus arriving and leaving rewrites both boxes.
    control::Text& name = control::AddText(form, u"Name");
    control::Text& amount = control::AddText(form, u"Amount");
    form.Handle([&] {
      name.PutProperty("PadChar", host::Variant::String(u"_"));
      name.PutProperty("Length", host::Variant::Integer(10));
      amount.PutProperty("DataType", host::Variant::Integer(1));
    });
  }
  host::Form form;
  std::vector<std::u16string> fields{u"Name", u"Amount"};
};

TEST_F(UnsavedChangesTest, MovingTheFocusAroundChangesNothing) {
  UnsavedChanges changes(form, fields);
  form.Focus(u"Name");
  form.Tab(false);
  form.Tab(false);
  form.Tab(true);
  EXPECT_FALSE(changes.Pending());
}

TEST_F(UnsavedChangesTest, TypingIsAChangeUntilSaved) {
  UnsavedChanges changes(form, fields);
  form.Focus(u"Name");
  form.Type(u"ann");
  EXPECT_TRUE(changes.Pending());
  changes.MarkSaved();
  EXPECT_FALSE(changes.Pending());
  form.Tab(false);  // leaving shows the padding again, the value stays
  EXPECT_FALSE(changes.Pending());
}

TEST_F(UnsavedChangesTest, ASettingChangedIsAChange) {
  UnsavedChanges changes(form, fields);
  auto& amount = dynamic_cast<control::Text&>(*form.ControlNamed(u"Amount"));
  form.Handle([&] { amount.PutProperty("DecimalPlaces", host::Variant::Integer(2)); });
  EXPECT_TRUE(changes.Pending());
}

}  // namespace
}  // namespace kestrow::terminal
