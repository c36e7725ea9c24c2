#include "kestrow/host/forms/dialog.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kestrow::host {

namespace {

// The first button with the flag; the name is copied because Click may change the form.
template <typename Flag>
std::optional<std::string> ButtonWith(const std::vector<DialogControl>& controls, Flag flag) {
  const auto position = std::ranges::find_if(controls, [&](const DialogControl& control) {
    return control.kind == DialogControl::Kind::CommandButton && control.*flag;
  });
  if (position == controls.end()) return std::nullopt;
  return position->name;
}

}  // namespace

void DialogForm::PressEnter() {
  if (const auto name = ButtonWith(controls_, &DialogControl::is_default)) Click(*name);
}

void DialogForm::PressEscape() {
  if (const auto name = ButtonWith(controls_, &DialogControl::is_cancel)) Click(*name);
}

const DialogControl* DialogForm::Find(std::string_view name) const {
  const auto position = std::ranges::find(controls_, name, &DialogControl::name);
  return position == controls_.end() ? nullptr : &*position;
}

DialogControl& DialogForm::Control(std::string_view name) {
  const auto position = std::ranges::find(controls_, name, &DialogControl::name);
  if (position == controls_.end()) throw std::out_of_range("DialogForm: no control of that name");
  return *position;
}

std::vector<std::u16string> DialogForm::LabelsInTabOrder() const {
  std::vector<const DialogControl*> labels;
  for (const DialogControl& control : controls_) {
    if (control.kind == DialogControl::Kind::Label) labels.push_back(&control);
  }
  // Stable, so labels sharing an index keep the form's order; one without an index goes last.
  std::ranges::stable_sort(labels, [](const DialogControl* a, const DialogControl* b) {
    if (!b->tab_index) return a->tab_index.has_value();
    return a->tab_index && *a->tab_index < *b->tab_index;
  });
  std::vector<std::u16string> captions;
  captions.reserve(labels.size());
  for (const DialogControl* label : labels) captions.push_back(label->caption);
  return captions;
}

}  // namespace kestrow::host
