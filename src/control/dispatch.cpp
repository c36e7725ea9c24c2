#include "kestrow/control/dispatch.h"

#include <array>
#include <functional>

#include "kestrow/host/values/host_error.h"
#include "control/text_internals.h"
#include "value_types.h"

namespace kestrow::control {

using host::Variant;

namespace {

[[noreturn]] void RaiseNotSupported() { throw host::HostError(host::errors::kNotSupported, "Object doesn't support this property or method"); }
[[noreturn]] void RaiseReadOnly() { throw host::HostError(host::errors::kPropertyReadOnly, "Property is read-only"); }
[[noreturn]] void RaiseWrongArguments() {
  throw host::HostError(host::errors::kWrongArguments, "Wrong number of arguments or invalid property assignment");
}

Variant Str(std::u16string_view text) { return Variant::String(std::u16string(text)); }
Variant Colour(std::uint32_t colour) { return Variant::Long(static_cast<std::int32_t>(colour)); }

struct Accessors {
  std::function<Variant(Text&)> get;
  std::function<void(Text&, const Variant&)> put;
  std::function<void(Text&)> call;
};

// The accessors of each member, by member number (index 0 unused).
const std::array<Accessors, 41>& AccessorTable() {
  using engine::TextEngine;
  static const std::array<Accessors, 41> table{{
      {},
      {[](Text& t) { return Colour(t.BackColor()); }, [](Text& t, const Variant& v) { t.SetBackColor(ToColour(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.Enabled()); }, [](Text& t, const Variant& v) { t.SetEnabled(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Object(t.Font()); }, [](Text& t, const Variant& v) { t.SetFont(ObjectOf<host::Font>(v)); }, {}},
      {{}, {}, [](Text& t) { t.Refresh(); }},
      {[](Text& t) { return Str(t.LinkItem()); }, [](Text& t, const Variant& v) { t.SetLinkItem(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.LinkMode()); }, [](Text& t, const Variant& v) { t.SetLinkMode(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.LinkTimeout()); }, [](Text& t, const Variant& v) { t.SetLinkTimeout(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Str(t.LinkTopic()); }, [](Text& t, const Variant& v) { t.SetLinkTopic(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.Locked()); }, [](Text& t, const Variant& v) { t.SetLocked(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Object(t.MouseIcon()); }, [](Text& t, const Variant& v) { t.SetMouseIcon(PictureOf(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.MousePointer()); }, [](Text& t, const Variant& v) { t.SetMousePointer(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.ScrollBars()); }, {}, {}},
      {[](Text& t) { return Str(t.GetText()); }, [](Text& t, const Variant& v) { t.SetText(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.RightToLeft()); }, [](Text& t, const Variant& v) { t.SetRightToLeft(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.OLEDropMode()); }, [](Text& t, const Variant& v) { t.SetOLEDropMode(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Variant::Integer(t.OLEDragMode()); }, [](Text& t, const Variant& v) { t.SetOLEDragMode(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Variant::Long(t.Alignment()); }, [](Text& t, const Variant& v) { t.SetAlignment(host::ToLong(v)); }, {}},
      {[](Text& t) { return Colour(t.ForeColor()); }, [](Text& t, const Variant& v) { t.SetForeColor(ToColour(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.FontUnderline()); }, [](Text& t, const Variant& v) { t.SetFontUnderline(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.FontStrikethru()); }, [](Text& t, const Variant& v) { t.SetFontStrikethru(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Single(t.FontSize()); }, [](Text& t, const Variant& v) { t.SetFontSize(host::ToSingle(v)); }, {}},
      {[](Text& t) { return Str(t.FontName()); }, [](Text& t, const Variant& v) { t.SetFontName(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.FontItalic()); }, [](Text& t, const Variant& v) { t.SetFontItalic(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(t.FontBold()); }, [](Text& t, const Variant& v) { t.SetFontBold(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Long(EngineOf(t).DataType()); }, [](Text& t, const Variant& v) { EngineOf(t).SetDataType(host::ToLong(v)); }, {}},
      {[](Text& t) { return Variant::Long(EngineOf(t).InputFormat()); }, [](Text& t, const Variant& v) { EngineOf(t).SetInputFormat(host::ToLong(v)); }, {}},
      {[](Text& t) { return Variant::Long(EngineOf(t).DisplayFormat()); }, [](Text& t, const Variant& v) { EngineOf(t).SetDisplayFormat(host::ToLong(v)); }, {}},
      {[](Text& t) { return Str(EngineOf(t).PadChar()); }, [](Text& t, const Variant& v) { EngineOf(t).SetPadChar(host::ToText(v)); }, {}},
      {[](Text& t) { return Str(EngineOf(t).Mask()); }, [](Text& t, const Variant& v) { EngineOf(t).SetMask(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(EngineOf(t).AutoTab()); }, [](Text& t, const Variant& v) { EngineOf(t).SetAutoTab(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Boolean(EngineOf(t).AutoSelect()); }, [](Text& t, const Variant& v) { EngineOf(t).SetAutoSelect(host::ToBoolean(v)); }, {}},
      {[](Text& t) { return Variant::Integer(EngineOf(t).Length()); }, [](Text& t, const Variant& v) { EngineOf(t).SetLength(host::ToInteger(v)); }, {}},
      {[](Text& t) { return Variant::Integer(EngineOf(t).DecimalPlaces()); }, [](Text& t, const Variant& v) { EngineOf(t).SetDecimalPlaces(host::ToInteger(v)); }, {}},
      {[](Text& t) { return EngineOf(t).Value(); }, [](Text& t, const Variant& v) { EngineOf(t).SetValue(v); }, {}},
      {[](Text& t) { return Str(t.SelText()); }, [](Text& t, const Variant& v) { t.SetSelText(host::ToText(v)); }, {}},
      {[](Text& t) { return Variant::Long(t.SelStart()); }, [](Text& t, const Variant& v) { t.SetSelStart(host::ToLong(v)); }, {}},
      {[](Text& t) { return Variant::Long(t.SelLength()); }, [](Text& t, const Variant& v) { t.SetSelLength(host::ToLong(v)); }, {}},
      {[](Text& t) { return Variant::Long(t.BorderStyle()); }, [](Text& t, const Variant& v) { t.SetBorderStyle(host::ToLong(v)); }, {}},
      {{}, {}, [](Text& t) { t.ShowTalmoBox(); }},
      {[](Text& t) { return Variant::Long(t.Appearance()); }, [](Text& t, const Variant& v) { t.SetAppearance(host::ToLong(v)); }, {}},
  }};
  return table;
}

const Accessors& AccessorsOf(const MemberInfo& member) { return AccessorTable()[static_cast<std::size_t>(member.number)]; }

}  // namespace

const MemberInfo& MemberNamed(std::string_view name) {
  const MemberInfo* member = FindMember(name);
  if (member == nullptr) RaiseNotSupported();
  return *member;
}

const MemberInfo& MemberWithId(std::int32_t dispid) {
  const MemberInfo* member = FindMember(dispid);
  if (member == nullptr) RaiseNotSupported();
  return *member;
}

Variant GetProperty(Text& control, const MemberInfo& member) {
  const Accessors& accessors = AccessorsOf(member);
  if (!accessors.get) RaiseNotSupported();
  return accessors.get(control);
}

void PutProperty(Text& control, const MemberInfo& member, const Variant& value) {
  const Accessors& accessors = AccessorsOf(member);
  if (!accessors.put) {
    if (accessors.get) RaiseReadOnly();
    RaiseNotSupported();
  }
  // Object members are assigned by reference, the others by value.
  const bool objectMember = (member.access & kSet) != 0;
  if (objectMember != (value.Type() == host::VarType::Object)) host::errors::RaiseTypeMismatch();
  accessors.put(control, value);
}

Variant Text::GetProperty(std::string_view name) { return control::GetProperty(*this, MemberNamed(name)); }

void Text::PutProperty(std::string_view name, const Variant& value) {
  control::PutProperty(*this, MemberNamed(name), value);
}

Variant CallMethod(Text& control, const MemberInfo& member, std::span<const Variant> arguments) {
  const Accessors& accessors = AccessorsOf(member);
  if (!accessors.call) RaiseNotSupported();
  if (!arguments.empty()) RaiseWrongArguments();
  accessors.call(control);
  return Variant();
}

}  // namespace kestrow::control
