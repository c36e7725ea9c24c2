// The US key model: which key and shift state each character and named key comes with.
#include <gtest/gtest.h>

#include "host/controls/keyboard.h"

namespace kestrow::host {
namespace {

TEST(StrokeForCharacter, PrintableCharactersComeOnTheirUsKey) {
  struct Expected {
    char16_t character;
    std::int16_t key_code;
    std::int16_t shift;
  };
  const Expected table[] = {
      {u'a', 65, 0},  {u'Z', 90, 1},  {u'0', 48, 0},  {u' ', 32, 0},  {u'.', 190, 0}, {u'>', 190, 1}, {u'-', 189, 0},
      {u'_', 189, 1}, {u';', 186, 0}, {u'+', 187, 1}, {u'/', 191, 0}, {u'~', 192, 1}, {u'[', 219, 0}, {u'|', 220, 1},
      {u'}', 221, 1}, {u'"', 222, 1}, {u'!', 49, 1},  {u'(', 57, 1},  {u')', 48, 1},  {u'@', 50, 1},
  };
  for (const Expected& e : table) {
    const KeyStroke stroke = StrokeForCharacter(e.character);
    SCOPED_TRACE(static_cast<int>(e.character));
    EXPECT_TRUE(stroke.has_key_down);
    EXPECT_EQ(stroke.key_code, e.key_code);
    EXPECT_EQ(stroke.shift, e.shift);
    EXPECT_EQ(stroke.key_ascii, static_cast<std::int16_t>(e.character));
  }
}

TEST(StrokeForCharacter, ControlAndNonAsciiCharactersComeAsKeyPressAlone) {
  for (const char16_t c : {u'\t', u'\r', u'\x7F', u'\u00E9'}) {
    const KeyStroke stroke = StrokeForCharacter(c);
    EXPECT_FALSE(stroke.has_key_down);
    EXPECT_EQ(stroke.key_ascii, static_cast<std::int16_t>(c));
  }
  EXPECT_EQ(StrokeForCharacter(u'\xFFFF').key_ascii, std::int16_t{-1});
}

TEST(StrokeForNamedKey, OnlyKeysWithACharacterPressIt) {
  const auto enter = StrokeForNamedKey("Enter", 1);
  ASSERT_TRUE(enter);
  EXPECT_EQ(enter->shift, 1);
  EXPECT_EQ(enter->key_ascii, std::int16_t{13});
  EXPECT_EQ(StrokeForNamedKey("Backspace", 0)->key_ascii, std::int16_t{8});
  EXPECT_EQ(StrokeForNamedKey("Escape", 0)->key_ascii, std::int16_t{27});
  const std::pair<const char*, std::int16_t> silent[] = {{"Delete", 46}, {"Home", 36},   {"End", 35}, {"Left", 37},
                                                         {"Down", 40},   {"Insert", 45}, {"F4", 115}};
  for (const auto& [name, code] : silent) {
    const auto stroke = StrokeForNamedKey(name, 0);
    ASSERT_TRUE(stroke) << name;
    EXPECT_EQ(stroke->key_code, code) << name;
    EXPECT_FALSE(stroke->key_ascii) << name;
  }
}

TEST(StrokeForNamedKey, LettersTypeOrGiveTheirControlCode) {
  EXPECT_EQ(StrokeForNamedKey("v", 2)->key_code, 86);
  EXPECT_EQ(StrokeForNamedKey("V", 2)->key_ascii, std::int16_t{22});
  EXPECT_EQ(StrokeForNamedKey("A", 3)->key_ascii, std::int16_t{1});
  EXPECT_EQ(StrokeForNamedKey("X", 0)->key_ascii, std::int16_t{'x'});
  EXPECT_EQ(StrokeForNamedKey("x", 1)->key_ascii, std::int16_t{'X'});
  for (const char* name : {"Tab", "", "AB", "1", "Space"}) EXPECT_FALSE(StrokeForNamedKey(name, 0)) << name;
}

}  // namespace
}  // namespace kestrow::host
