// Late binding on a Text control: reading, assigning and calling members by name or dispatch
// identifier, with the arguments converted by the host's rules to the member's type.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kestrow/control/text.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::control {

// Unknown members raise the host's error 438; assigning a read-only property raises 383, calling
// a property or reading a method 438, wrong argument counts 450; conversions raise overflow (6) or
// type mismatch (13) and then nothing is assigned.
host::Variant GetProperty(Text& control, const MemberInfo& member);
// Assigns by value, or by reference for the object-valued members (Font, MouseIcon).
void PutProperty(Text& control, const MemberInfo& member, const host::Variant& value);
host::Variant CallMethod(Text& control, const MemberInfo& member, std::span<const host::Variant> arguments);

// The member of a name or identifier; raises 438 when there is none.
const MemberInfo& MemberNamed(std::string_view name);
const MemberInfo& MemberWithId(std::int32_t dispid);

}  // namespace kestrow::control
