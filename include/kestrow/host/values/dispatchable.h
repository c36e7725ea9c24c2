// An object whose properties are read and assigned by name, late bound, as the host's property
// page container hands out the controls selected in the designer.
#pragma once

#include <string_view>

#include "kestrow/host/values/variant.h"

namespace kestrow::host {

class Dispatchable {
 public:
  // An unknown name, a read-only property or a value the property refuses raises the host error
  // the object chooses; an assignment that raises leaves the property as it was.
  virtual Variant GetProperty(std::string_view name) = 0;
  virtual void PutProperty(std::string_view name, const Variant& value) = 0;

 protected:
  ~Dispatchable() = default;
};

}  // namespace kestrow::host
