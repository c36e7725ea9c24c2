// The component's type information: the library, its classes, and the members of the control's
// interface _Text and event interface __Text, as a late-bound caller or a property browser sees them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kestrow::control {

enum class ValueType {
  Void,
  Integer,
  Long,
  Single,
  Boolean,
  String,
  Variant,
  Colour,
  Font,
  Picture,
  DataObject,
  DataTypes,       // dtDataTypes
  InputFormats,    // dtInputFormats
  DisplayFormats,  // dtDisplayFormats
  TextAlignment,   // the host's alignment enumeration
  BorderStyle,     // vbBorderStyleConstants
  Appearance,      // vbAppearanceConstants
};

// How a member is reached: a property read, a value assignment, an object assignment (by
// reference), or a method call.
enum Access : unsigned { kGet = 1, kLet = 2, kSet = 4, kCall = 8 };

namespace member_flags {
inline constexpr unsigned kHidden = 1;         // not shown in the property browser
inline constexpr unsigned kUiDefault = 2;      // the member a designer's browser selects first
inline constexpr unsigned kDefaultMember = 4;  // the default member (dispatch identifier 0)
inline constexpr unsigned kBindable = 8;
inline constexpr unsigned kRequestEdit = 16;
inline constexpr unsigned kDisplayBind = 32;
inline constexpr unsigned kDefaultBind = 64;
}  // namespace member_flags

struct MemberInfo {
  int number;  // 1 to 40, in interface order
  std::string_view name;
  std::int32_t dispid;
  ValueType type;             // the property's type; Void for methods
  unsigned access;            // Access bits
  std::string_view category;  // "page;category": "Format;Data", ";Appearance"; empty for none
  std::string_view help;
  unsigned flags;
};

// One vtable slot: a property with a getter and a setter takes two, getter first.
struct SlotInfo {
  int slot;
  const MemberInfo* member;
  Access access;
};

struct EventParameter {
  std::string_view name;
  ValueType type;  // every parameter goes by reference
};

struct EventInfo {
  int slot;
  std::string_view name;
  std::int32_t dispid;
  std::vector<EventParameter> parameters;
  std::string_view help;
  bool ui_default;
  bool raised;  // the drag-and-drop events are declared and never raised
};

struct ClassInfo {
  std::string_view name;
  bool is_control;
  std::string_view default_interface;
  std::string_view event_interface;              // empty for none
  std::vector<std::string_view> property_pages;  // offered in this order
};

// A named constant of one of the library's enumerations.
struct ConstantInfo {
  std::string_view name;
  std::int32_t value;
};

struct TypeLibraryInfo {
  std::string_view name;
  std::string_view help;
  std::vector<ClassInfo> classes;
  std::vector<std::string_view> interfaces;
};

std::span<const MemberInfo> TextMembers();
std::vector<SlotInfo> TextSlots();
std::span<const EventInfo> TextEvents();
const TypeLibraryInfo& KestrowTypeLibrary();
// The constants of the library's own enumerations (DataTypes, InputFormats, DisplayFormats) in
// value order; none for any other type.
std::span<const ConstantInfo> ConstantsOf(ValueType type);

// By name (case-insensitive, as late binding is) or by dispatch identifier; null when unknown.
const MemberInfo* FindMember(std::string_view name);
const MemberInfo* FindMember(std::int32_t dispid);
const EventInfo* FindEvent(std::string_view name);
// By name, case-insensitive; null when `type` has no such constant.
const ConstantInfo* FindConstant(ValueType type, std::string_view name);

}  // namespace kestrow::control
