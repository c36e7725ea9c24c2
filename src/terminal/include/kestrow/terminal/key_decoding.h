// What a key read from the terminal means: a command the host keeps for itself, a key or text
// for the focused field, a move of the focus, or text pasted. Input arrives as the terminal
// library reports it: a character, a key code by its terminfo-derived name ("KEY_LEFT",
// "KEY_SLEFT", "kRIT5"), or the characters the terminal sent between its paste markers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace kestrow::terminal {

struct TerminalInput {
  enum class Kind { Character, KeyCode, Paste };
  Kind kind = Kind::Character;
  char32_t character = 0;  // Character
  std::string key_name;    // KeyCode
  std::u32string pasted;   // Paste
};

enum class Command { About, Page, Save, Quit, Redraw, Resize, Mouse };

// A named key of the host's key model ("Left", "Enter", "A" with Ctrl) and its shift state.
struct FieldKey {
  std::string name;
  std::int16_t shift = 0;
  friend bool operator==(const FieldKey&, const FieldKey&) = default;
};
struct TypedText {
  std::u16string text;
  friend bool operator==(const TypedText&, const TypedText&) = default;
};
// A paste is text, never keys: what it holds cannot save, quit or move the focus.
struct PastedText {
  std::u16string text;
  friend bool operator==(const PastedText&, const PastedText&) = default;
};
struct TabMove {
  bool backwards = false;
  friend bool operator==(const TabMove&, const TabMove&) = default;
};

// monostate: nothing to do (a key without a meaning here).
using KeyAction = std::variant<std::monostate, Command, FieldKey, TypedText, TabMove, PastedText>;

KeyAction Decode(const TerminalInput& input);

// The place after `at` among `count` (before it when `backwards`), wrapping round: how Tab and
// the arrow keys move between a dialog's buttons and controls. `count` is at least 1.
std::size_t Cycle(std::size_t at, std::size_t count, bool backwards);

// How the status line names the host's keys.
inline constexpr std::u16string_view kKeyHelp = u"F1/^T About  F2/^F Format  ^S Save  ^Q/F10 Quit";

}  // namespace kestrow::terminal
