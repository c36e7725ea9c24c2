#include "kestrow/terminal/unsaved_changes.h"

#include <array>
#include <string_view>

#include "kestrow/control/text.h"

namespace kestrow::terminal {

namespace {

constexpr std::array<std::string_view, 7> kSettings{"DataType", "InputFormat",   "DisplayFormat", "PadChar",
                                                    "Length",   "DecimalPlaces", "Mask"};
constexpr std::int32_t kNumeric = 1;  // dtNumeric

bool IsNumber(const host::Variant& value) {
  using host::VarType;
  const VarType type = value.Type();
  return type == VarType::Integer || type == VarType::Long || type == VarType::Single || type == VarType::Double;
}

}  // namespace

UnsavedChanges::UnsavedChanges(host::Form& form, std::vector<std::u16string> fields)
    : form_(form), fields_(std::move(fields)), saved_(Snapshot()) {}

std::vector<UnsavedChanges::Settings> UnsavedChanges::Snapshot() const {
  std::vector<Settings> snapshot;
  for (const std::u16string& name : fields_) {
    auto& text = dynamic_cast<control::Text&>(*form_.ControlNamed(name));
    const bool numeric = host::ToLong(text.GetProperty("DataType")) == kNumeric;
    Settings settings;
    for (const std::string_view setting : kSettings) {
      if (!(numeric && setting == "Mask")) settings.emplace_back(setting, text.GetProperty(setting));
    }
    host::Variant value = text.GetProperty("Value");
    if (IsNumber(value)) value = host::Variant::Double(host::ToDouble(value));
    settings.emplace_back("Value", std::move(value));
    snapshot.push_back(std::move(settings));
  }
  return snapshot;
}

}  // namespace kestrow::terminal
