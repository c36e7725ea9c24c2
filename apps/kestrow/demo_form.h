// The sample form `kestrow demo` opens: a customer entry with one field of each kind. The Qt demo
// shows the same fields.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::control {
class Text;
}

namespace kestrow::script {

struct DemoField {
  std::u16string_view name;
  std::vector<std::pair<std::string_view, host::Variant>> settings;  // in the order a designer sets them
};

// The demo's fields, in tab order.
std::span<const DemoField> DemoFields();

// Puts the field's settings on a control through its late-bound interface, as a designer does.
void ApplySettings(const DemoField& field, control::Text& text);

// Places the demo's fields on `form`, in tab order, and returns their names.
std::vector<std::u16string> PlaceDemoForm(host::Form& form);

}  // namespace kestrow::script
