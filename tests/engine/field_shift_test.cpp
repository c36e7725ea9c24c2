// Typing into a mask field shifts the rest of the field one place right; only the characters that
// move are written, so the results must be those of the whole shift, whatever wrote the text last.
#include <algorithm>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

class FieldShift : public FieldTest {
 protected:
  std::ptrdiff_t Changes() {
    const std::vector<std::string> lines = Log();
    return std::count(lines.begin(), lines.end(), "Change");
  }
};

TEST_F(FieldShift, TypingBeforeWhatWasTypedMovesItAlong) {
  MakeCustom("XXXXXXXX");
  Focus();
  Type(u"ab");
  Key("Home");
  Type(u"c");
  EXPECT_EQ(BoxText(), "cab·····");
  Type(u"d");  // the caret went on to the next place
  EXPECT_EQ(BoxText(), "cdab····");
}

TEST_F(FieldShift, ABlankIntoBlanksChangesNothingAndRaisesNoChange) {
  MakeCustom("XXXX-XXXX");
  Focus();
  ClearLog();
  Type(u" ");
  EXPECT_EQ(Changes(), 0);
  Type(u"a");
  EXPECT_EQ(Changes(), 1);
  EXPECT_EQ(BoxText(), "·a··-····");
}

TEST_F(FieldShift, WhatTheApplicationWritesOnChangeIsShiftedByTheNextKey) {
  MakeCustom("XXXXXXXX");
  bool rewritten = false;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg>) {
    if (event != "Change" || rewritten || Box().Text() != Dots("ab······")) return;
    rewritten = true;
    Box().SetText(Dots("ab··zzzz"));
  });
  Focus();
  Type(u"ab");
  ASSERT_TRUE(rewritten);
  Caret(2);
  Type(u"c");
  EXPECT_EQ(BoxText(), "abc··zzz");
}

TEST_F(FieldShift, AFullLongFieldDropsItsLastCharacterWhenTypedAtItsStart) {
  constexpr std::size_t kPlaces = 3000;
  Field().SetAutoTab(false);
  MakeCustom(std::string(kPlaces, 'X'));
  std::u16string typed;
  for (std::size_t i = 0; i < kPlaces; ++i) typed.push_back(static_cast<char16_t>(u'a' + i % 26));
  Focus();
  Type(typed);
  ASSERT_EQ(Box().Text(), typed);
  Key("Home");
  Type(u"Q");
  EXPECT_EQ(Box().Text(), u"Q" + typed.substr(0, kPlaces - 1));
}

TEST_F(FieldShift, TypingIntoAPlainFieldInsertsAtTheCaret) {
  Field().SetLength(400);
  Focus();
  Type(u"xyz");
  Caret(1);
  Type(u"Q");
  EXPECT_EQ(BoxText(), "xQyz");
}

}  // namespace
}  // namespace kestrow::testing
