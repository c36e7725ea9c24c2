#include "kestrow/control/type_library.h"

#include <algorithm>
#include <array>

#include "control/properties.h"
#include "engine/format_types.h"

namespace kestrow::control {

namespace {

using VT = ValueType;

using namespace engine;

constexpr std::array<ConstantInfo, 5> kDataTypes{{
    {"dtAlphaNumeric", dtAlphaNumeric},
    {"dtNumeric", dtNumeric},
    {"dtDate", dtDate},
    {"dtPassword", dtPassword},
    {"dtLogical", dtLogical},
}};

constexpr std::array<ConstantInfo, 16> kInputFormats{{
    {"dtCustomFormat", dtCustomFormat},
    {"dtAlphaDigitSpaceSymbol", dtAlphaDigitSpaceSymbol},
    {"dtAlphabets", dtAlphabets},
    {"dtAlphabetsSpace", dtAlphabetsSpace},
    {"dtAlphabetsDigitsSpace", dtAlphabetsDigitsSpace},
    {"dtDigits", dtDigits},
    {"dtDigitsSpaceSigns", dtDigitsSpaceSigns},
    {"dtDigitsSigns", dtDigitsSigns},
    {"dtThousandsFormat", dtThousandsFormat},
    {"dtMillionsFormat", dtMillionsFormat},
    {"dtAmericanDate", dtAmericanDate},
    {"dtBritishDate", dtBritishDate},
    {"dtJapanDate", dtJapanDate},
    {"dtStarFormat", dtStarFormat},
    {"dtTrueFalseFormat", dtTrueFalseFormat},
    {"dtYesNoFormat", dtYesNoFormat},
}};

constexpr std::array<ConstantInfo, 9> kDisplayFormats{{
    {"dtNone", dtNone},
    {"dtUpperCase", dtUpperCase},
    {"dtLowerCase", dtLowerCase},
    {"dtProperCase", dtProperCase},
    {"dtAccountsFormat1", dtAccountsFormat1},
    {"dtAccountsFormat2", dtAccountsFormat2},
    {"dtSlashSeparator", dtSlashSeparator},
    {"dtDashSeparator", dtDashSeparator},
    {"dtDotSeparator", dtDotSeparator},
}};

std::vector<EventInfo> MakeEvents() {
  const std::vector<EventParameter> mouse{
      {"Button", VT::Integer}, {"Shift", VT::Integer}, {"X", VT::Single}, {"Y", VT::Single}};
  const std::vector<EventParameter> keys{{"KeyCode", VT::Integer}, {"Shift", VT::Integer}};
  std::vector<EventParameter> dragOver{{"Data", VT::DataObject}, {"Effect", VT::Long}};
  dragOver.insert(dragOver.end(), mouse.begin(), mouse.end());
  std::vector<EventParameter> dragDrop = dragOver;
  dragOver.push_back({"State", VT::Integer});
  return {
      {1, "Change", 1, {}, "Occurs when the contents of a control have changed.", true, true},
      {2,
       "OLECompleteDrag",
       2,
       {{"Effect", VT::Long}},
       "Occurs at the OLE drag/drop source control after a manual or automatic drag/drop has been completed or "
       "canceled.",
       false,
       false},
      {3, "OLEDragDrop", 3, dragDrop,
       "Occurs when data is dropped onto the control via an OLE drag/drop operation, and OLEDropMode is set to manual.",
       false, false},
      {4, "OLEDragOver", 4, dragOver,
       "Occurs when the mouse is moved over the control during an OLE drag/drop operation, if its OLEDropMode property "
       "is set to "
       "manual.",
       false, false},
      {5,
       "OLEGiveFeedback",
       5,
       {{"Effect", VT::Long}, {"DefaultCursors", VT::Boolean}},
       "Occurs at the source control of an OLE drag/drop operation when the mouse cursor needs to be changed.",
       false,
       false},
      {6,
       "OLESetData",
       6,
       {{"Data", VT::DataObject}, {"DataFormat", VT::Integer}},
       "Occurs at the OLE drag/drop source control when the drop target requests data that was not provided to the "
       "DataObject "
       "during the OLEDragStart event.",
       false,
       false},
      {7,
       "OLEStartDrag",
       7,
       {{"Data", VT::DataObject}, {"AllowedEffects", VT::Long}},
       "Occurs when an OLE drag/drop operation is initiated either manually or automatically.",
       false,
       false},
      {8, "Click", -600, {}, "", false, true},
      {9, "DblClick", -601, {}, "", false, true},
      {10, "KeyDown", -602, keys, "", false, true},
      {11, "KeyPress", -603, {{"KeyAscii", VT::Integer}}, "", false, true},
      {12, "KeyUp", -604, keys, "", false, true},
      {13, "MouseDown", -605, mouse, "", false, true},
      {14, "MouseMove", -606, mouse, "", false, true},
      {15, "MouseUp", -607, mouse, "", false, true},
  };
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

// The members of _Text are the properties that have one, in interface order.
std::span<const MemberInfo> TextMembers() {
  static const std::vector<MemberInfo> members = [] {
    std::vector<MemberInfo> ofInterface;
    for (const Property& property : Properties()) {
      if (property.member.number != 0) ofInterface.push_back(property.member);
    }
    return ofInterface;
  }();
  return members;
}

std::vector<SlotInfo> TextSlots() {
  std::vector<SlotInfo> slots;
  for (const MemberInfo& member : TextMembers()) {
    for (Access access : {kGet, kLet, kSet, kCall}) {
      if ((member.access & access) != 0) slots.push_back({static_cast<int>(slots.size()) + 1, &member, access});
    }
  }
  return slots;
}

std::span<const EventInfo> TextEvents() {
  static const std::vector<EventInfo> events = MakeEvents();
  return events;
}

const TypeLibraryInfo& KestrowTypeLibrary() {
  static const TypeLibraryInfo library{
      "Kestrow",
      "Kestrow 1.0",
      {{"Text", true, "_Text", "__Text", {"Format", "StandardFont", "StandardColor", "StandardPicture"}},
       {"Format", false, "_Format", "", {}}},
      {"_Text", "__Text", "_Format"},
  };
  return library;
}

std::span<const ConstantInfo> ConstantsOf(ValueType type) {
  switch (type) {
    case ValueType::DataTypes: return kDataTypes;
    case ValueType::InputFormats: return kInputFormats;
    case ValueType::DisplayFormats: return kDisplayFormats;
    default: return {};
  }
}

const ConstantInfo* FindConstant(ValueType type, std::string_view name) {
  const auto constants = ConstantsOf(type);
  const auto found = std::ranges::find_if(constants, [&](const ConstantInfo& c) { return SameName(c.name, name); });
  return found == constants.end() ? nullptr : &*found;
}

const MemberInfo* FindMember(std::string_view name) {
  const auto members = TextMembers();
  const auto found = std::ranges::find_if(members, [&](const MemberInfo& m) { return SameName(m.name, name); });
  return found == members.end() ? nullptr : &*found;
}

const MemberInfo* FindMember(std::int32_t dispid) {
  const auto members = TextMembers();
  const auto found = std::ranges::find_if(members, [&](const MemberInfo& m) { return m.dispid == dispid; });
  return found == members.end() ? nullptr : &*found;
}

const EventInfo* FindEvent(std::string_view name) {
  const auto events = TextEvents();
  const auto found = std::ranges::find_if(events, [&](const EventInfo& e) { return SameName(e.name, name); });
  return found == events.end() ? nullptr : &*found;
}

}  // namespace kestrow::control
