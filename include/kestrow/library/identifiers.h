// The fixed identifiers of the component library, its classes and their interfaces.
#pragma once

#include <algorithm>

#include "kestrow/host/registry/guid.h"
#include "kestrow/library/entry_points.h"

namespace kestrow::library {

inline constexpr host::Guid kLibraryId = host::MakeGuid("{B9555F45-9154-4C26-AC6B-07E169489AD0}");

// The Text control: its class, its interface _Text and its event interface __Text.
inline constexpr host::Guid kTextClassId = host::MakeGuid("{28E14BC6-3C11-4C2A-B88C-0AC76AB4BD1E}");
inline constexpr host::Guid kTextInterfaceId = host::MakeGuid("{15CB1E5E-D620-471C-B098-14AA6550D963}");
inline constexpr host::Guid kTextEventsId = host::MakeGuid("{23ECE261-C03F-42B2-BC4C-8D78A5D4C139}");

// The Format property page and its interface _Format.
inline constexpr host::Guid kFormatClassId = host::MakeGuid("{81E58EF8-B5F9-4C06-8575-AE7D784371D1}");
inline constexpr host::Guid kFormatInterfaceId = host::MakeGuid("{78312C01-46E1-442D-BF1A-505E28FAE2E6}");

inline constexpr const char* kTextProgId = "Kestrow.Text";
inline constexpr const char* kFormatProgId = "Kestrow.Format";

// The entry points' form of an identifier, and back.
constexpr KestrowGuid ToKestrowGuid(const host::Guid& guid) {
  KestrowGuid out{guid.data1, guid.data2, guid.data3, {}};
  std::ranges::copy(guid.data4, out.data4);
  return out;
}

constexpr host::Guid FromKestrowGuid(const KestrowGuid& guid) {
  host::Guid out;
  out.data1 = guid.data1;
  out.data2 = guid.data2;
  out.data3 = guid.data3;
  std::ranges::copy(guid.data4, out.data4.begin());
  return out;
}

}  // namespace kestrow::library
