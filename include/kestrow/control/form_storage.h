// Saving a form's Text controls into a form file and placing them again from one.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/storage/form_file.h"

namespace kestrow::control {

// The stored form of one control: what its write-properties notification put in a fresh bag.
host::StoredControl StoreText(const Text& text, std::u16string name);

// Places a control read from its stored settings (before the element `before`, or at the end).
// A read that fails takes the control off the form again and raises the host's error with a
// description naming `source`, the control and the key being read.
Text& PlaceStoredText(host::Form& form, host::StoredControl& stored, std::string_view source,
                      std::u16string_view before = {});

// The named controls into a form file (replaced only once written in full).
void SaveForm(host::Form& form, const std::vector<std::u16string>& names, const std::filesystem::path& path);
// Every control of a form file onto the form; when one fails, none of them stays. Returns their names.
std::vector<std::u16string> LoadForm(host::Form& form, const std::filesystem::path& path,
                                     std::u16string_view before = {});

}  // namespace kestrow::control
