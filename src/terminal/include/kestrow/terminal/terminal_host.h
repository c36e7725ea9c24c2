// The terminal host: a form live on the terminal device, with the user's keys and mouse delivered
// as the form's host events and its message boxes and dialogs drawn on the screen.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kestrow/host/forms/form.h"

namespace kestrow::terminal {

struct Session {
  host::Form& form;                    // controls already placed, in tab order
  std::vector<std::u16string> fields;  // the Text controls' names, in tab order
  std::function<void()> save;          // Ctrl+S; a host::HostError it throws is shown in a message box
  std::u16string title;                // shown at the top of the screen
};

// Why this process cannot run a terminal session (standard input not a terminal, TERM unset or
// unknown, a terminal without the needed capabilities), or nullopt when it can.
std::optional<std::string> WhyNoTerminal();

// Runs the form live until the user quits (Ctrl+Q or F10; unsaved changes are asked about with a
// Yes/No/Cancel box), restoring the terminal on every exit path. Signals that end the process
// (SIGINT, SIGTERM, SIGHUP, crash signals) restore it and are raised again. Returns 0 after a
// quit, non-zero after a fatal failure with the reason in `error`. The form's message boxes and
// dialogs are the screen's for the session's length; its event handler stays the caller's.
int Run(Session& session, std::string& error);

}  // namespace kestrow::terminal
