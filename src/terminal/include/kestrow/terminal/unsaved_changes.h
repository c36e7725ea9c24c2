// Whether the form holds changes not yet saved: each field's value and the settings its property
// page edits, against those of the last save (or of the start). Moving the focus rewrites a box's
// text, a number's mask and its value's subtype without changing the form, so neither the text
// nor a number's subtype counts, and a number's mask, built from its other settings, neither.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::terminal {

class UnsavedChanges {
 public:
  // Takes the form as it is now as saved; `fields` are Text controls.
  UnsavedChanges(host::Form& form, std::vector<std::u16string> fields);

  void MarkSaved() { saved_ = Snapshot(); }
  bool Pending() const { return Snapshot() != saved_; }

 private:
  using Settings = std::vector<std::pair<std::string_view, host::Variant>>;
  std::vector<Settings> Snapshot() const;

  host::Form& form_;
  std::vector<std::u16string> fields_;
  std::vector<Settings> saved_;
};

}  // namespace kestrow::terminal
