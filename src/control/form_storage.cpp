#include "kestrow/control/form_storage.h"

#include <stdexcept>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::control {

namespace {

constexpr std::string_view kTextClass = "Text";

[[noreturn]] void RaiseNamingTheKey(const host::HostError& error, std::string_view source, std::u16string_view control,
                                    const host::PropertyBag& bag) {
  std::string where = std::string(source) + ": control \"" + host::ToUtf8(control) + "\"";
  if (bag.LastKeyRead()) where += ", key \"" + *bag.LastKeyRead() + "\"";
  throw host::HostError(error.Number(), where + ": " + error.Description());
}

}  // namespace

host::StoredControl StoreText(const Text& text, std::u16string name) {
  host::StoredControl stored{std::move(name), std::string(kTextClass), {}};
  text.WriteProperties(stored.properties);
  return stored;
}

Text& PlaceStoredText(host::Form& form, host::StoredControl& stored, std::string_view source,
                      std::u16string_view before) {
  if (stored.class_name != kTextClass) {
    throw host::HostError(host::errors::kInvalidFileFormat, std::string(source) + ": control \"" +
                                                                host::ToUtf8(stored.name) + "\": unknown class \"" +
                                                                stored.class_name + "\"");
  }
  Text& text = static_cast<Text&>(form.AddControl(
      stored.name, [](host::ControlSite& site, host::EditBox& box) { return std::make_unique<Text>(site, box); },
      before));
  try {
    text.ReadProperties(stored.properties);
  } catch (const host::HostError& error) {
    form.RemoveControl(stored.name);
    RaiseNamingTheKey(error, source, stored.name, stored.properties);
  }
  return text;
}

void SaveForm(host::Form& form, const std::vector<std::u16string>& names, const std::filesystem::path& path) {
  std::vector<host::StoredControl> controls;
  for (const std::u16string& name : names) {
    const auto* text = dynamic_cast<const Text*>(form.ControlNamed(name));
    if (text == nullptr) throw std::invalid_argument("SaveForm: " + host::ToUtf8(name) + " is not a Text control");
    controls.push_back(StoreText(*text, name));
  }
  host::WriteFormFile(path, controls);
}

std::vector<std::u16string> LoadForm(host::Form& form, const std::filesystem::path& path, std::u16string_view before) {
  std::vector<host::StoredControl> controls = host::ReadFormFile(path);
  const std::string source = path.filename().string();
  std::vector<std::u16string> placed;
  try {
    for (host::StoredControl& stored : controls) {
      PlaceStoredText(form, stored, source, before);
      placed.push_back(stored.name);
    }
  } catch (...) {
    for (const std::u16string& name : placed) form.RemoveControl(name);
    throw;
  }
  return placed;
}

}  // namespace kestrow::control
