// The property page Format as a modal dialog on the terminal, over the page frame model: the
// page's lists (Up/Down picks the next item, Enter opens the list), its fields, and OK, Apply
// and Cancel. Tab visits the page's controls the user can reach, then the buttons.
#pragma once

#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/dispatchable.h"
#include "screen.h"

namespace kestrow::terminal {

// Returns once the user closes the page, applied (OK) or not (Cancel, Esc).
void ShowFormatPage(Screen& screen, host::Form& form, host::Dispatchable& control);

}  // namespace kestrow::terminal
