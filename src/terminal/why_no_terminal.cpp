#include "kestrow/terminal/terminal_host.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

// Last: term.h defines capability names such as `lines` and `columns` as macros.
#include <curses.h>
#include <term.h>

namespace kestrow::terminal {

std::optional<std::string> WhyNoTerminal() {
  if (!::isatty(STDIN_FILENO)) return "standard input is not a terminal";
  const char* type = std::getenv("TERM");
  if (!type || !*type) return "TERM is not set, so the terminal's type is unknown";
  const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (tty < 0) return std::string("cannot open the terminal /dev/tty: ") + std::strerror(errno);
  int status = 0;
  std::optional<std::string> why;
  if (setupterm(type, tty, &status) != OK) {
    why = status == 0 ? "the terminal type \"" + std::string(type) + "\" is unknown"
                      : std::string("no terminal database is installed");
  } else {
    const char* cursor = tigetstr("cup");
    if (!cursor || cursor == reinterpret_cast<const char*>(-1) || tigetflag("hc") > 0) {
      why = "the terminal \"" + std::string(type) + "\" cannot place the cursor, which a form needs";
    }
    del_curterm(cur_term);
  }
  ::close(tty);
  return why;
}

}  // namespace kestrow::terminal
