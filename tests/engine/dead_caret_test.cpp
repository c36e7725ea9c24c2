// A field never leaves the user typing into nothing: keys over a selection that starts on a
// literal, a click or a focus arrival before a literal, and Ctrl characters.
#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;

constexpr const char* kPhone = "(999)·999-9999";

class DeadCaret : public FieldTest {
 protected:
  void Click() { form_.Click(u"Field1"); }
  control::Text& Control() { return *static_cast<control::Text*>(form_.ControlNamed(u"Field1")); }
  // A date mask in its own order, or a custom text mask.
  void SetUpMask(std::string_view mask) {
    if (mask == "DD/MM/YYYY" || mask == "MM/DD/YYYY") {
      MakeDate(mask[0] == 'D' ? dtBritishDate : dtAmericanDate, dtSlashSeparator);
    } else {
      Field().SetDataType(dtAlphaNumeric);
      MakeCustom(mask);
    }
  }
};

TEST_F(DeadCaret, TabIntoAPhoneMaskAndTypeTheNumber) {
  MakeCustom(kPhone);
  Focus();  // AutoSelect: the whole text, which starts on "(", is selected
  ASSERT_EQ(Box().SelLength(), 14);
  Type(u"555");
  EXPECT_EQ(BoxText(), "(555)····-····");
  Type(u"1234567");
  EXPECT_EQ(form_.FocusedName(), u"other") << "the filled field tabs on as typing always did";
  EXPECT_EQ(Field().Value(), host::Variant::String(u"5551234567"));
}

struct OverSelection {
  const char* mask;
  const char* before;
  std::int32_t start;
  std::int32_t length;
  const char* key;
  const char* after;
  std::int32_t caretAfter;
};

TEST_F(DeadCaret, AKeyOverASelectionGoesToTheFirstEditPositionAtOrAfterItsStart) {
  const OverSelection rows[] = {
      {kPhone, "(555)·123-4567", 4, 2, "9", "(555)·912-4567", 7},          // ")·" selected
      {kPhone, "(555)·123-4567", 0, 5, "Backspace", "(···)·123-4567", 1},  // cleared, caret on a digit
      {kPhone, "(555)·123-4567", 0, 14, "7", "(7··)····-····", 2},
      {"DD/MM/YYYY", "07/12/2026", 2, 1, "3", "07/31/2026", 4},  // "/" selected
      {"AA-", "ab-", 2, 1, "c", "ab-", 2},                       // no edit position follows: refused
      // Starting on an edit position, the key goes where it always went.
      {"MM/DD/YYYY", "12/25/2001", 3, 2, "7", "12/7·/2001", 4},
  };
  for (const OverSelection& row : rows) {
    SetUpMask(row.mask);
    Field().SetAutoTab(false);
    EXPECT_EQ(PressIn(row.before, row.start, row.key, row.length), row.after) << row.before << " " << row.key;
    EXPECT_EQ(Box().SelStart(), row.caretAfter) << row.before << " " << row.key;
  }
}

TEST_F(DeadCaret, AKeyBeforeALiteralWithNothingSelectedIsStillRefused) {
  MakeCustom(kPhone);
  EXPECT_EQ(PressIn("(555)·123-4567", 0, "9"), "(555)·123-4567");
  EXPECT_EQ(PressIn("(555)·123-4567", 4, "Backspace"), "(555)·123-4567");
  for (const std::string& line : Log())
    EXPECT_FALSE(line.starts_with("KeyPress")) << "no KeyPress reaches the application";
}

TEST_F(DeadCaret, AFocusArrivalThatSelectsNothingLeavesTheCaretOnAnEditPosition) {
  MakeCustom(kPhone);
  Field().SetAutoSelect(false);
  Focus();
  EXPECT_EQ(Box().SelStart(), 1);
  Type(u"5");
  EXPECT_EQ(BoxText(), "(5··)····-····");

  // With AutoSelect the whole text stays selected.
  Blur();
  Field().SetAutoSelect(true);
  Focus();
  EXPECT_EQ(Box().SelStart(), 0);
  EXPECT_EQ(Box().SelLength(), 14);
}

