// A Qt key event as the host's key model delivers it to an edit box: a key code and shift state
// (a US keyboard's codes) for KeyDown and KeyUp, and the characters of its KeyPress.
#pragma once

#include <QKeyEvent>

#include <cstdint>
#include <string>

namespace kestrow::qt {

struct FieldKey {
  std::int16_t key_code = 0;  // 0: no key the box knows (its characters may still be typed)
  std::int16_t shift = 0;     // 1 Shift, 2 Ctrl, 4 Alt
  std::u16string characters;  // each is one KeyPress; Ctrl with a letter gives its control code
};

FieldKey KeyOf(const QKeyEvent& event);
std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers);

}  // namespace kestrow::qt
