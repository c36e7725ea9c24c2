// The host's catalogue of component classes: what a component library registers itself as, and
// the class factories the host builds components with.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/property_page.h"
#include "kestrow/host/registry/guid.h"

namespace kestrow::host {

// Result codes of the registration and class-object calls: negative is a failure.
namespace result {
inline constexpr std::int32_t kOk = 0;                                                      // S_OK
inline constexpr std::int32_t kFalse = 1;                                                   // S_FALSE
inline constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002u);        // E_NOINTERFACE
inline constexpr std::int32_t kPointer = static_cast<std::int32_t>(0x80004003u);            // E_POINTER
inline constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111u);  // CLASS_E_CLASSNOTAVAILABLE
inline constexpr std::int32_t kSelfRegClass = static_cast<std::int32_t>(0x80040201u);       // SELFREG_E_CLASS
}  // namespace result

using ComponentMaker = Form::ComponentFactory;
using PageMaker = std::function<std::unique_ptr<PropertyPage>(PageFrame& frame)>;

// The interface a class object is asked for by.
inline constexpr Guid kClassFactoryInterfaceId = MakeGuid("{2C0E2F4D-CDE7-499D-932B-5BE2BE9F767F}");

// The object a component library hands out for one class. Its members are virtual so a host
// can use one from another binary through the object alone, without linking to its code.
class ClassFactory {
 public:
  // A control class or a property page class. An empty maker is a class whose implementation is
  // not there: it makes nothing.
  explicit ClassFactory(ComponentMaker make) : make_(std::move(make)) {}
  explicit ClassFactory(PageMaker make) : make_page_(std::move(make)) {}
  virtual ~ClassFactory() = default;
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  // kOk with a new component in `out`; kClassNotAvailable, `out` empty, when the class makes none.
  virtual std::int32_t CreateInstance(ControlSite& site, EditBox& box, std::unique_ptr<Component>& out);
  // The same for a property page, shown in `frame`; kClassNotAvailable for a control class.
  virtual std::int32_t CreatePage(PageFrame& frame, std::unique_ptr<PropertyPage>& out);
  // Keeps the library loaded while locked; unlocking more often than locking does nothing.
  virtual std::int32_t LockServer(bool lock);
  // References held by hosts (a reference is handed out with the factory); the count after.
  virtual std::uint32_t AddRef();
  virtual std::uint32_t Release();

  bool CanCreate() const { return make_ || make_page_; }
  // Held or locked by a host.
  bool InUse() const { return references_.load() > 0 || locks_.load() > 0; }

 private:
  ComponentMaker make_;
  PageMaker make_page_;
  std::atomic<std::uint32_t> references_{0};
  std::atomic<std::uint32_t> locks_{0};
};

enum class ClassKind { Control, PropertyPage };

struct ClassEntry {
  Guid class_id;
  std::string prog_id;     // "Kestrow.Text"
  std::string class_name;  // "Text"
  ClassKind kind = ClassKind::Control;
  std::shared_ptr<ClassFactory> factory;
};

// Safe to use from several threads.
class ComponentRegistry {
 public:
  // Adds the class or replaces its earlier registration. kSelfRegClass, and nothing registered,
  // for an entry without a ProgID or factory, or whose ProgID another class already holds.
  std::int32_t Register(ClassEntry entry);
  // False when the class was not registered.
  bool Unregister(const Guid& class_id);
  std::optional<ClassEntry> Find(const Guid& class_id) const;
  // ProgIDs compare without regard to case.
  std::optional<ClassEntry> FindByProgId(std::string_view prog_id) const;
  std::size_t Size() const;

 private:
  mutable std::mutex mutex_;
  std::vector<ClassEntry> entries_;
};

// The registry of the process: what its component libraries registered.
ComponentRegistry& ProcessRegistry();

}  // namespace kestrow::host
