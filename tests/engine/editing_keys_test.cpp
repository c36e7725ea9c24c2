#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

class EditingKeys : public FieldTest {
 protected:
  EditingKeys() { MakeDate(dtAmericanDate, dtSlashSeparator); }

  // Presses a key in the given state; returns what it asked of the host's focus, if anything.
  std::string Press(std::string_view key, std::int32_t caret, std::int32_t selection = 0, std::int16_t shift = 0) {
    Focus();
    Edit("12/25/2001", caret, selection);
    ClearLog();
    Key(key, shift);
    for (const std::string& line : Log()) {
      if (line.rfind("sendkeys ", 0) == 0) return line.substr(9);
    }
    return "";
  }
};

struct NavigationRow {
  const char* key;
  std::int32_t caret;
  std::int32_t selection;
  bool autoTab;
  const char* sent;         // the focus request, or "" for none
  std::int32_t caretAfter;  // when nothing was sent
};

TEST_F(EditingKeys, CaretStaysOnEditPositionsAndEdgesMoveTheFocus) {
  const NavigationRow rows[] = {
      {"Home", 4, 0, true, "", 0},       {"Home", 0, 0, true, "+{TAB}", 0}, {"Home", 0, 2, true, "", 0},
      {"Left", 3, 0, true, "", 1},                                     // over the "/"
      {"Left", 0, 0, true, "+{TAB}", 0}, {"Left", 0, 2, true, "", 0},  // a selection only collapses
      {"End", 0, 0, true, "", 9},                                      // before the last character
      {"End", 9, 0, true, "{TAB}", 0},   {"End", 9, 0, false, "", 9},       {"End", 9, 1, true, "", 9},
      {"Right", 1, 0, true, "", 3},      {"Right", 1, 4, true, "", 3},  // from the selection's start
      {"Right", 9, 0, true, "{TAB}", 0}, {"Right", 9, 1, false, "", 9},     {"Up", 4, 0, true, "+{TAB}", 0},
      {"Down", 4, 0, true, "{TAB}", 0},
  };
  for (const NavigationRow& row : rows) {
    Field().SetAutoTab(row.autoTab);
    const std::string sent = Press(row.key, row.caret, row.selection);
    EXPECT_EQ(sent, row.sent) << row.key << " at " << row.caret << "+" << row.selection;
    if (sent.empty()) {
      EXPECT_EQ(Box().SelStart(), row.caretAfter) << row.key << " at " << row.caret;
      EXPECT_EQ(Box().SelLength(), 0) << row.key << " at " << row.caret;
    }
  }
}

TEST_F(EditingKeys, ShiftWithArrowsExtendsTheSelectionAsTheBoxDoes) {
  Press("Right", 3, 0, kShift);
  EXPECT_EQ(Box().SelStart(), 3);
  EXPECT_EQ(Box().SelLength(), 1);
  Press("Home", 4, 0, kShift);  // acts like Home
  EXPECT_EQ(Box().SelStart(), 0);
  EXPECT_EQ(Box().SelLength(), 0);
}

TEST_F(EditingKeys, DeleteClosesUpTheField) {
  EXPECT_EQ(Press("Delete", 0), "");
  EXPECT_EQ(BoxText(), "2·/25/2001");
  Press("Delete", 3, 2);
  EXPECT_EQ(BoxText(), "12/··/2001");
  EXPECT_EQ(Box().SelStart(), 3);
  Press("Delete", 10);  // after the last character: nothing inside the mask to clear
  EXPECT_EQ(BoxText(), "12/25/2001");
}

TEST_F(EditingKeys, DeleteDoesNothingInALogicalField) {
  Field().SetDataType(dtLogical);
  Focus();
  Key("Delete");
  EXPECT_EQ(BoxText(), "No···");
}

TEST_F(EditingKeys, CopyAndCutAreRefusedOnlyForPasswords) {
  Press("C", 0, 2, kCtrl);
  EXPECT_EQ(form_.Clipboard(), u"12");

  Blur();
  Field().SetDataType(dtPassword);
  Field().SetValue(Variant::String(u"secret"));
  Focus();
  Key("X", kCtrl);
  EXPECT_EQ(Box().Text(), u"secret");
  EXPECT_EQ(form_.Clipboard(), u"12");
}

TEST_F(EditingKeys, EnterInANumericFieldKeepsWhatWasTypedBeforeTheCaret) {
  Blur();
  MakeNumeric(8, 2, dtDigits);
  Focus();
  Edit("12345.67", 2);
  Key("Enter");
  EXPECT_EQ(form_.FocusedName(), u"other");
  EXPECT_EQ(Field().Value(), Variant::Double(12));

  Focus();
  Edit("12345.67", 0);
  Key("Enter");
  EXPECT_EQ(Field().Value(), Variant::Double(12345.67));
}

TEST_F(EditingKeys, ShiftEnterGoesBack) {
  EXPECT_EQ(Press("Enter", 4, 0, kShift), "+{TAB}");
  EXPECT_EQ(Press("Enter", 4), "{TAB}");
}

TEST_F(EditingKeys, ApplicationMayChangeTheKeyBeforeTheFieldActs) {
  form_.SetEventHandler([](std::u16string_view, std::string_view event, std::span<host::EventArg> args) {
    if (event == "KeyDown" && host::ToInteger(args[0].value) == 36) args[0].value = Variant::Integer(35);
  });
  Press("Home", 4);
  EXPECT_EQ(Box().SelStart(), 9);  // handled as End
}

}  // namespace
}  // namespace kestrow::testing
