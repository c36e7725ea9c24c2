// Puts the terminal back as it was when a signal ends the process while the screen is up: the
// handlers write the terminal's own reset strings and restore its modes with async-signal-safe
// calls only, then raise the signal again with its default action.
#pragma once

#include <string>

namespace kestrow::terminal {

class SignalRestore {
 public:
  // Keeps the terminal modes `tty` has now; install before the screen library changes them.
  explicit SignalRestore(int tty);
  ~SignalRestore();
  SignalRestore(const SignalRestore&) = delete;
  SignalRestore& operator=(const SignalRestore&) = delete;

  // What to write to the terminal before restoring its modes (leaving the alternate screen,
  // showing the cursor, turning mouse reports off); cut to a fixed buffer.
  void SetResetSequence(const std::string& sequence);
};

}  // namespace kestrow::terminal
