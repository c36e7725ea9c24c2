#include <algorithm>
#include <set>

#include "control/control_fixture.h"
#include "control/text_internals.h"
#include "kestrow/control/type_library.h"

namespace kestrow::testing {
namespace {

using host::Variant;

class Interface : public ControlTest {};

TEST_F(Interface, SizingKeepsAMinimumAndANarrowerInnerBox) {
  struct Row {
    std::int32_t width, height, controlWidth, controlHeight, boxWidth, boxHeight;
  };
  for (const Row row : {Row{100, 100, 250, 285, 200, 285}, Row{3000, 500, 3000, 500, 2950, 500},
                        Row{250, 285, 250, 285, 200, 285}, Row{1000, 10, 1000, 285, 950, 285}}) {
    Control().Resize(row.width, row.height);
    EXPECT_EQ(Control().Width(), row.controlWidth) << row.width << "x" << row.height;
    EXPECT_EQ(Control().Height(), row.controlHeight) << row.width << "x" << row.height;
    EXPECT_EQ(control::Text1Of(Control()).Width(), row.boxWidth) << row.width << "x" << row.height;
    EXPECT_EQ(control::Text1Of(Control()).Height(), row.boxHeight) << row.width << "x" << row.height;
  }
}

TEST_F(Interface, TextAndSelTextAreReadOnlyWithTheirOwnMessages) {
  Control().SetValue(Variant::String(u"abc"));
  Log();
  Put("Text", Variant::String(u"new"));
  Put("SelText", Variant::String(u"x"));
  EXPECT_EQ(Log(), (std::vector<std::string>{"msgbox Property is Read Only|0|(none)",
                                             "msgbox Property is Read Only|16|Valid Text Box"}));
  EXPECT_EQ(Get("Text"), Variant::String(u"abc"));
}

TEST_F(Interface, DelegatedSettersReportTheirNameAfterTheBoxTookTheValue) {
  Put("FontBold", Variant::Boolean(true));
  EXPECT_EQ(Log(), std::vector<std::string>{"changed FontBold"});
  const auto font = std::dynamic_pointer_cast<host::Font>(Get("Font").AsObject());
  ASSERT_NE(font, nullptr);
  EXPECT_TRUE(font->bold);

  EXPECT_EQ(ErrorOf([&] { Put("MousePointer", Variant::Integer(42)); }), host::errors::kInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { Put("SelStart", Variant::Integer(-1)); }), host::errors::kInvalidPropertyValue);
  EXPECT_TRUE(Log().empty()) << "a refused value is not reported";
}

TEST_F(Interface, NarrowingAndConversionsRaiseTheHostsErrors) {
  EXPECT_EQ(ErrorOf([&] { Put("BorderStyle", Variant::Long(70000)); }), host::errors::kOverflow);
  EXPECT_EQ(ErrorOf([&] { Put("Appearance", Variant::Long(-40000)); }), host::errors::kOverflow);
  EXPECT_EQ(ErrorOf([&] { Put("Alignment", Variant::Long(70000)); }), host::errors::kOverflow);
  EXPECT_EQ(ErrorOf([&] { Put("Length", Variant::Long(70000)); }), host::errors::kOverflow);
  EXPECT_EQ(ErrorOf([&] { Put("Length", Variant::String(u"ten")); }), host::errors::kTypeMismatch);
  EXPECT_EQ(ErrorOf([&] { Put("Font", Variant::Integer(1)); }), host::errors::kTypeMismatch);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Get("BorderStyle"), Variant::Long(control::kBorderFixedSingle));
  EXPECT_EQ(Get("Length"), Variant::Integer(10));

  Put("BorderStyle", Variant::Integer(0));
  EXPECT_EQ(Get("BorderStyle"), Variant::Long(0));
  Put("Length", Variant::String(u"12"));
  EXPECT_EQ(Get("Length"), Variant::Integer(12));
}

TEST_F(Interface, LateBindingFindsMembersByNameAndIdentifier) {
  EXPECT_EQ(control::MemberWithId(0).name, "Value");
  EXPECT_EQ(control::MemberNamed("value").number, 34);
  EXPECT_EQ(ErrorOf([] { control::MemberNamed("Colour"); }), host::errors::kNotSupported);
  EXPECT_EQ(ErrorOf([&] { Put("ScrollBars", Variant::Integer(1)); }), host::errors::kPropertyReadOnly);
  EXPECT_EQ(Get("ScrollBars"), Variant::Integer(0));
  EXPECT_EQ(Get("DataType").Type(), host::VarType::Long);  // enumerations read as Long
  const Variant argument = Variant::Integer(1);
  EXPECT_EQ(ErrorOf([&] { control::CallMethod(Control(), control::MemberNamed("Refresh"), std::span(&argument, 1)); }),
            host::errors::kWrongArguments);
  control::CallMethod(Control(), control::MemberNamed("Refresh"), {});
  EXPECT_EQ(control::Text1Of(Control()).Repaints(), 1);
}

