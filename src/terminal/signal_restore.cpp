#include "signal_restore.h"

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>

namespace kestrow::terminal {

namespace {

constexpr std::array<int, 9> kSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Read by the handler: written only while the handlers are not installed or before the screen
// starts, and a reset sequence is replaced as a whole before its length is published.
volatile sig_atomic_t g_tty = -1;
termios g_modes{};
char g_reset[256];
volatile sig_atomic_t g_reset_length = 0;
std::array<struct sigaction, kSignals.size()> g_previous{};

void Restore(int signal_number) {
  const int tty = g_tty;
  if (tty >= 0) {
    const ssize_t written = ::write(tty, g_reset, static_cast<std::size_t>(g_reset_length));
    (void)written;
    ::tcsetattr(tty, TCSANOW, &g_modes);
  }
  // SA_RESETHAND has put the default action back; SA_NODEFER lets it arrive now.
  ::raise(signal_number);
}

}  // namespace

SignalRestore::SignalRestore(int tty) {
  ::tcgetattr(tty, &g_modes);
  g_reset_length = 0;
  g_tty = tty;
  struct sigaction action {};
  action.sa_handler = Restore;
  action.sa_flags = static_cast<int>(static_cast<unsigned>(SA_RESETHAND) | static_cast<unsigned>(SA_NODEFER));
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    ::sigaction(kSignals[i], nullptr, &g_previous[i]);
    // A signal the process was started ignoring (nohup) stays ignored.
    if (g_previous[i].sa_handler != SIG_IGN) ::sigaction(kSignals[i], &action, nullptr);
  }
}

SignalRestore::~SignalRestore() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  g_tty = -1;
}

void SignalRestore::SetResetSequence(const std::string& sequence) {
  g_reset_length = 0;
  const std::size_t length = std::min(sequence.size(), sizeof g_reset);
  std::memcpy(g_reset, sequence.data(), length);
  g_reset_length = static_cast<sig_atomic_t>(length);
}

}  // namespace kestrow::terminal
