#include "kestrow/control/type_library.h"

#include <algorithm>
#include <array>

#include "engine/format_types.h"

namespace kestrow::control {

namespace {

using namespace member_flags;
using VT = ValueType;

// Members without a standard dispatch identifier get this base plus their number.
constexpr std::int32_t kOwnDispidBase = 0x68030000;
constexpr std::int32_t Own(int number) { return kOwnDispidBase + number; }

constexpr unsigned kGetLet = kGet | kLet;
constexpr unsigned kGetSet = kGet | kSet;

using namespace engine;

constexpr std::array<ConstantInfo, 5> kDataTypes{{
    {"dtAlphaNumeric", dtAlphaNumeric}, {"dtNumeric", dtNumeric}, {"dtDate", dtDate},
    {"dtPassword", dtPassword}, {"dtLogical", dtLogical},
}};

constexpr std::array<ConstantInfo, 16> kInputFormats{{
    {"dtCustomFormat", dtCustomFormat}, {"dtAlphaDigitSpaceSymbol", dtAlphaDigitSpaceSymbol},
    {"dtAlphabets", dtAlphabets}, {"dtAlphabetsSpace", dtAlphabetsSpace},
    {"dtAlphabetsDigitsSpace", dtAlphabetsDigitsSpace}, {"dtDigits", dtDigits},
    {"dtDigitsSpaceSigns", dtDigitsSpaceSigns}, {"dtDigitsSigns", dtDigitsSigns},
    {"dtThousandsFormat", dtThousandsFormat}, {"dtMillionsFormat", dtMillionsFormat},
    {"dtAmericanDate", dtAmericanDate}, {"dtBritishDate", dtBritishDate}, {"dtJapanDate", dtJapanDate},
    {"dtStarFormat", dtStarFormat}, {"dtTrueFalseFormat", dtTrueFalseFormat}, {"dtYesNoFormat", dtYesNoFormat},
}};

constexpr std::array<ConstantInfo, 9> kDisplayFormats{{
    {"dtNone", dtNone}, {"dtUpperCase", dtUpperCase}, {"dtLowerCase", dtLowerCase},
    {"dtProperCase", dtProperCase}, {"dtAccountsFormat1", dtAccountsFormat1},
    {"dtAccountsFormat2", dtAccountsFormat2}, {"dtSlashSeparator", dtSlashSeparator},
    {"dtDashSeparator", dtDashSeparator}, {"dtDotSeparator", dtDotSeparator},
}};

constexpr std::array<MemberInfo, 40> kMembers{{
    {1, "BackColor", -501, VT::Colour, kGetLet, ";Appearance", "", 0},
    {2, "Enabled", -514, VT::Boolean, kGetLet, "", "", 0},
    {3, "Font", -512, VT::Font, kGetSet, ";Font", "", 0},
    {4, "Refresh", Own(4), VT::Void, kCall, "", "", 0},
    {5, "LinkItem", Own(5), VT::String, kGetLet, ";DDE", "", 0},
    {6, "LinkMode", Own(6), VT::Integer, kGetLet, ";DDE", "", 0},
    {7, "LinkTimeout", Own(7), VT::Integer, kGetLet, ";DDE", "", 0},
    {8, "LinkTopic", Own(8), VT::String, kGetLet, ";DDE", "", 0},
    {9, "Locked", Own(9), VT::Boolean, kGetLet, ";Behavior", "", 0},
    {10, "MouseIcon", Own(10), VT::Picture, kGetSet, "StandardPicture;Misc", "", 0},
    {11, "MousePointer", Own(11), VT::Integer, kGetLet, ";Misc", "", 0},
    {12, "ScrollBars", Own(12), VT::Integer, kGet, "", "", 0},
    {13, "Text", Own(13), VT::String, kGetLet, ";Text", "Returns Text inside TextBox", 0},
    {14, "RightToLeft", Own(14), VT::Boolean, kGetLet, "", "", 0},
    {15, "OLEDropMode", Own(15), VT::Integer, kGetLet, "", "", 0},
    {16, "OLEDragMode", Own(16), VT::Integer, kGetLet, "", "", 0},
    {17, "Alignment", Own(17), VT::TextAlignment, kGetLet, ";Appearance", "", 0},
    {18, "ForeColor", -513, VT::Colour, kGetLet, ";Appearance", "", 0},
    {19, "FontUnderline", Own(19), VT::Boolean, kGetLet, ";Font", "", kHidden},
    {20, "FontStrikethru", Own(20), VT::Boolean, kGetLet, ";Font", "", kHidden},
    {21, "FontSize", Own(21), VT::Single, kGetLet, ";Font", "", kHidden},
    {22, "FontName", Own(22), VT::String, kGetLet, ";Appearance", "", kHidden},
    {23, "FontItalic", Own(23), VT::Boolean, kGetLet, ";Font", "", kHidden},
    {24, "FontBold", Own(24), VT::Boolean, kGetLet, ";Font", "", kHidden},
    {25, "DataType", Own(25), VT::DataTypes, kGetLet, "Format;Data", "", kUiDefault},
    {26, "InputFormat", Own(26), VT::InputFormats, kGetLet, ";Data", "", 0},
    {27, "DisplayFormat", Own(27), VT::DisplayFormats, kGetLet, ";Data", "", 0},
    {28, "PadChar", -518, VT::String, kGetLet, ";Data", "", 0},
    {29, "Mask", Own(29), VT::String, kGetLet, ";Data", "", 0},
    {30, "AutoTab", Own(30), VT::Boolean, kGetLet, ";Behavior", "", 0},
    {31, "AutoSelect", Own(31), VT::Boolean, kGetLet, ";Behavior", "", 0},
    {32, "Length", Own(32), VT::Integer, kGetLet, ";Data", "", 0},
    {33, "DecimalPlaces", Own(33), VT::Integer, kGetLet, ";Data", "", 0},
    {34, "Value", 0, VT::Variant, kGetLet, ";Text", "Returns or Sets the Value of TextBox",
     kDefaultMember | kBindable | kRequestEdit | kDisplayBind | kDefaultBind},
    {35, "SelText", Own(35), VT::String, kGetLet, ";Data", "Returns/sets the string containing the currently selected text.", 0},
    {36, "SelStart", Own(36), VT::Long, kGetLet, ";Data", "Returns/sets the starting point of text selected.", 0},
    {37, "SelLength", Own(37), VT::Long, kGetLet, ";Data", "Returns/sets the number of characters selected.", 0},
    {38, "BorderStyle", -504, VT::BorderStyle, kGetLet, "", "Returns/sets the border style for an object.", 0},
    {39, "ShowTalmoBox", -552, VT::Void, kCall, "", "", 0},
    {40, "Appearance", -520, VT::Appearance, kGetLet, "", "", 0},
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
      {2, "OLECompleteDrag", 2, {{"Effect", VT::Long}},
       "Occurs at the OLE drag/drop source control after a manual or automatic drag/drop has been completed or canceled.", false, false},
      {3, "OLEDragDrop", 3, dragDrop,
       "Occurs when data is dropped onto the control via an OLE drag/drop operation, and OLEDropMode is set to manual.", false, false},
      {4, "OLEDragOver", 4, dragOver,
       "Occurs when the mouse is moved over the control during an OLE drag/drop operation, if its OLEDropMode property is set to "
       "manual.",
       false, false},
      {5, "OLEGiveFeedback", 5, {{"Effect", VT::Long}, {"DefaultCursors", VT::Boolean}},
       "Occurs at the source control of an OLE drag/drop operation when the mouse cursor needs to be changed.", false, false},
      {6, "OLESetData", 6, {{"Data", VT::DataObject}, {"DataFormat", VT::Integer}},
       "Occurs at the OLE drag/drop source control when the drop target requests data that was not provided to the DataObject "
       "during the OLEDragStart event.",
       false, false},
      {7, "OLEStartDrag", 7, {{"Data", VT::DataObject}, {"AllowedEffects", VT::Long}},
       "Occurs when an OLE drag/drop operation is initiated either manually or automatically.", false, false},
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

std::span<const MemberInfo> TextMembers() { return kMembers; }

std::vector<SlotInfo> TextSlots() {
  std::vector<SlotInfo> slots;
  for (const MemberInfo& member : kMembers) {
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
  const auto found = std::ranges::find_if(kMembers, [&](const MemberInfo& m) { return SameName(m.name, name); });
  return found == kMembers.end() ? nullptr : &*found;
}

const MemberInfo* FindMember(std::int32_t dispid) {
  const auto found = std::ranges::find_if(kMembers, [&](const MemberInfo& m) { return m.dispid == dispid; });
  return found == kMembers.end() ? nullptr : &*found;
}

const EventInfo* FindEvent(std::string_view name) {
  const auto events = TextEvents();
  const auto found = std::ranges::find_if(events, [&](const EventInfo& e) { return SameName(e.name, name); });
  return found == events.end() ? nullptr : &*found;
}

}  // namespace kestrow::control
