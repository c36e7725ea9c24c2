#include "host/controls/keyboard.h"

#include <array>
#include <string>

#include "kestrow/host/controls/edit_box.h"

namespace kestrow::host {

namespace {

struct PunctuationKey {
  char16_t plain;
  char16_t shifted;
  std::int16_t key_code;
};

// The US layout's punctuation keys; the shifted digits are the top row.
constexpr std::array<PunctuationKey, 21> kPunctuation{{
    {u';', u':', 186}, {u'=', u'+', 187}, {u',', u'<', 188},  {u'-', u'_', 189}, {u'.', u'>', 190},  {u'/', u'?', 191},
    {u'`', u'~', 192}, {u'[', u'{', 219}, {u'\\', u'|', 220}, {u']', u'}', 221}, {u'\'', u'"', 222}, {u'1', u'!', 49},
    {u'2', u'@', 50},  {u'3', u'#', 51},  {u'4', u'$', 52},   {u'5', u'%', 53},  {u'6', u'^', 54},   {u'7', u'&', 55},
    {u'8', u'*', 56},  {u'9', u'(', 57},  {u'0', u')', 48},
}};

std::int16_t Code(char16_t character) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(character)); }

KeyStroke Stroke(std::int16_t keyCode, std::int16_t shift, std::optional<std::int16_t> keyAscii) {
  return KeyStroke{true, keyCode, shift, keyAscii};
}

// The key of each ASCII character: its code and whether Shift is down; code 0 for the control
// characters and DEL, which come without a key of their own.
struct CharacterKey {
  std::int16_t key_code = 0;
  bool shifted = false;
};

constexpr std::array<CharacterKey, 128> BuildCharacterKeys() {
  std::array<CharacterKey, 128> table{};
  for (char16_t c = u'a'; c <= u'z'; ++c) table[c] = {static_cast<std::int16_t>(c - u'a' + u'A'), false};
  for (char16_t c = u'A'; c <= u'Z'; ++c) table[c] = {static_cast<std::int16_t>(c), true};
  table[u' '] = {32, false};
  for (const PunctuationKey& key : kPunctuation) {
    table[key.plain] = {key.key_code, false};
    table[key.shifted] = {key.key_code, true};
  }
  return table;
}

constexpr std::array<CharacterKey, 128> kCharacterKeys = BuildCharacterKeys();

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

KeyStroke StrokeForCharacter(char16_t character) {
  const CharacterKey key = character < kCharacterKeys.size() ? kCharacterKeys[character] : CharacterKey{};
  // Control characters and anything beyond ASCII come without a key of their own.
  if (key.key_code == 0) return KeyStroke{false, 0, 0, Code(character)};
  return Stroke(key.key_code, key.shifted ? keys::kShiftMask : std::int16_t{0}, Code(character));
}

std::optional<KeyStroke> StrokeForNamedKey(std::string_view name, std::int16_t shift) {
  const std::string key = Upper(name);
  struct NamedKey {
    std::string_view name;
    std::int16_t key_code;
    bool presses;  // also delivers its character
  };
  static constexpr std::array<NamedKey, 12> kNamed{{
      {"ENTER", keys::kEnter, true},
      {"BACKSPACE", keys::kBackspace, true},
      {"ESCAPE", 27, true},
      {"DELETE", keys::kDelete, false},
      {"HOME", keys::kHome, false},
      {"END", keys::kEnd, false},
      {"LEFT", keys::kLeft, false},
      {"UP", keys::kUp, false},
      {"RIGHT", keys::kRight, false},
      {"DOWN", keys::kDown, false},
      {"INSERT", 45, false},
      {"F4", keys::kF4, false},
  }};
  for (const NamedKey& named : kNamed) {
    if (key != named.name) continue;
    return Stroke(named.key_code, shift, named.presses ? std::optional<std::int16_t>(named.key_code) : std::nullopt);
  }
  if (key.size() != 1 || key[0] < 'A' || key[0] > 'Z') return std::nullopt;

  const auto letter = static_cast<std::int16_t>(key[0]);
  if ((shift & keys::kCtrlMask) != 0) return Stroke(letter, shift, static_cast<std::int16_t>(letter - 64));
  // Alt with a letter is a menu key: no character reaches the box.
  if ((shift & keys::kAltMask) != 0) return Stroke(letter, shift, std::nullopt);
  const bool capital = (shift & keys::kShiftMask) != 0;
  return Stroke(letter, shift, capital ? letter : static_cast<std::int16_t>(letter + 32));
}

bool IsTabKey(std::string_view name) {
  return name.size() == 3 && (name[0] | 0x20) == 't' && (name[1] | 0x20) == 'a' && (name[2] | 0x20) == 'b';
}

}  // namespace kestrow::host