TEST_F(DeadCaret, AClickThatSelectsNothingMovesACaretBeforeALiteralOn) {
  struct ClickRow {
    const char* mask;
    std::int32_t caret;
    std::int32_t selection;
    std::int32_t caretAfter;
    std::int32_t selectionAfter;
  };
  const ClickRow rows[] = {
      {kPhone, 0, 0, 1, 0},    // before "("
      {kPhone, 4, 0, 6, 0},    // before ")": past the blank literal too
      {kPhone, 9, 0, 10, 0},   // before "-"
      {kPhone, 7, 0, 7, 0},    // on a digit: stays
      {kPhone, 14, 0, 14, 0},  // at the end: stays
      {kPhone, 4, 3, 4, 3},    // a dragged selection stays as it is
      {"AA-", 2, 0, 3, 0},     // no edit position follows: to the end of the text
  };
  for (const ClickRow& row : rows) {
    SetUpMask(row.mask);
    Focus();
    Box().UserSelect(row.caret, row.selection);
    Click();
    EXPECT_EQ(Box().SelStart(), row.caretAfter) << row.mask << " at " << row.caret;
    EXPECT_EQ(Box().SelLength(), row.selectionAfter) << row.mask << " at " << row.caret;
  }
}

TEST_F(DeadCaret, ClicksInNumbersAndDatesStepOverTheirLiterals) {
  MakeNumeric(8, 2, dtDigitsSigns);
  Focus();
  Box().UserSelect(5, 0);  // before the point
  Click();
  EXPECT_EQ(Box().SelStart(), 6);

  MakeDate(dtBritishDate, dtSlashSeparator);
  Focus();
  Box().UserSelect(2, 0);
  Click();
  EXPECT_EQ(Box().SelStart(), 3);
}

TEST_F(DeadCaret, TheApplicationsClickHandlerSeesTheMovedCaretAndItsOwnCaretStays) {
  MakeCustom(kPhone);
  Focus();
  Box().UserSelect(0, 0);
  std::int32_t seen = -1;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg>) {
    if (event == "Click") seen = Box().SelStart();
  });
  Click();
  EXPECT_EQ(seen, 1);

  // A caret the application puts before a literal stays there, and a key there is refused.
  form_.SetEventHandler({});
  form_.Handle([&] { Control().SetSelStart(0); });
  EXPECT_EQ(Box().SelStart(), 0);
  Type(u"5");
  EXPECT_EQ(BoxText(), "(···)····-····");
}

TEST_F(DeadCaret, AClickOnAFieldWithoutTheFocusLeavesItsCaret) {
  MakeCustom(kPhone);
  Box().UserSelect(0, 0);
  Click();
  EXPECT_EQ(Box().SelStart(), 0);
}

TEST_F(DeadCaret, CtrlCharactersNeverEnterATextOfAnyType) {
  const std::int16_t codes[] = {1, 3, 9, 13, 22, 24, 25, 26, 27, 31};
  struct TypeSetUp {
    std::int16_t dataType;
    std::int32_t inputFormat;
  };
  const TypeSetUp types[] = {
      {dtAlphaNumeric, dtAlphaDigitSpaceSymbol}, {dtPassword, dtStarFormat}, {dtAlphaNumeric, dtCustomFormat}};
  for (const TypeSetUp& type : types) {
    Field().SetDataType(type.dataType);
    Field().SetInputFormat(type.inputFormat);
    if (type.inputFormat == dtCustomFormat) Field().SetMask(u"XXXX");
    Focus();
    Box().UserSelect(0, 0);
    const std::u16string before = Box().Text();
    ClearLog();
    for (const std::int16_t code : codes) form_.RawKeyPress(code);
    EXPECT_EQ(Box().Text(), before) << "data type " << type.dataType;
    EXPECT_TRUE(Log().empty()) << "no KeyPress for a Ctrl character, data type " << type.dataType;
    Blur();
  }
  // A stored data type the control does not know has no filter but this one.
  Focus();
  Store([&](engine::FormatMembers& s) { s.m_DataType = 9; });
  Box().UserSelect(0, 0);
  const std::u16string before = Box().Text();
  form_.RawKeyPress(22);
  EXPECT_EQ(Box().Text(), before);
  form_.RawKeyPress(u'z');
  EXPECT_EQ(Box().Text().substr(0, 1), u"z");
}

}  // namespace
}  // namespace kestrow::testing
