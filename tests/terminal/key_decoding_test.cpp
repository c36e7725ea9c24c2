#include "kestrow/terminal/key_decoding.h"

#include <gtest/gtest.h>

#include "kestrow/host/controls/edit_box.h"

namespace kestrow::terminal {
namespace {

using host::keys::kAltMask;
using host::keys::kCtrlMask;
using host::keys::kShiftMask;

TerminalInput Code(std::string name) { return {TerminalInput::Kind::KeyCode, 0, std::move(name), {}}; }
TerminalInput Character(char32_t character) { return {TerminalInput::Kind::Character, character, {}, {}}; }
TerminalInput Paste(std::u32string text) { return {TerminalInput::Kind::Paste, 0, {}, std::move(text)}; }

struct KeyCase {
  TerminalInput input;
  KeyAction action;
};

TEST(Decode, KeyCodesBecomeTheFieldsNamedKeysWithTheirShiftState) {
  const KeyCase cases[] = {
      {Code("KEY_LEFT"), FieldKey{"Left", 0}},
      {Code("KEY_RIGHT"), FieldKey{"Right", 0}},
      {Code("KEY_HOME"), FieldKey{"Home", 0}},
      {Code("KEY_END"), FieldKey{"End", 0}},
      {Code("KEY_DC"), FieldKey{"Delete", 0}},
      {Code("KEY_BACKSPACE"), FieldKey{"Backspace", 0}},
      {Code("KEY_ENTER"), FieldKey{"Enter", 0}},
      {Code("KEY_SLEFT"), FieldKey{"Left", kShiftMask}},
      {Code("KEY_SRIGHT"), FieldKey{"Right", kShiftMask}},
      {Code("KEY_SHOME"), FieldKey{"Home", kShiftMask}},
      {Code("KEY_SEND"), FieldKey{"End", kShiftMask}},
      {Code("KEY_SR"), FieldKey{"Up", kShiftMask}},
      {Code("KEY_SF"), FieldKey{"Down", kShiftMask}},
      {Code("KEY_BTAB"), TabMove{true}},
      // Extended names: 2 Shift, 3 Alt, 5 Ctrl, 6 Ctrl+Shift, 8 all three.
      {Code("kLFT2"), FieldKey{"Left", kShiftMask}},
      {Code("kRIT5"), FieldKey{"Right", kCtrlMask}},
      {Code("kHOM6"), FieldKey{"Home", static_cast<std::int16_t>(kCtrlMask | kShiftMask)}},
      {Code("kEND3"), FieldKey{"End", kAltMask}},
      {Code("kDC8"), FieldKey{"Delete", static_cast<std::int16_t>(kCtrlMask | kShiftMask | kAltMask)}},
      {Code("kUP5"), FieldKey{"Up", kCtrlMask}},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(Decode(c.input), c.action) << c.input.key_name;
}

TEST(Decode, TheHostsOwnKeysNeverReachAField) {
  const KeyCase cases[] = {
      {Code("KEY_F(1)"), Command::About},    {Character(20), Command::About},  // Ctrl+T
      {Code("KEY_F(2)"), Command::Page},     {Character(6), Command::Page},    // Ctrl+F
      {Character(19), Command::Save},                                          // Ctrl+S
      {Code("KEY_F(10)"), Command::Quit},    {Character(17), Command::Quit},   // Ctrl+Q
      {Character(12), Command::Redraw},                                        // Ctrl+L
      {Code("KEY_RESIZE"), Command::Resize}, {Code("KEY_MOUSE"), Command::Mouse},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(Decode(c.input), c.action) << c.input.key_name << int(c.input.character);
}

TEST(Decode, ControlCharactersAreTheirKeys) {
  const KeyCase cases[] = {
      {Character('\t'), TabMove{false}},
      {Character('\r'), FieldKey{"Enter", 0}},
      {Character('\n'), FieldKey{"Enter", 0}},
      {Character(27), FieldKey{"Escape", 0}},
      {Character(127), FieldKey{"Backspace", 0}},
      {Character(8), FieldKey{"Backspace", 0}},
      // Ctrl+A selects all in the box: it is the field's, not the host's.
      {Character(1), FieldKey{"A", kCtrlMask}},
      {Character(3), FieldKey{"C", kCtrlMask}},
      {Character(22), FieldKey{"V", kCtrlMask}},
      {Character(24), FieldKey{"X", kCtrlMask}},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(Decode(c.input), c.action) << int(c.input.character);
}

TEST(Decode, PrintableCharactersAreTypedAsUtf16) {
  EXPECT_EQ(Decode(Character('a')), KeyAction{TypedText{u"a"}});
  EXPECT_EQ(Decode(Character(U'\u00E9')), KeyAction{TypedText{u"\u00E9"}});
  EXPECT_EQ(Decode(Character(U'\u6F22')), KeyAction{TypedText{u"\u6F22"}});
  EXPECT_EQ(Decode(Character(U'\U0001F600')), KeyAction{TypedText{u"\U0001F600"}});
}

TEST(Decode, IgnoresWhatHasNoMeaningHere) {
  for (const TerminalInput& input : {Code("KEY_F(7)"), Code("kLFT9"), Code("kLFT"), Code("KEY_UNKNOWN"), Character(0),
                                     Character(0x1C), Character(0x85), Character(0xD800), Character(0x110000)}) {
    EXPECT_EQ(Decode(input), KeyAction{}) << input.key_name << int(input.character);
  }
}

TEST(DecodePaste, TheTextComesAsOnePasteInUtf16) {
  EXPECT_EQ(Decode(Paste(U"1,234,567.50")), KeyAction{PastedText{u"1,234,567.50"}});
  EXPECT_EQ(Decode(Paste(U"h\u00E9 \u6F22 \U0001F600")), KeyAction{PastedText{u"h\u00E9 \u6F22 \U0001F600"}});
  // One character pasted is still a paste: a yes/no field takes "y" whole, not as a key.
  EXPECT_EQ(Decode(Paste(U"y")), KeyAction{PastedText{u"y"}});
}

TEST(DecodePaste, KeepsLineBreaksForTheFieldToCutAtAndDropsOtherControls) {
  EXPECT_EQ(Decode(Paste(U"one\r\ntwo\nthree\r")), KeyAction{PastedText{u"one\r\ntwo\nthree\r"}});
  // A tab, an escape the library did not take into a key, Ctrl+Z, Delete, a C1 control, a lone
  // surrogate and a code beyond Unicode.
  const std::u32string pasted{U'a', 9, U'b', 27, U'[', U'c', 26, 127, U'd', 0x85, 0xD800, 0x110000, U'e'};
  EXPECT_EQ(Decode(Paste(pasted)), KeyAction{PastedText{u"ab[cde"}});
}

TEST(DecodePaste, NothingIsLeftOfAPasteOfControls) {
  // Ctrl+Q, Ctrl+S and Tab in a paste neither quit, save nor move the focus.
  for (const std::u32string& pasted :
       {std::u32string{}, std::u32string{17}, std::u32string{19, 9}, std::u32string{0}}) {
    EXPECT_EQ(Decode(Paste(pasted)), KeyAction{}) << pasted.size();
  }
}

TEST(Cycle, WrapsRoundBothWays) {
  EXPECT_EQ(Cycle(0, 3, false), 1u);
  EXPECT_EQ(Cycle(2, 3, false), 0u);
  EXPECT_EQ(Cycle(0, 3, true), 2u);
  EXPECT_EQ(Cycle(0, 1, true), 0u);
}

}  // namespace
}  // namespace kestrow::terminal
