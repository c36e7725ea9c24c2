// The terminal device as a screen of cells: curses started on /dev/tty (standard output stays the
// program's), keys and mouse reports read as terminal input, and a stack of layers (the form, then
// each modal dialog over it) drawn again in full whenever the screen is refreshed or resized.
#pragma once

#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/terminal/key_decoding.h"
#include "signal_restore.h"

struct screen;  // the curses screen, kept out of this header

namespace kestrow::terminal {

enum class Style { Normal, Title, Status, Field, Selection, Disabled, Dialog, DialogTitle, ChosenButton, FocusedItem };

struct MouseReport {
  enum class Action { Press, Release, Click };
  int row = 0;
  int column = 0;
  Action action = Action::Click;
};

class Screen {
 public:
  using Layer = std::function<void()>;

  // Throws std::runtime_error with the reason when the terminal cannot be used.
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  int Rows() const;
  int Columns() const;

  // Blocks for the next key; a resize or a mouse report comes as its key code, a bracketed paste
  // as one input of its text. Throws std::runtime_error once the terminal cannot be read.
  TerminalInput Read();
  // The mouse report that came with the last KEY_MOUSE, if it was one of the buttons watched.
  std::optional<MouseReport> TakeMouse();

  // --- Drawing: into the next refresh -----------------------------------------------------------
  // Text cut at `max_cells` (and the screen's edge).
  void Put(int row, int column, std::u16string_view text, Style style, int max_cells = -1);
  void Fill(int row, int column, int cells, Style style);
  // A framed, blanked rectangle with its title in the top edge.
  void Frame(int top, int left, int rows, int columns, std::u16string_view title, Style style);
  void HorizontalLine(int row, int column, int cells, Style style);
  void PlaceCaret(int row, int column) { caret_ = {row, column}; }

  // --- Layers -----------------------------------------------------------------------------------
  void Push(Layer layer) { layers_.push_back(std::move(layer)); }
  void Pop() { layers_.pop_back(); }
  // Clears, draws every layer from the bottom, shows the caret the last one placed (hidden when
  // none did) and refreshes the terminal.
  void Redraw();

 private:
  struct Caret {
    int row;
    int column;
  };
  struct TtyCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  // The library's next code (KEY_CODE_YES for a key code, ERR when none came), a signal's
  // interruption aside.
  static int NextCode(wint_t& code);
  TerminalInput KeyCodeInput(int code);
  TerminalInput ReadPaste();

  std::unique_ptr<std::FILE, TtyCloser> tty_;
  std::unique_ptr<SignalRestore> signals_;
  ::screen* screen_ = nullptr;
  int paste_start_ = 0;  // the key codes the terminal's paste markers are read as
  int paste_end_ = 0;
  std::vector<Layer> layers_;
  std::optional<Caret> caret_;
  std::optional<MouseReport> mouse_;
};

// Shows `layer` over the screen until `answer` says the dialog is done; resizes and Ctrl+L redraw
// it. `answer` gets each key decoded, and the mouse report of a mouse key.
void RunModal(Screen& screen, Screen::Layer layer,
              const std::function<bool(const KeyAction& action, const std::optional<MouseReport>& mouse)>& answer);

}  // namespace kestrow::terminal
