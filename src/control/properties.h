// Every property of the Text control, once: its member of _Text (name, dispatch identifier, type,
// browser attributes), how a late-bound caller reads, assigns or calls it, and how it is stored
// (key, place, default, reading and writing). The type library, late binding, a new control's
// defaults and the property bag all read this table; adding a property is adding its row.
#pragma once

#include <span>
#include <string_view>

#include "control/text_internals.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::control {

// When a stored key is read: before the format (the inner box's appearance), with the format
// (taken unchecked, the mask rebuilt after the last of them), or after it (the selection, which
// needs the text the format shows, and the keys later versions added).
enum class ReadStage { Box, Format, AfterFormat };

struct Stored {
  int place = 0;  // in the stored order, from 1; 0: not stored
  ReadStage stage = ReadStage::Box;
  // What a new control has, and what a missing key reads as.
  host::Variant (*initial)(const Text& text) = nullptr;
  host::Variant (*write)(const Text& text, const engine::FormatMembers& format) = nullptr;
  // Box keys go to the control at once; format keys into `format`, taken all together.
  void (*read)(Text& text, engine::FormatMembers& format, const host::Variant& value) = nullptr;
};

struct Property {
  // Number 0: a stored key with no member of _Text (DisplayMask).
  MemberInfo member;
  // Late binding; null where the member has no such access.
  host::Variant (*get)(Text& text) = nullptr;
  void (*put)(Text& text, const host::Variant& value) = nullptr;
  void (*call)(Text& text) = nullptr;
  Stored stored;
};

// In interface order, the stored keys without a member last.
std::span<const Property> Properties();
// The properties that are stored, in their stored order.
std::span<const Property* const> StoredProperties();
// The property of a member of _Text.
const Property& PropertyOf(const MemberInfo& member);

}  // namespace kestrow::control