TEST_F(Interface, SlotsAndIdentifiersOfTheInterface) {
  const auto members = control::TextMembers();
  ASSERT_EQ(members.size(), 40u);
  EXPECT_EQ(members.front().name, "BackColor");
  EXPECT_EQ(members.back().name, "Appearance");
  const auto slots = control::TextSlots();
  // Refresh, ScrollBars and ShowTalmoBox take one slot each, the other 37 two.
  EXPECT_EQ(slots.size(), 77u);
  EXPECT_EQ(slots[0].member->name, "BackColor");
  EXPECT_EQ(slots[1].member->name, "BackColor");
  EXPECT_EQ(slots[0].access, control::kGet);
  std::set<std::int32_t> ids;
  for (const auto& member : members) ids.insert(member.dispid);
  EXPECT_EQ(ids.size(), members.size()) << "identifiers are unique";
  EXPECT_EQ(control::FindMember("DataType")->category, "Format;Data");
  EXPECT_EQ(control::FindMember("ShowTalmoBox")->dispid, -552);

  const auto events = control::TextEvents();
  ASSERT_EQ(events.size(), 15u);
  EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const auto& e) { return !e.raised; }), 6);
  EXPECT_EQ(control::FindEvent("MouseUp")->dispid, -607);
  EXPECT_EQ(control::FindEvent("OLEDragOver")->parameters.size(), 7u);
  EXPECT_EQ(control::KestrowTypeLibrary().help, "Kestrow 1.0");
}

TEST_F(Interface, MouseAndClickEventsPassOnWithTheBoxsCoordinates) {
  std::vector<std::string> seen;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg> args) {
    std::string line(event);
    for (const auto& arg : args) line += " " + std::string(arg.name) + "=" + host::ToUtf8(host::ToText(arg.value));
    seen.push_back(line);
  });
  Put("OLEDragMode", Variant::Integer(1));
  Put("OLEDropMode", Variant::Integer(1));
  form_.Mouse(u"Field1", host::Form::MouseAction::Down, 1, 0, 10, 5);
  form_.Click(u"Field1");
  form_.DblClick(u"Field1");
  EXPECT_EQ(seen, (std::vector<std::string>{"MouseDown Button=1 Shift=0 X=10 Y=5", "Click", "DblClick"}));
}

// The field's own handler hears what the host heard, after it, and a key it changes is typed.
TEST_F(Interface, TheFieldsOwnHandlerHearsItsEventsAfterTheHost) {
  std::vector<std::string> order;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg>) {
    order.push_back("form " + std::string(event));
  });
  Control().SetEventHandler([&](std::string_view event, std::span<host::EventArg> args) {
    order.push_back("field " + std::string(event));
    if (event == "KeyPress" && host::ToInteger(args[0].value) == 'a') args[0].value = Variant::Integer('b');
  });
  form_.Focus(u"Field1");
  form_.Type(u"a");
  form_.Click(u"Field1");
  EXPECT_EQ(Control().GetText(), u"b");
  EXPECT_EQ(order,
            (std::vector<std::string>{"form KeyDown", "field KeyDown", "form KeyPress", "field KeyPress", "form Change",
                                      "field Change", "form KeyUp", "field KeyUp", "form Click", "field Click"}));
  // Without it again, the host alone hears them.
  Control().SetEventHandler({});
  order.clear();
  form_.Type(u"c");
  EXPECT_EQ(order.size(), 4u);
}

TEST_F(Interface, TheTypedFormatIsTheStoredOne) {
  Control().SetDataType(control::DataType::Numeric);
  Control().SetInputFormat(control::InputFormat::ThousandsFormat);
  Control().SetDisplayFormat(control::DisplayFormat::AccountsFormat2);
  EXPECT_EQ(Get("DataType"), Variant::Long(1));
  EXPECT_EQ(Get("InputFormat"), Variant::Long(8));
  EXPECT_EQ(Get("DisplayFormat"), Variant::Long(5));
  Put("DisplayFormat", Variant::Long(4));
  EXPECT_EQ(Control().DisplayFormat(), control::DisplayFormat::AccountsFormat1);
  Log();
  Control().SetInputFormat(control::InputFormat::YesNoFormat);  // not a number's: refused
  EXPECT_EQ(Log(), (std::vector<std::string>{"msgbox Invalid Property Value|16|Valid Text Box"}));
  EXPECT_EQ(Control().InputFormat(), control::InputFormat::ThousandsFormat);
}

TEST_F(Interface, AboutBoxIsBuiltAfreshEachTime) {
  Control().ShowTalmoBox();
  Control().ShowTalmoBox();
  int dialogs = 0;
  for (const host::HostRecord& r : form_.TakeRecords()) {
    if (r.kind != host::HostRecord::Kind::Dialog) continue;
    ++dialogs;
    EXPECT_EQ(r.text, u"About Kestrow");
  }
  EXPECT_EQ(dialogs, 2);
}

}  // namespace
}  // namespace kestrow::testing
