// The property table that the type library, late binding and persistence all read: its rows must
// agree with each other and with what the control does.
#include <algorithm>
#include <set>

#include "control/control_fixture.h"
#include "control/properties.h"

namespace kestrow::testing {
namespace {

using control::Properties;
using control::Property;
using control::ReadStage;
using control::StoredProperties;

class PropertyTable : public ControlTest {};

TEST_F(PropertyTable, EveryMemberHasTheAccessorsItsAccessPromises) {
  int number = 0;
  for (const Property& property : Properties()) {
    const control::MemberInfo& member = property.member;
    if (member.number == 0) continue;  // a stored key without a member
    EXPECT_EQ(member.number, ++number) << member.name << ": members in interface order";
    EXPECT_EQ(property.get != nullptr, (member.access & control::kGet) != 0) << member.name;
    EXPECT_EQ(property.put != nullptr, (member.access & (control::kLet | control::kSet)) != 0) << member.name;
    EXPECT_EQ(property.call != nullptr, (member.access & control::kCall) != 0) << member.name;
  }
  EXPECT_EQ(number, 40);
  EXPECT_EQ(control::TextMembers().size(), 40u);
}

TEST_F(PropertyTable, StoredKeysAreUniqueInOneOrderAndReadStageByStage) {
  std::set<std::string_view> keys;
  int place = 0;
  ReadStage stage = ReadStage::Box;
  for (const Property* property : StoredProperties()) {
    EXPECT_TRUE(keys.insert(property->member.name).second) << property->member.name;
    EXPECT_EQ(property->stored.place, ++place) << property->member.name;
    // The format is taken between the stages: a key of an earlier stage after a later one would
    // be read out of its place.
    EXPECT_GE(property->stored.stage, stage) << property->member.name;
    stage = property->stored.stage;
    EXPECT_TRUE(property->stored.initial && property->stored.write && property->stored.read) << property->member.name;
  }
  EXPECT_EQ(place, 38) << "36 keys, then ForeColor and Appearance";
}

// A saved control writes each key in the table's order, and a control read from that bag writes
// it again to the letter.
TEST_F(PropertyTable, WhatIsWrittenIsReadBackAsItWas) {
  Control().SetDataType(control::DataType::Numeric);
  Control().SetDecimalPlaces(2);
  Control().SetValue(host::Variant::Double(12.5));
  Control().SetBackColor(0xFF);
  Control().SetBorderStyle(0);
  host::PropertyBag bag;
  Control().WriteProperties(bag);
  std::vector<std::string> written;
  for (const auto& [key, value] : bag.Entries()) written.push_back(key);
  std::vector<std::string> expected;
  for (const Property* property : StoredProperties()) expected.emplace_back(property->member.name);
  EXPECT_EQ(written, expected);

  host::PropertyBag copy = bag;
  control::Text& read = control::AddText(form_, u"Read");
  read.ReadProperties(copy);
  host::PropertyBag again;
  read.WriteProperties(again);
  EXPECT_EQ(again.Entries(), bag.Entries());
}

// Each delegated member reports its own name once the box took the value, and nothing else.
TEST_F(PropertyTable, LateBoundBoxMembersReportTheirName) {
  const std::pair<const char*, host::Variant> settings[] = {
      {"BackColor", host::Variant::Long(1)},
      {"Enabled", host::Variant::Boolean(false)},
      {"LinkItem", host::Variant::String(u"x")},
      {"LinkMode", host::Variant::Integer(1)},
      {"LinkTimeout", host::Variant::Integer(9)},
      {"LinkTopic", host::Variant::String(u"t")},
      {"Locked", host::Variant::Boolean(true)},
      {"MousePointer", host::Variant::Integer(2)},
      {"RightToLeft", host::Variant::Boolean(true)},
      {"OLEDropMode", host::Variant::Integer(1)},
      {"OLEDragMode", host::Variant::Integer(1)},
      {"Alignment", host::Variant::Long(1)},
      {"ForeColor", host::Variant::Long(2)},
      {"FontUnderline", host::Variant::Boolean(true)},
      {"FontStrikethru", host::Variant::Boolean(true)},
      {"FontSize", host::Variant::Single(12)},
      {"FontName", host::Variant::String(u"Mono")},
      {"FontItalic", host::Variant::Boolean(true)},
      {"FontBold", host::Variant::Boolean(true)},
      {"SelStart", host::Variant::Long(0)},
      {"SelLength", host::Variant::Long(0)},
      {"BorderStyle", host::Variant::Long(0)},
      {"Appearance", host::Variant::Long(0)},
      {"AutoTab", host::Variant::Boolean(false)},
      {"AutoSelect", host::Variant::Boolean(false)},
  };
  for (const auto& [name, value] : settings) {
    Log();
    Put(name, value);
    EXPECT_EQ(Log(), (std::vector<std::string>{"changed " + std::string(name)})) << name;
  }
}

TEST_F(PropertyTable, ANewControlHasTheTablesDefaults) {
  host::PropertyBag bag;
  Control().WriteProperties(bag);
  for (const Property* property : StoredProperties()) {
    if (property->stored.stage != ReadStage::Format) continue;
    EXPECT_EQ(bag.ReadProperty(property->member.name, host::Variant()), property->stored.initial(Control()))
        << property->member.name;
  }
}

}  // namespace
}  // namespace kestrow::testing
