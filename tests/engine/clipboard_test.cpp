// Cut keeps the mask whole; paste goes through it, or takes a value copied from elsewhere whole.
#include <cmath>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

class Clipboard : public FieldTest {
 protected:
  void Paste(std::u16string_view text) {
    form_.SetClipboard(std::u16string(text));
    Key("V", kCtrl);
  }
  std::vector<std::string> KeyPresses() {
    std::vector<std::string> presses;
    for (const std::string& line : Log()) {
      if (line.starts_with("KeyPress")) presses.push_back(line);
    }
    return presses;
  }
};

// --- Cut ---------------------------------------------------------------------------------------

TEST_F(Clipboard, CutOfADateKeepsItsSeparatorsAndTheDateCannotBeMisread) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Field().SetValue(Variant::FromDate(host::DateSerial(2026, 12, 7)));
  Focus();
  Caret(3, 4);  // "12/2"
  Key("X", kCtrl);
  EXPECT_EQ(form_.Clipboard(), u"12/2");
  EXPECT_EQ(BoxText(), "07/··/026·");
  EXPECT_EQ(Box().SelStart(), 3);
  ClearLog();
  Blur();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"msgbox Invalid Date|16|"}));
  EXPECT_TRUE(Field().Settings().m_Value.IsNull()) << "no date nobody typed";
}

TEST_F(Clipboard, ShiftDeleteCutsASelectionAndDeletesWithoutOne) {
  MakeDate(dtAmericanDate, dtSlashSeparator);
  Focus();
  Edit("12/25/2001", 3, 2);
  Key("Delete", kShift);
  EXPECT_EQ(form_.Clipboard(), u"25");
  EXPECT_EQ(BoxText(), "12/··/2001");
  form_.SetClipboard(u"kept");
  Edit("12/25/2001", 0);
  Key("Delete", kShift);
  EXPECT_EQ(BoxText(), "2·/25/2001");
  EXPECT_EQ(form_.Clipboard(), u"kept");
}

TEST_F(Clipboard, PasswordsGiveNothingAwayAndLoseNothing) {
  Field().SetDataType(dtPassword);
  Focus();
  Type(u"secret");
  form_.SetClipboard(u"kept");
  for (const auto& [key, shift] : {std::pair{"X", kCtrl}, std::pair{"Delete", kShift}, std::pair{"C", kCtrl}}) {
    Caret(0, 6);
    Key(key, shift);
    EXPECT_EQ(Box().Text(), u"secret") << key;
    EXPECT_EQ(form_.Clipboard(), u"kept") << key;
  }
}

TEST_F(Clipboard, CutInFreeTextAndInAYesNoField) {
  Focus();
  Type(u"hello");
  Caret(1, 3);
  Key("X", kCtrl);
  EXPECT_EQ(Box().Text(), u"ho");
  EXPECT_EQ(form_.Clipboard(), u"ell");

  // A yes/no field cannot be emptied: cut copies its word and keeps it.
  Blur();
  Field().SetDataType(dtLogical);
  Field().SetInputFormat(dtYesNoFormat);
  Focus();
  Caret(0, 5);
  Key("X", kCtrl);
  EXPECT_EQ(BoxText(), "No···");
  EXPECT_EQ(form_.Clipboard(), u"No   ");
}

// --- Paste through the mask ----------------------------------------------------------------------

TEST_F(Clipboard, APastedPhoneNumberGoesThroughTheMaskAndStaysInTheField) {
  MakeCustom("(999)·999-9999");
  Focus();  // the whole text selected, as a Tab leaves it
  ClearLog();
  form_.SetClipboard(u"(555) 123-4567");
  Key("V", kCtrl);
  EXPECT_EQ(BoxText(), "(555)·123-4567");
  const auto log = Log();
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.starts_with("KeyPress"); }),
            10)
      << "one KeyPress for each character the mask took";
  EXPECT_EQ(std::find(log.begin(), log.end(), "sendkeys {TAB}"), log.end()) << "a paste never moves the focus";
  EXPECT_EQ(form_.FocusedName(), u"Field1");
  EXPECT_EQ(Box().SelStart(), 14);
}

struct TypedPaste {
  const char* mask;
  std::int32_t caret;
  const char* pasted;
  const char* after;
};

