// The interface's value types as the host converts variants to them.
#pragma once

#include <cstdint>
#include <memory>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::control {

// A colour: a 32-bit value, written as a signed Long or as its unsigned number; anything outside
// both ranges overflows.
std::uint32_t ToColour(const host::Variant& value);

// The object a variant holds when it is of kind T; empty for an object variant holding nothing.
// Any other value raises type mismatch.
template <typename T>
std::shared_ptr<T> ObjectOf(const host::Variant& value) {
  if (value.Type() != host::VarType::Object) host::errors::RaiseTypeMismatch();
  if (!value.AsObject()) return nullptr;
  auto object = std::dynamic_pointer_cast<T>(value.AsObject());
  if (!object) host::errors::RaiseTypeMismatch();
  return object;
}

inline std::shared_ptr<host::Picture> PictureOf(const host::Variant& value) { return ObjectOf<host::Picture>(value); }

}  // namespace kestrow::control
