// The exported entry points. Everything else in the library is hidden; these are the only ways
// in, besides the virtual members of the class objects they hand out.
#include "kestrow/library/entry_points.h"

#include <algorithm>
#include <array>
#include <memory>

#include "kestrow/host/registry/component_registry.h"
#include "kestrow/library/identifiers.h"

#ifdef KESTROW_LIBRARY_HAS_CONTROL
#include "kestrow/control/text.h"
#include "kestrow/proppage/format_page.h"
#endif

namespace kestrow::library {

namespace {

host::ComponentMaker TextMaker() {
#ifdef KESTROW_LIBRARY_HAS_CONTROL
  return [](host::ControlSite& site, host::EditBox& box) -> std::unique_ptr<host::Component> {
    return std::make_unique<control::Text>(site, box);
  };
#else
  return {};
#endif
}

host::PageMaker FormatMaker() {
#ifdef KESTROW_LIBRARY_HAS_CONTROL
  return [](host::PageFrame& frame) -> std::unique_ptr<host::PropertyPage> {
    return std::make_unique<proppage::FormatPage>(frame);
  };
#else
  return {};
#endif
}

int LiveComponents() {
#ifdef KESTROW_LIBRARY_HAS_CONTROL
  return control::Text::LiveCount() + proppage::FormatPage::LiveCount();
#else
  return 0;
#endif
}

// The library's classes, with class objects that live as long as the process: a host may keep
// one after the class is unregistered.
const std::array<host::ClassEntry, 2>& Classes() {
  static const std::array<host::ClassEntry, 2> classes{{
      {kTextClassId, kTextProgId, "Text", host::ClassKind::Control, std::make_shared<host::ClassFactory>(TextMaker())},
      {kFormatClassId, kFormatProgId, "Format", host::ClassKind::PropertyPage,
       std::make_shared<host::ClassFactory>(FormatMaker())},
  }};
  return classes;
}

template <std::size_t N>
void CopyText(const std::string& text, char (&out)[N]) {
  const std::size_t count = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), count, out);
  std::fill(out + count, out + N, '\0');
}

}  // namespace

}  // namespace kestrow::library

using kestrow::host::result::kClassNotAvailable;
using kestrow::host::result::kFalse;
using kestrow::host::result::kNoInterface;
using kestrow::host::result::kOk;
using kestrow::host::result::kPointer;
using kestrow::host::result::kSelfRegClass;
using kestrow::library::Classes;

extern "C" std::int32_t DllRegisterServer(void) {
  kestrow::host::ComponentRegistry& registry = kestrow::host::ProcessRegistry();
  // All or nothing: a half-registered library would list a control without its page.
  for (const kestrow::host::ClassEntry& entry : Classes()) {
    const auto holder = registry.FindByProgId(entry.prog_id);
    if (holder && holder->class_id != entry.class_id) return kSelfRegClass;
  }
  for (const kestrow::host::ClassEntry& entry : Classes()) {
    if (registry.Register(entry) != kOk) return kSelfRegClass;
  }
  return kOk;
}

extern "C" std::int32_t DllUnregisterServer(void) {
  kestrow::host::ComponentRegistry& registry = kestrow::host::ProcessRegistry();
  for (const kestrow::host::ClassEntry& entry : Classes()) registry.Unregister(entry.class_id);
  return kOk;
}

extern "C" std::int32_t DllGetClassObject(const KestrowGuid* clsid, const KestrowGuid* iid, void** out) {
  if (!out) return kPointer;
  *out = nullptr;
  if (!clsid || !iid) return kPointer;
  const kestrow::host::Guid classId = kestrow::library::FromKestrowGuid(*clsid);
  const auto position = std::ranges::find(Classes(), classId, &kestrow::host::ClassEntry::class_id);
  if (position == Classes().end() || !position->factory->CanCreate()) return kClassNotAvailable;
  if (kestrow::library::FromKestrowGuid(*iid) != kestrow::host::kClassFactoryInterfaceId) return kNoInterface;
  position->factory->AddRef();
  *out = position->factory.get();
  return kOk;
}

extern "C" std::int32_t DllCanUnloadNow(void) {
  if (kestrow::library::LiveComponents() > 0) return kFalse;
  const bool held = std::ranges::any_of(Classes(), [](const auto& entry) { return entry.factory->InUse(); });
  return held ? kFalse : kOk;
}

extern "C" std::int32_t KestrowFindClass(const KestrowGuid* clsid, KestrowClassInfo* out) {
  if (!clsid || !out) return kPointer;
  *out = KestrowClassInfo{};
  const auto entry = kestrow::host::ProcessRegistry().Find(kestrow::library::FromKestrowGuid(*clsid));
  if (!entry) return kFalse;
  out->class_id = kestrow::library::ToKestrowGuid(entry->class_id);
  kestrow::library::CopyText(entry->prog_id, out->prog_id);
  kestrow::library::CopyText(entry->class_name, out->class_name);
  out->kind = entry->kind == kestrow::host::ClassKind::Control ? 0 : 1;
  return kOk;
}

extern "C" std::int32_t KestrowClassFromProgId(const char* prog_id, KestrowGuid* out) {
  if (!prog_id || !out) return kPointer;
  *out = KestrowGuid{};
  const auto entry = kestrow::host::ProcessRegistry().FindByProgId(prog_id);
  if (!entry) return kFalse;
  *out = kestrow::library::ToKestrowGuid(entry->class_id);
  return kOk;
}
