#include "screen.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "kestrow/terminal/cells.h"

// Last: term.h defines capability names such as `lines` and `columns` as macros.
#include <curses.h>
#include <term.h>

namespace kestrow::terminal {

namespace {

// Long enough to tell a lone Esc from the start of a key's sequence on a slow link, short enough
// not to be seen.
constexpr int kEscapeDelayMs = 25;
constexpr mmask_t kMouseButtons = BUTTON1_PRESSED | BUTTON1_RELEASED | BUTTON1_CLICKED;

// Bracketed paste: the terminal sends pasted text between two markers, so it is not taken for keys.
constexpr char kBracketedPasteOn[] = "\033[?2004h";
constexpr char kBracketedPasteOff[] = "\033[?2004l";
constexpr char kPasteStart[] = "\033[200~";
constexpr char kPasteEnd[] = "\033[201~";
// A paste whose end marker never comes ends after this silence; what is beyond the most kept is
// read and dropped, so the rest of a huge paste does not arrive as keys.
constexpr int kPasteSilenceMs = 1000;
constexpr std::size_t kMostPasted = 1 << 16;

// The terminal driver's own uses of keys the host and its fields take: flow control (Ctrl+S,
// Ctrl+Q), suspending (Ctrl+Z; Ctrl+Y where it suspends on being read) and quoting the next
// character (Ctrl+V). Ctrl+C still interrupts.
void FreeControlKeys(termios& modes) {
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON);
  modes.c_cc[VSUSP] = static_cast<cc_t>(_POSIX_VDISABLE);
#ifdef VDSUSP
  modes.c_cc[VDSUSP] = static_cast<cc_t>(_POSIX_VDISABLE);
#endif
#ifdef VLNEXT
  modes.c_cc[VLNEXT] = static_cast<cc_t>(_POSIX_VDISABLE);
#endif
}

attr_t Attributes(Style style) {
  switch (style) {
    case Style::Normal: return A_NORMAL;
    case Style::Title: return A_BOLD;
    case Style::Status: return A_REVERSE;
    case Style::Field: return A_UNDERLINE;
    case Style::Selection: return A_REVERSE;
    case Style::Disabled: return A_DIM;
    case Style::Dialog: return A_NORMAL;
    case Style::DialogTitle: return A_BOLD;
    case Style::ChosenButton: return A_REVERSE | A_BOLD;
    case Style::FocusedItem: return A_UNDERLINE | A_BOLD;
  }
  return A_NORMAL;
}

std::string Capability(const char* name) {
  const char* value = tigetstr(name);
  return value && value != reinterpret_cast<const char*>(-1) ? std::string(value) : std::string();
}

// Straight to the terminal: the library's putp writes to standard output, which is the
// program's, not the terminal's.
void SendToTerminal(std::FILE* tty, const char* sequence) {
  std::fputs(sequence, tty);
  std::fflush(tty);
}

// The first key code above the library's own that none of the terminal's keys has.
int BindUnusedKeyCode(const char* sequence) {
  int code = KEY_MAX + 1;
  while (has_key(code)) ++code;
  define_key(sequence, code);
  return code;
}

}  // namespace

Screen::Screen() {
  tty_.reset(std::fopen("/dev/tty", "r+"));
  if (!tty_) throw std::runtime_error(std::string("cannot open the terminal /dev/tty: ") + std::strerror(errno));
  signals_ = std::make_unique<SignalRestore>(fileno(tty_.get()));
  set_escdelay(kEscapeDelayMs);
  screen_ = newterm(nullptr, tty_.get(), tty_.get());
  if (!screen_) throw std::runtime_error("the terminal cannot be started");
  cbreak();
  noecho();
  nonl();
  termios modes{};
  if (::tcgetattr(fileno(tty_.get()), &modes) == 0) {
    FreeControlKeys(modes);
    ::tcsetattr(fileno(tty_.get()), TCSANOW, &modes);
    def_prog_mode();
  }
  intrflush(stdscr, FALSE);
  keypad(stdscr, TRUE);
  mousemask(kMouseButtons, nullptr);
  mouseinterval(0);
  paste_start_ = BindUnusedKeyCode(kPasteStart);
  paste_end_ = BindUnusedKeyCode(kPasteEnd);
  SendToTerminal(tty_.get(), kBracketedPasteOn);
  std::string reset =
      Capability("rmcup") + Capability("cnorm") + Capability("rmkx") + Capability("sgr0") + kBracketedPasteOff;
  if (!Capability("kmous").empty()) reset += "\033[?1000l\033[?1002l\033[?1006l";
  signals_->SetResetSequence(reset);
}

Screen::~Screen() {
  SendToTerminal(tty_.get(), kBracketedPasteOff);
  endwin();
  delscreen(screen_);
}

int Screen::Rows() const { return LINES; }
int Screen::Columns() const { return COLS; }

