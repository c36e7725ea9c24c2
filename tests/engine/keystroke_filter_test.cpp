#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

class Keystrokes : public FieldTest {
 protected:
  bool MovedOn() {
    const auto log = Log();
    return std::find(log.begin(), log.end(), "sendkeys {TAB}") != log.end();
  }
};

struct KeyRow {
  const char* before;
  std::int32_t caret;
  std::int32_t selection;
  const char* key;
  const char* after;
  std::int32_t caretAfter;  // -1: the focus moved on
};

TEST_F(Keystrokes, DateFieldRows) {
  MakeDate(dtAmericanDate, dtSlashSeparator);
  Field().SetAutoTab(false);
  const KeyRow rows[] = {
      {"··/··/····", 0, 0, "1", "1·/··/····", 1},           {"1·/··/····", 1, 0, "2", "12/··/····", 3},
      {"12/25/2001", 0, 0, "3", "31/25/2001", 1},           {"12/25/2001", 9, 0, "5", "12/25/2005", 10},
      {"12/25/2001", 3, 0, "Backspace", "1·/25/2001", 1},   {"12/25/2001", 3, 2, "7", "12/7·/2001", 4},
      {"12/25/2001", 2, 0, "4", "12/25/2001", 2},            // "/" is a literal
      {"12/25/2001", 10, 0, "Backspace", "12/25/2001", 10},  // past the mask
      {"12/25/2001", 0, 0, "a", "12/25/2001", 0},
  };
  for (const KeyRow& row : rows) {
    EXPECT_EQ(PressIn(row.before, row.caret, row.key, row.selection), row.after) << row.before << " " << row.key;
    EXPECT_EQ(Box().SelStart(), row.caretAfter) << row.before << " " << row.key;
  }
}

TEST_F(Keystrokes, LastPositionMovesOnWithAutoTab) {
  MakeDate(dtAmericanDate, dtSlashSeparator);
  EXPECT_EQ(PressIn("12/25/2001", 9, "5"), "12/25/2005");
  // The whole key is handled before the focus moves: the date is then read and redrawn.
  EXPECT_EQ(form_.FocusedName(), u"other");
  EXPECT_EQ(Field().Value(), Variant::FromDate(host::DateSerial(2005, 12, 25)));
}

TEST_F(Keystrokes, AmountTypedKeyByKey) {
  MakeNumeric(8, 2, dtDigitsSigns);
  Field().SetAutoTab(false);
  EXPECT_EQ(PressIn("·····.··", 0, "-"), "-····.··");
  EXPECT_EQ(Box().SelStart(), 1);
  EXPECT_EQ(PressIn("-····.··", 1, "1"), "-1···.··");
  EXPECT_EQ(PressIn("-1···.··", 2, "2"), "-12··.··");
  // The point sets the value; the text is redrawn from it and the caret goes past the point.
  EXPECT_EQ(PressIn("-12··.··", 3, "."), "-··12.00");
  EXPECT_EQ(Field().Settings().m_Value, Variant::Double(-12));
  EXPECT_EQ(Box().SelStart(), 6);
  EXPECT_EQ(PressIn("-··12.00", 6, "5"), "-··12.50");
  EXPECT_EQ(Box().SelStart(), 7);
  EXPECT_EQ(PressIn("-··12.50", 7, "0"), "-··12.50");
  EXPECT_EQ(Box().SelStart(), 8);
}

TEST_F(Keystrokes, DecimalPointKeepsTheFractionAndDropsDigitsAfterTheCaret) {
  MakeNumeric(10, 2, dtDigitsSigns);
  EXPECT_EQ(PressIn("123····.45", 3, "."), "····123.45");
  EXPECT_EQ(Field().Settings().m_Value, Variant::Double(123.45));
  EXPECT_EQ(Box().SelStart(), 8);

  MakeNumeric(8, 2, dtDigits);
  EXPECT_EQ(PressIn("12345.67", 0, "."), "····0.67");
  // After the point, or without decimals, the point changes nothing.
  EXPECT_EQ(PressIn("····0.67", 6, "."), "····0.67");
  MakeNumeric(6, 0, dtDigits);
  EXPECT_EQ(PressIn("···123", 2, "."), "···123");
}

