// The demo's sample form: each field is of its kind and takes what a person would type.
#include <gtest/gtest.h>

#include "control/text_internals.h"
#include "demo_form.h"
#include "kestrow/control/text.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::script::testing {
namespace {

struct Typed {
  std::u16string field;
  std::u16string keys;
  std::string shown;  // the display form once the focus has left
  bool home = false;  // a mask shows selected when entered: Home first, as a person does
};

class DemoFormTest : public ::testing::Test {
 protected:
  DemoFormTest() {
    host::SetClock([] { return host::CivilDate{2026, 12, 8}; });
    names_ = PlaceDemoForm(form_);
    form_.AddPlainBox(u"other");
  }
  ~DemoFormTest() override { host::SetClock({}); }

  control::Text& Field(std::u16string_view name) { return *static_cast<control::Text*>(form_.ControlNamed(name)); }
  std::string Shown(std::u16string_view name) { return host::ToUtf8(control::Text1Of(Field(name)).Text()); }

  host::Form form_;
  std::vector<std::u16string> names_;
};

TEST_F(DemoFormTest, SixFieldsOfEveryKindInTabOrder) {
  EXPECT_EQ(names_,
            (std::vector<std::u16string>{u"CustomerName", u"Phone", u"Amount", u"BirthDate", u"PIN", u"Subscriber"}));
  std::vector<std::int32_t> types;
  for (const auto& name : names_) types.push_back(host::ToLong(Field(name).GetProperty("DataType")));
  EXPECT_EQ(types, (std::vector<std::int32_t>{0, 0, 1, 2, 3, 4}));
  EXPECT_EQ(host::ToUtf8(Field(u"Phone").GetProperty("Mask").AsString()), "(999) 999-9999");
  for (const auto& name : names_) {
    const auto maskLength = static_cast<std::int32_t>(Field(name).GetProperty("Mask").AsString().size());
    EXPECT_GE(Field(name).Width(), (maskLength + 2) * 120) << host::ToUtf8(name) << " is too narrow";
  }
}

TEST_F(DemoFormTest, TypedEntriesShowTheirDisplayForms) {
  const Typed entries[] = {
      {u"CustomerName", u"ada lovelace", "Ada Lovelace__________________"},
      {u"Phone", u"5551234567", "(555) 123-4567", true},
      {u"Amount", u"-1234567.5", "(12,34,567.50)", true},
      {u"BirthDate", u"10121815", "10/12/1815", true},
      {u"Subscriber", u"y", "Yes  "},
  };
  for (const Typed& entry : entries) {
    form_.Focus(entry.field);
    if (entry.home) form_.PressKey("Home", 0);
    form_.Type(entry.keys);
    form_.Focus(u"other");
    EXPECT_EQ(Shown(entry.field), entry.shown) << host::ToUtf8(entry.field);
  }
  EXPECT_GE(Field(u"Amount").Width(), 16 * 120) << "room for (12,34,567.50)";
  form_.Focus(u"PIN");
  form_.Type(u"4321");
  EXPECT_EQ(host::ToUtf8(control::Text1Of(Field(u"PIN")).DisplayedText()), "****");
  EXPECT_EQ(host::ToUtf8(host::ToText(Field(u"PIN").GetProperty("Value"))), "4321");
}

}  // namespace
}  // namespace kestrow::script::testing
