#include "key_events.h"

#include <array>
#include <utility>

#include "host/controls/keyboard.h"
#include "kestrow/host/controls/keys.h"

namespace kestrow::qt {

namespace {

// The keys without a character of their own, by their code in the key model.
constexpr std::array<std::pair<int, std::int16_t>, 14> kNamedKeys{{
    {Qt::Key_Backspace, 8},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Escape, 27},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
}};

std::int16_t CodeOf(const QKeyEvent& event) {
  const int key = event.key();
  for (const auto& [qtKey, code] : kNamedKeys) {
    if (key == qtKey) return code;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space) {
    return static_cast<std::int16_t>(key);  // the same codes in both
  }
  // Punctuation: the US key of its character.
  const QString text = event.text();
  if (text.size() == 1 && text[0].unicode() < 128) return host::StrokeForCharacter(text[0].unicode()).key_code;
  return 0;
}

bool IsLetter(int key) { return key >= Qt::Key_A && key <= Qt::Key_Z; }

std::u16string CharactersOf(const QKeyEvent& event, std::int16_t code, std::int16_t shift) {
  const bool ctrl = (shift & host::keys::kCtrlMask) != 0;
  const bool alt = (shift & host::keys::kAltMask) != 0;
  if (ctrl && !alt) {
    if (IsLetter(event.key())) return std::u16string(1, static_cast<char16_t>(event.key() - Qt::Key_A + 1));
    return {};
  }
  if (alt) return {};
  if (code == 8 || code == 13 || code == 27) return std::u16string(1, static_cast<char16_t>(code));
  std::u16string characters;
  for (const QChar character : event.text()) {
    if (character.unicode() >= 32 && character.unicode() != 127) characters.push_back(character.unicode());
  }
  return characters;
}

}  // namespace

std::int16_t ShiftOf(Qt::KeyboardModifiers modifiers) {
  std::int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= host::keys::kShiftMask;
  if (modifiers & Qt::ControlModifier) shift |= host::keys::kCtrlMask;
  if (modifiers & Qt::AltModifier) shift |= host::keys::kAltMask;
  return shift;
}

FieldKey KeyOf(const QKeyEvent& event) {
  FieldKey key;
  key.shift = ShiftOf(event.modifiers());
  key.key_code = CodeOf(event);
  key.characters = CharactersOf(event, key.key_code, key.shift);
  return key;
}

}  // namespace kestrow::qt