TEST_F(Keystrokes, DecimalPointOverASelectionWithoutDecimalsMovesOn) {
  MakeNumeric(6, 0, dtDigits);
  EXPECT_EQ(PressIn("···123", 3, ".", 2), "123");  // nothing deleted; the display form after leaving
  EXPECT_TRUE(MovedOn());
}

TEST_F(Keystrokes, SignPositionTakesOnlySigns) {
  MakeNumeric(8, 2, dtDigitsSigns);
  EXPECT_EQ(PressIn("·····.··", 0, "."), "·····.··");
  EXPECT_EQ(PressIn("·····.··", 1, "+"), "·····.··");
}

TEST_F(Keystrokes, BackspaceEdges) {
  MakeDate(dtAmericanDate, dtSlashSeparator);
  EXPECT_EQ(PressIn("12/25/2001", 0, "Backspace"), "12/25/2001");
  const auto log = Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "sendkeys +{TAB}"), log.end());
  EXPECT_EQ(PressIn("12/25/2001", 3, "Backspace", 2), "12/··/2001");  // only the selection
  EXPECT_EQ(Box().SelStart(), 3);
}

TEST_F(Keystrokes, CharacterClasses) {
  struct ClassRow {
    const char* mask;
    const char* accepted;
    const char* refused;
  };
  const ClassRow rows[] = {
      {"X", " a~\"9", "\x7f"}, {"A", "aZ.", "1 ,"}, {"S", "aZ ", ".1"},
      {"N", "aZ1 ,.", "-#"},   {"9", "09", "a.-"},  {"#", "09 +-.", "a,"},
  };
  for (const ClassRow& row : rows) {
    MakeCustom(row.mask);
    for (char c : std::string_view(row.accepted)) {
      EXPECT_EQ(PressIn("·", 0, std::string(1, c)), Show(std::u16string(1, static_cast<char16_t>(c))))
          << row.mask << " takes " << c;
    }
    for (char c : std::string_view(row.refused)) {
      EXPECT_EQ(PressIn("·", 0, std::string(1, c)), "·") << row.mask << " refuses " << c;
    }
  }
}

TEST_F(Keystrokes, ApplicationSeesAcceptedKeysFirstAndMayCancelThem) {
  std::vector<std::int16_t> seen;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg> args) {
    if (event != "KeyPress") return;
    seen.push_back(host::ToInteger(args[0].value));
    if (seen.back() == 'q') args[0].value = Variant::Integer(0);
    if (seen.back() == 'w') args[0].value = Variant::Integer('W');
  });
  Field().SetInputFormat(dtAlphabets);
  Focus();
  Type(u"a1qw");
  EXPECT_EQ(seen, (std::vector<std::int16_t>{'a', 'q', 'w'}));  // "1" never passed the filter
  EXPECT_EQ(Show(Box().Text()), "aW");
}

TEST_F(Keystrokes, ProperCaseAfterEveryKey) {
  Field().SetDisplayFormat(dtProperCase);
  Focus();
  Type(u"joHN");
  EXPECT_EQ(Box().Text(), u"John");
  EXPECT_EQ(Box().SelStart(), 4);
}

// Only what the typed key wrote may be converted alone; whatever else wrote the text since the
// last conversion (the user's own edit, a change of case while focused, a Change handler) makes
// the whole text take its case again.
TEST_F(Keystrokes, UpperAndLowerCaseCoverTheWholeTextAfterEveryKey) {
  Field().SetDisplayFormat(dtUpperCase);
  Focus();
  Type(u"ab");
  EXPECT_EQ(Show(Box().Text()), "AB");
  Edit("xy", 2);
  Type(u"z");
  EXPECT_EQ(Show(Box().Text()), "XYZ");

  Field().SetDisplayFormat(dtLowerCase);
  Focus();
  Caret(3);
  Type(u"Q");
  EXPECT_EQ(Show(Box().Text()), "xyzq");

  int rewrites = 1;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg>) {
    if (event == "Change" && rewrites-- > 0) Box().SetText(u"MIX" + Box().Text().substr(3));
  });
  Caret(4);
  Type(u"R");
  EXPECT_EQ(Show(Box().Text()), "mixqr");  // "xyzqR" rewritten by the handler, then all lower
  Type(u"S");
  EXPECT_EQ(Show(Box().Text()), "mixqrs");
}