TerminalInput Screen::Read() {
  while (true) {
    wint_t code = 0;
    const int kind = NextCode(code);
    // The terminal is gone (a hangup whose signal is ignored): nothing more can be read.
    if (kind == ERR) throw std::runtime_error("the terminal can no longer be read");
    if (kind != KEY_CODE_YES) return TerminalInput{TerminalInput::Kind::Character, static_cast<char32_t>(code), {}, {}};
    if (static_cast<int>(code) == paste_start_) return ReadPaste();
    // The end of a paste whose start came apart on a slow link: its text came as typed keys.
    if (static_cast<int>(code) == paste_end_) continue;
    return KeyCodeInput(static_cast<int>(code));
  }
}

int Screen::NextCode(wint_t& code) {
  while (true) {
    errno = 0;
    const int kind = wget_wch(stdscr, &code);
    if (kind != ERR || errno != EINTR) return kind;
  }
}

TerminalInput Screen::KeyCodeInput(int code) {
  const char* name = keyname(code);
  mouse_.reset();
  MEVENT event{};
  if (code == KEY_MOUSE && getmouse(&event) == OK) {
    const MouseReport::Action action = (event.bstate & BUTTON1_PRESSED)    ? MouseReport::Action::Press
                                       : (event.bstate & BUTTON1_RELEASED) ? MouseReport::Action::Release
                                                                           : MouseReport::Action::Click;
    if (event.bstate & kMouseButtons) mouse_ = MouseReport{event.y, event.x, action};
  }
  return TerminalInput{TerminalInput::Kind::KeyCode, 0, name ? name : "", {}};
}

// Key sequences inside a paste (a pasted escape character the library took for one) are dropped.
TerminalInput Screen::ReadPaste() {
  TerminalInput input{TerminalInput::Kind::Paste, 0, {}, {}};
  wtimeout(stdscr, kPasteSilenceMs);
  while (true) {
    wint_t code = 0;
    const int kind = NextCode(code);
    if (kind == ERR || (kind == KEY_CODE_YES && static_cast<int>(code) == paste_end_)) break;
    if (kind != KEY_CODE_YES && input.pasted.size() < kMostPasted) input.pasted += static_cast<char32_t>(code);
  }
  wtimeout(stdscr, -1);
  return input;
}

std::optional<MouseReport> Screen::TakeMouse() { return std::exchange(mouse_, std::nullopt); }

void Screen::Put(int row, int column, std::u16string_view text, Style style, int max_cells) {
  if (row < 0 || row >= LINES || column < 0 || column >= COLS) return;
  const int room = max_cells < 0 ? COLS - column : std::min(max_cells, COLS - column);
  const std::wstring wide = ToWide(Glyphs(FitToCells(text, room)));
  attr_set(Attributes(style), 0, nullptr);
  mvaddnwstr(row, column, wide.c_str(), static_cast<int>(wide.size()));
  attr_set(A_NORMAL, 0, nullptr);
}

void Screen::Fill(int row, int column, int cells, Style style) {
  if (cells > 0) Put(row, column, std::u16string(static_cast<std::size_t>(cells), u' '), style, cells);
}

void Screen::Frame(int top, int left, int height, int width, std::u16string_view title, Style style) {
  if (height < 2 || width < 2) return;
  for (int row = top; row < top + height; ++row) Fill(row, left, width, style);
  attr_set(Attributes(style), 0, nullptr);
  mvhline(top, left + 1, ACS_HLINE, width - 2);
  mvhline(top + height - 1, left + 1, ACS_HLINE, width - 2);
  mvvline(top + 1, left, ACS_VLINE, height - 2);
  mvvline(top + 1, left + width - 1, ACS_VLINE, height - 2);
  mvaddch(top, left, ACS_ULCORNER);
  mvaddch(top, left + width - 1, ACS_URCORNER);
  mvaddch(top + height - 1, left, ACS_LLCORNER);
  mvaddch(top + height - 1, left + width - 1, ACS_LRCORNER);
  attr_set(A_NORMAL, 0, nullptr);
  if (!title.empty()) Put(top, left + 2, u" " + std::u16string(title) + u" ", Style::DialogTitle, width - 4);
}

void Screen::HorizontalLine(int row, int column, int cells, Style style) {
  if (row < 0 || row >= LINES || cells <= 0) return;
  attr_set(Attributes(style), 0, nullptr);
  mvhline(row, column, ACS_HLINE, cells);
  attr_set(A_NORMAL, 0, nullptr);
}

void Screen::Redraw() {
  erase();
  caret_.reset();
  for (const Layer& layer : layers_) {
    caret_.reset();  // a layer over another hides the caret below it
    layer();
  }
  if (caret_ && caret_->row < LINES && caret_->column < COLS) {
    move(caret_->row, caret_->column);
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
}

void RunModal(Screen& screen, Screen::Layer layer,
              const std::function<bool(const KeyAction& action, const std::optional<MouseReport>& mouse)>& answer) {
  screen.Push(std::move(layer));
  struct PopOnExit {
    Screen& screen;
    ~PopOnExit() { screen.Pop(); }
  } pop{screen};
  while (true) {
    screen.Redraw();
    const KeyAction action = Decode(screen.Read());
    const std::optional<MouseReport> mouse = screen.TakeMouse();
    if (action == KeyAction{Command::Resize} || action == KeyAction{Command::Redraw}) continue;
    if (answer(action, mouse)) return;
  }
}

}  // namespace kestrow::terminal
