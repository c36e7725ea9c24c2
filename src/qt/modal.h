// The modal dialogs of the Qt host: each goes to the application's answerer (by default its own
// modal loop). Message boxes are QMessageBoxes with the control's caption, icon and buttons; dialog
// forms (the About box) are QDialogs of their controls.
#pragma once

#include <QDialog>

#include <optional>
#include <string_view>

#include "kestrow/host/forms/dialog.h"
#include "kestrow/qt/text_widget.h"

namespace kestrow::qt {

// Through the answerer; returns its result.
int Answer(QDialog& dialog);

// The message box of `buttons` (a button set and an icon); returns the host's code of the button
// pressed (host::msgbox).
int ShowMessage(QWidget* parent, std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption);

// Loads the form, shows it as a QDialog of its controls, and returns once the form is unloaded
// (its buttons' clicks go to the form) or the dialog is closed.
void ShowDialogForm(QWidget* parent, host::DialogForm& form);

}  // namespace kestrow::qt
