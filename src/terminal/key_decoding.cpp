#include "kestrow/terminal/key_decoding.h"

#include <array>
#include <utility>

#include "kestrow/host/controls/edit_box.h"

namespace kestrow::terminal {

namespace {

using host::keys::kAltMask;
using host::keys::kCtrlMask;
using host::keys::kShiftMask;

constexpr char32_t kEscape = 27;
constexpr char32_t kDeleteCharacter = 127;

// Control characters the host keeps: the bindings for terminals without function keys.
constexpr std::array<std::pair<char, Command>, 5> kControlCommands{{
    {'S', Command::Save},
    {'Q', Command::Quit},
    {'T', Command::About},
    {'F', Command::Page},
    {'L', Command::Redraw},
}};

struct NamedCode {
  std::string_view name;
  KeyAction action;
};

const std::array<NamedCode, 25>& KeyCodes() {
  static const std::array<NamedCode, 25> codes{{
      {"KEY_LEFT", FieldKey{"Left", 0}},
      {"KEY_RIGHT", FieldKey{"Right", 0}},
      {"KEY_UP", FieldKey{"Up", 0}},
      {"KEY_DOWN", FieldKey{"Down", 0}},
      {"KEY_HOME", FieldKey{"Home", 0}},
      {"KEY_END", FieldKey{"End", 0}},
      {"KEY_DC", FieldKey{"Delete", 0}},
      {"KEY_IC", FieldKey{"Insert", 0}},
      {"KEY_BACKSPACE", FieldKey{"Backspace", 0}},
      {"KEY_ENTER", FieldKey{"Enter", 0}},
      {"KEY_SLEFT", FieldKey{"Left", kShiftMask}},
      {"KEY_SRIGHT", FieldKey{"Right", kShiftMask}},
      {"KEY_SR", FieldKey{"Up", kShiftMask}},
      {"KEY_SF", FieldKey{"Down", kShiftMask}},
      {"KEY_SHOME", FieldKey{"Home", kShiftMask}},
      {"KEY_SEND", FieldKey{"End", kShiftMask}},
      {"KEY_SDC", FieldKey{"Delete", kShiftMask}},
      {"KEY_SIC", FieldKey{"Insert", kShiftMask}},
      {"KEY_BTAB", TabMove{true}},
      {"KEY_F(1)", Command::About},
      {"KEY_F(2)", Command::Page},
      {"KEY_F(10)", Command::Quit},
      {"KEY_F(4)", FieldKey{"F4", 0}},
      {"KEY_RESIZE", Command::Resize},
      {"KEY_MOUSE", Command::Mouse},
  }};
  return codes;
}

// Extended key names of xterm-like terminals: a capability stem and the modifier parameter
// (2 Shift, 3 Alt, 5 Ctrl and their sums over 1).
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kExtendedStems{{
    {"kLFT", "Left"},
    {"kRIT", "Right"},
    {"kUP", "Up"},
    {"kDN", "Down"},
    {"kHOM", "Home"},
    {"kEND", "End"},
    {"kDC", "Delete"},
    {"kIC", "Insert"},
}};

KeyAction DecodeExtended(std::string_view name) {
  for (const auto& [stem, key] : kExtendedStems) {
    if (name.size() != stem.size() + 1 || name.substr(0, stem.size()) != stem) continue;
    const char digit = name.back();
    if (digit < '2' || digit > '8') return std::monostate{};
    const int modifiers = digit - '1';
    std::int16_t shift = 0;
    if (modifiers & 1) shift |= kShiftMask;
    if (modifiers & 2) shift |= kAltMask;
    if (modifiers & 4) shift |= kCtrlMask;
    return FieldKey{std::string(key), shift};
  }
  return std::monostate{};
}

KeyAction DecodeKeyCode(std::string_view name) {
  for (const NamedCode& code : KeyCodes()) {
    if (code.name == name) return code.action;
  }
  return DecodeExtended(name);
}

KeyAction DecodeControl(char32_t character) {
  switch (character) {
    case '\t': return TabMove{false};
    case '\r':
    case '\n': return FieldKey{"Enter", 0};
    case '\b': return FieldKey{"Backspace", 0};
    case kEscape: return FieldKey{"Escape", 0};
    default: break;
  }
  if (character < 1 || character > 26) return std::monostate{};
  const char letter = static_cast<char>('A' + character - 1);
  for (const auto& [key, command] : kControlCommands) {
    if (key == letter) return command;
  }
  return FieldKey{std::string(1, letter), kCtrlMask};
}

// A character above the C0 controls and Delete in UTF-16; nothing for a C1 control, a surrogate
// or a code beyond Unicode.
std::u16string Utf16(char32_t character) {
  if (character >= 0x80 && character < 0xA0) return {};
  if ((character >= 0xD800 && character <= 0xDFFF) || character > 0x10FFFF) return {};
  if (character < 0x10000) return std::u16string(1, static_cast<char16_t>(character));
  const char32_t offset = character - 0x10000;
  return {static_cast<char16_t>(0xD800 + (offset >> 10)), static_cast<char16_t>(0xDC00 + (offset & 0x3FF))};
}

KeyAction DecodeCharacter(char32_t character) {
  if (character < 32) return DecodeControl(character);
  if (character == kDeleteCharacter) return FieldKey{"Backspace", 0};
  std::u16string text = Utf16(character);
  if (text.empty()) return std::monostate{};
  return TypedText{std::move(text)};
}

// Line breaks stay for the field to cut the paste at; other controls are no text.
KeyAction DecodePaste(std::u32string_view pasted) {
  std::u16string text;
  for (const char32_t character : pasted) {
    if (character == '\r' || character == '\n') {
      text += static_cast<char16_t>(character);
    } else if (character >= 32 && character != kDeleteCharacter) {
      text += Utf16(character);
    }
  }
  if (text.empty()) return std::monostate{};
  return PastedText{std::move(text)};
}

}  // namespace

KeyAction Decode(const TerminalInput& input) {
  switch (input.kind) {
    case TerminalInput::Kind::KeyCode: return DecodeKeyCode(input.key_name);
    case TerminalInput::Kind::Paste: return DecodePaste(input.pasted);
    case TerminalInput::Kind::Character: break;
  }
  return DecodeCharacter(input.character);
}

std::size_t Cycle(std::size_t at, std::size_t count, bool backwards) {
  return (at + (backwards ? count - 1 : 1)) % count;
}

}  // namespace kestrow::terminal