// Whatever the keys before, a typed character leaves the whole text in its case: the part a key
// converts on its own must be all that a conversion of the whole text would change.
TEST_F(Keystrokes, EveryTypedCharacterLeavesTheWholeTextInItsCase) {
  const std::pair<std::int16_t, std::u16string (*)(std::u16string_view)> cases[] = {
      {dtUpperCase, host::ToUpperCase}, {dtLowerCase, host::ToLowerCase}, {dtProperCase, host::ToProperCase}};
  const char16_t typed[] = u"aB c-Dx  yZ";
  const char* named[] = {"Backspace", "Delete", "Home", "End", "Left", "Right"};
  for (const auto& [format, convert] : cases) {
    for (const bool custom : {false, true}) {
      SCOPED_TRACE(std::to_string(format) + (custom ? " custom" : " plain"));
      if (custom) {
        Field().SetInputFormat(dtCustomFormat);
        Field().SetMask(u"XXXX-XXXXXXXX XXXX");
      } else {
        Field().SetInputFormat(dtAlphaDigitSpaceSymbol);
        Field().SetLength(24);
      }
      Field().SetAutoTab(false);
      Field().SetDisplayFormat(format);
      Focus();
      std::uint32_t state = 20261208;
      for (int step = 0; step < 400; ++step) {
        state = state * 1664525u + 1013904223u;
        const std::uint32_t pick = (state >> 8) % 16;
        if (pick < 10) {
          Type(std::u16string(1, typed[(state >> 12) % (std::size(typed) - 1)]));
          ASSERT_EQ(Box().Text(), convert(Box().Text())) << "step " << step;
        } else {
          Key(named[pick - 10]);
        }
      }
      Blur();
    }
  }
}

TEST_F(Keystrokes, LogicalKeysSetTheValueAndSelectTheWord) {
  Field().SetDataType(dtLogical);
  Focus();
  const struct {
    const char* key;
    const char* shown;
  } rows[] = {{"t", "Yes··"}, {"n", "No···"}, {"Y", "Yes··"}, {"-", "No···"},
              {" ", "Yes··"}, {" ", "No···"}, {"q", "No···"}};
  for (const auto& row : rows) {
    Type(host::FromUtf8(row.key));
    EXPECT_EQ(BoxText(), row.shown) << row.key;
    EXPECT_EQ(Box().SelStart(), 0);
    EXPECT_EQ(Box().SelLength(), 5);
  }
  for (const std::string& line : Log()) EXPECT_NE(line.rfind("KeyPress", 0), 0u) << line;
}

TEST_F(Keystrokes, PasswordTakesAnyCharacterButControlsAndStopsAtItsLength) {
  Field().SetDataType(dtPassword);
  Field().SetLength(4);
  Focus();
  Type(u"a\u00e9\u4e2d");
  form_.RawKeyPress(22);  // Ctrl+V's character would go in unseen
  form_.RawKeyPress(13);
  Type(u"bc");
  EXPECT_EQ(Box().Text(), u"a\u00e9\u4e2db");
  EXPECT_EQ(Box().PasswordChar(), u"*");
}

TEST_F(Keystrokes, FullFreeFormFieldRefusesMore) {
  Field().SetLength(3);
  Field().SetAutoTab(false);
  Focus();
  Type(u"abcd");
  EXPECT_EQ(Box().Text(), u"abc");
  EXPECT_LE(Box().Text().size(), static_cast<std::size_t>(Box().MaxLength()));
}

}  // namespace
}  // namespace kestrow::testing

namespace kestrow::testing {
namespace {

using namespace engine;

TEST_F(Keystrokes, DecimalPointKeepsTheSignInFrontOfItsDigits) {
  Field().SetDataType(dtNumeric);
  MakeCustom("##99.99");
  // Two signs are no number: the integer part reads 0.
  EXPECT_EQ(PressIn("--5·.··", 3, "."), "···0.00");
  EXPECT_EQ(PressIn("-·5·.··", 3, "."), "-··5.00");  // blanks after the sign are trimmed, not a gap
}

}  // namespace
}  // namespace kestrow::testing
