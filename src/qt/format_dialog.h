// The page Format as a Qt dialog: the page's lists as QComboBoxes, its fields as line edits that
// hand every key to the page's own handlers, its labels and frame, and OK, Apply and Cancel. The
// page reads and writes the control by property name alone, so `control` may be the control
// itself or anything that stands for it (a designer's undoable writes).
#pragma once

#include <QWidget>

#include "kestrow/host/values/dispatchable.h"

namespace kestrow::qt {

// Modal, through the answerer; returns once the dialog is closed.
void ShowFormatDialog(QWidget* parent, host::Dispatchable& control);

}  // namespace kestrow::qt