TEST_F(Clipboard, PastedCharactersAreTypedOneByOne) {
  const TypedPaste rows[] = {
      {"(999)·999-9999", 0, "(555)", "(555)····-····"},    // "(" steps over its literal
      {"(999)·999-9999", 0, "555", "(···)····-····"},      // before a literal: refused like keys
      {"(999)·999-9999", 1, "555-123", "(555)·123-····"},  // "-" refused at a digit and skipped
      {"(999)·999-9999", 1, "5a5b5", "(555)····-····"},    // refused characters skipped
      {"AA-99", 0, "ab-12", "ab-12"},                      // a literal in the text steps over
      {"XXXXXX", 0,
       "ab\tc\x01"
       "d",
       "abcd··"},                                  // control characters never enter
      {"XXXXXX", 0, "first\r\nsecond", "first·"},  // the first line only
  };
  for (const TypedPaste& row : rows) {
    MakeCustom(row.mask);
    Field().SetAutoTab(false);
    Focus();
    Caret(row.caret);
    Paste(host::FromUtf8(row.pasted));
    EXPECT_EQ(BoxText(), row.after) << row.mask << " " << row.pasted;
  }
}

TEST_F(Clipboard, TheApplicationChangesOrCancelsEachPastedCharacter) {
  Focus();
  form_.SetEventHandler([](std::u16string_view, std::string_view event, std::span<host::EventArg> args) {
    if (event != "KeyPress") return;
    const std::int16_t code = host::ToInteger(args[0].value);
    if (code == u'b') args[0].value = Variant::Integer(u'X');
    if (code == u'c') args[0].value = Variant::Integer(0);
  });
  Paste(u"abcd");
  EXPECT_EQ(Box().Text(), u"aXd");
}

TEST_F(Clipboard, APasswordTakesEveryCharacterButControlOnes) {
  Field().SetDataType(dtPassword);
  Focus();
  ClearLog();
  Paste(u"pa\tss");
  EXPECT_EQ(Box().Text(), u"pass");
  EXPECT_EQ(KeyPresses().size(), 4u);
}

TEST_F(Clipboard, ShiftInsertAndTheHostsPasteCommandPasteToo) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Field().SetAutoTab(false);
  Field().SetValue(Variant::String(u""));
  Focus();
  Caret(0);
  form_.SetClipboard(u"3112");
  Key("Insert", kShift);
  EXPECT_EQ(BoxText(), "31/12/····");
  form_.Paste(u"2024");
  EXPECT_EQ(BoxText(), "31/12/2024");
  EXPECT_EQ(form_.Clipboard(), u"3112") << "the host's paste leaves the clipboard alone";
}

TEST_F(Clipboard, NoModifiedInsertPastesAroundTheMask) {
  MakeDate(dtBritishDate, dtSlashSeparator);
  Field().SetValue(Variant::String(u""));
  Focus();
  Caret(0);
  form_.SetClipboard(u"2024-12-31");
  constexpr std::int16_t kAlt = host::keys::kAltMask;
  for (const int shift : {kShift | kAlt, kShift | kCtrl | kAlt, kShift | kCtrl}) {
    Key("Insert", static_cast<std::int16_t>(shift));
    EXPECT_EQ(BoxText(), "··/··/····") << "shift " << shift;
  }
}

TEST_F(Clipboard, NothingIsPastedIntoAFieldWithoutTheFocus) {
  Field().Paste(u"abc");
  EXPECT_EQ(Box().Text(), u"");
}

// --- Values pasted whole -------------------------------------------------------------------------

struct NumberPaste {
  const char* pasted;
  double value;
};

TEST_F(Clipboard, AmountsWrittenAsPeopleWriteThemBecomeTheValue) {
  const NumberPaste rows[] = {
      {"1,234,567.50", 1234567.5},
      {"12,34,567.50", 1234567.5},
      {"(1,234.50)", -1234.5},
      {"1,234.50 Db.", -1234.5},
      {"1,234.50 Cr", 1234.5},
      {"$12", 12},
      {"- \u20AC 5", -5},
      {"\u00A3-3.25", -3.25},
      {" 1 234 ", 1234},
      {".5", 0.5},
      {"7", 7},
  };
  for (const NumberPaste& row : rows) {
    MakeNumeric(12, 2, dtThousandsFormat);
    Focus();
    ClearLog();
    Paste(host::FromUtf8(row.pasted));
    EXPECT_TRUE(KeyPresses().empty()) << row.pasted << ": taken whole, not typed";
    EXPECT_EQ(Field().Settings().m_Value, Variant::Double(row.value)) << row.pasted;
    Blur();
    EXPECT_EQ(Field().Value(), Variant::Double(row.value)) << row.pasted << ": the text shows it";
  }
  MakeNumeric(12, 2, dtThousandsFormat);
  Focus();
  Paste(u"1,234,567.50");
  EXPECT_EQ(BoxText(), "··1234567.50");
  EXPECT_EQ(Box().SelStart(), 12) << "the caret after the pasted value";
  Blur();
  EXPECT_EQ(BoxText(), "12,34,567.50");
}

