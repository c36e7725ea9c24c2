// The key model of the headless host: which events a typed character or a named key delivers,
// with the key codes and shift state of a US keyboard.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "kestrow/host/controls/edit_box.h"

namespace kestrow::host {

struct KeyStroke {
  bool has_key_down = true;  // KeyDown first and KeyUp last; false: KeyPress alone
  std::int16_t key_code = 0;
  std::int16_t shift = 0;
  std::optional<std::int16_t> key_ascii;  // the KeyPress in between, if any
};

// A typed character: letters 65-90 (Shift for capitals), digits 48-57, punctuation on its US key;
// a character outside ASCII gets KeyPress alone with its 16-bit code.
KeyStroke StrokeForCharacter(char16_t character);

// A named key ("Enter", "Backspace", "Escape", "Delete", "Home", "End", "Left", "Up", "Right",
// "Down", "Insert", "F4", or a letter) with the given shift state. A letter with Ctrl also
// delivers its control character. Empty for an unknown name and for "Tab", which the host
// handles itself.
std::optional<KeyStroke> StrokeForNamedKey(std::string_view name, std::int16_t shift);

// "Tab" in any case: the key the host takes for itself to move the focus.
bool IsTabKey(std::string_view name);

// Delivers the stroke's events, each to the box that has the focus by then (a handler of the one
// before may have moved it); stops when none has.
template <typename FocusedBox>
void DeliverStroke(const KeyStroke& stroke, FocusedBox&& focused_box) {
  EditBox* box = nullptr;
  if (stroke.has_key_down) {
    if (!(box = focused_box())) return;
    box->DeliverKeyDown(stroke.key_code, stroke.shift);
  }
  if (stroke.key_ascii) {
    if (!(box = focused_box())) return;
    box->DeliverKeyPress(*stroke.key_ascii);
  }
  if (stroke.has_key_down) {
    if (!(box = focused_box())) return;
    box->DeliverKeyUp(stroke.key_code, stroke.shift);
  }
}

}  // namespace kestrow::host
