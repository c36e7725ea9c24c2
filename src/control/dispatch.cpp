#include "kestrow/control/dispatch.h"

#include "control/properties.h"
#include "kestrow/host/values/host_error.h"

namespace kestrow::control {

using host::Variant;

namespace {

[[noreturn]] void RaiseNotSupported() {
  throw host::HostError(host::errors::kNotSupported, "Object doesn't support this property or method");
}
[[noreturn]] void RaiseReadOnly() { throw host::HostError(host::errors::kPropertyReadOnly, "Property is read-only"); }
[[noreturn]] void RaiseWrongArguments() {
  throw host::HostError(host::errors::kWrongArguments, "Wrong number of arguments or invalid property assignment");
}

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
  const Property& property = PropertyOf(member);
  if (!property.get) RaiseNotSupported();
  return property.get(control);
}

void PutProperty(Text& control, const MemberInfo& member, const Variant& value) {
  const Property& property = PropertyOf(member);
  if (!property.put) {
    if (property.get) RaiseReadOnly();
    RaiseNotSupported();
  }
  // Object members are assigned by reference, the others by value.
  const bool objectMember = (member.access & kSet) != 0;
  if (objectMember != (value.Type() == host::VarType::Object)) host::errors::RaiseTypeMismatch();
  property.put(control, value);
}

Variant Text::GetProperty(std::string_view name) { return control::GetProperty(*this, MemberNamed(name)); }

void Text::PutProperty(std::string_view name, const Variant& value) {
  control::PutProperty(*this, MemberNamed(name), value);
}

Variant CallMethod(Text& control, const MemberInfo& member, std::span<const Variant> arguments) {
  const Property& property = PropertyOf(member);
  if (!property.call) RaiseNotSupported();
  if (!arguments.empty()) RaiseWrongArguments();
  property.call(control);
  return Variant();
}

}  // namespace kestrow::control