// What is no whole number, or one the field cannot hold, goes in as typed keys: the same text as
// typing its characters into a twin field gives, and no message.
TEST_F(Clipboard, WhatIsNotAFittingNumberIsTypedInstead) {
  TextEngine& twin = AddField(u"Twin");
  for (TextEngine* field : {&Field(), &twin}) {
    field->SetDataType(dtNumeric);
    field->SetLength(12);
    field->SetDecimalPlaces(2);
    field->SetInputFormat(dtThousandsFormat);
    field->SetAutoTab(false);
  }
  const char* texts[] = {"1.234,50", "123,456,789,012", "1,,2", "(5) Db", "-5 Cr", "12abc", "1e3", "5-"};
  for (const char* text : texts) {
    form_.Focus(u"Twin");
    form_.Select(0, 0);
    Type(host::FromUtf8(text));
    const std::u16string typed = form_.Box(u"Twin").Text();
    Focus();
    Caret(0);
    ClearLog();
    Paste(host::FromUtf8(text));
    EXPECT_EQ(Box().Text(), typed) << text;
    EXPECT_TRUE(Messages().empty()) << text;
    form_.Handle([&] {
      Field().SetValue(Variant::Null());
      twin.SetValue(Variant::Null());
    });
  }
  // A negative amount into a field without a sign: the digits alone.
  MakeNumeric(6, 0, dtDigits);
  Focus();
  Paste(u"-5");
  EXPECT_EQ(BoxText(), "5·····");
}

struct DatePaste {
  std::int32_t inputFormat;
  const char* pasted;
  int year, month, day;  // 0: not taken whole
};

TEST_F(Clipboard, DatesInTheFieldsOwnOrderOrInIsoOrderBecomeTheValue) {
  const DatePaste rows[] = {
      {dtBritishDate, "31/12/2024", 2024, 12, 31},  {dtBritishDate, "31.12.24", 2024, 12, 31},
      {dtBritishDate, "2024-12-31", 2024, 12, 31},  {dtBritishDate, " 1-2-2026 ", 2026, 2, 1},
      {dtAmericanDate, "12/31/2024", 2024, 12, 31}, {dtAmericanDate, "2024-12-31", 2024, 12, 31},
      {dtJapanDate, "2024.12.31", 2024, 12, 31},    {dtBritishDate, "31/02/2024", 0, 0, 0},
      {dtBritishDate, "2024/12/31", 0, 0, 0},       {dtBritishDate, "31 December 2024", 0, 0, 0},
  };
  for (const DatePaste& row : rows) {
    MakeDate(row.inputFormat, dtSlashSeparator);
    Field().SetAutoTab(false);
    Focus();
    Caret(0);
    ClearLog();
    Paste(host::FromUtf8(row.pasted));
    if (row.year != 0) {
      EXPECT_EQ(Field().Settings().m_Value, Variant::FromDate(host::DateSerial(row.year, row.month, row.day)))
          << row.pasted;
      EXPECT_TRUE(KeyPresses().empty()) << row.pasted;
    } else {
      EXPECT_FALSE(KeyPresses().empty()) << row.pasted << ": typed, not taken whole";
    }
    Blur();
  }
}

TEST_F(Clipboard, AYesNoFieldTakesOnlyAWholeChoice) {
  Field().SetDataType(dtLogical);
  Field().SetInputFormat(dtYesNoFormat);
  Focus();
  // Anything else, "F" and "T" among them (keys, not words), changes nothing.
  const std::pair<const char*, const char*> rows[] = {
      {"Yes", "Yes··"}, {"no", "No···"},    {"TRUE", "Yes··"}, {" 0 ", "No···"}, {"y", "Yes··"}, {"maybe", "Yes··"},
      {"F", "Yes··"},   {"False", "No···"}, {"nope", "No···"}, {"T", "No···"},   {"1", "Yes··"}};
  for (const auto& [pasted, shown] : rows) {
    Paste(host::FromUtf8(pasted));
    EXPECT_EQ(BoxText(), shown) << pasted;
  }
  EXPECT_EQ(Box().SelLength(), 5) << "the word selected, as after a key";
}

}  // namespace
}  // namespace kestrow::testing
