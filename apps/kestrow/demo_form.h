// The sample form `kestrow demo` opens: a customer entry with one field of each kind.
#pragma once

#include <string>
#include <vector>

#include "kestrow/host/forms/form.h"

namespace kestrow::script {

// Places the demo's fields on `form`, in tab order, and returns their names.
std::vector<std::u16string> PlaceDemoForm(host::Form& form);

}  // namespace kestrow::script
