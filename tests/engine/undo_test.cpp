// Undo and redo within one visit to a field.
#include <functional>
#include <tuple>

#include "engine/field_fixture.h"

namespace kestrow::testing {
namespace {

using namespace engine;
using host::Variant;

class Undo : public FieldTest {
 protected:
  void UndoKey() { Key("Z", kCtrl); }
  void RedoKey() { Key("Y", kCtrl); }
  using State = std::tuple<std::string, std::int32_t, std::int32_t>;  // text, caret, selection
  State Now() { return {BoxText(), Box().SelStart(), Box().SelLength()}; }
};

TEST_F(Undo, EveryKindOfEditIsOneStepBackAndForthWithItsSelection) {
  MakeDate(dtAmericanDate, dtSlashSeparator);
  Field().SetAutoTab(false);
  Focus();
  Caret(0);
  std::vector<State> before;
  const auto edit = [&](const std::function<void()>& action) {
    before.push_back(Now());
    action();
  };
  edit([&] { Type(u"1"); });
  edit([&] { Type(u"2"); });
  edit([&] { Key("Backspace"); });
  edit([&] { Type(u"2"); });
  edit([&] { Type(u"5"); });
  Caret(0, 2);
  edit([&] { Key("Delete"); });
  Caret(3, 2);
  edit([&] { Key("X", kCtrl); });
  form_.SetClipboard(u"07");
  edit([&] { Key("V", kCtrl); });
  edit([&] { Key("Delete", kShift); });  // nothing selected: a plain Delete
  const State last = Now();

  for (auto state = before.rbegin(); state != before.rend(); ++state) {
    UndoKey();
    EXPECT_EQ(Now(), *state) << "undo " << (state - before.rbegin() + 1);
  }
  UndoKey();
  EXPECT_EQ(Now(), before.front()) << "nothing more to undo";
  for (std::size_t i = 0; i < before.size(); ++i) RedoKey();
  EXPECT_EQ(Now(), last) << "redo gives back the text and caret the edits left";
}

TEST_F(Undo, ASelectionTypedOverComesBackSelected) {
  Focus();
  Type(u"hello");
  Caret(1, 3);
  Type(u"a");
  EXPECT_EQ(Box().Text(), u"hao");
  UndoKey();
  EXPECT_EQ(Box().Text(), u"hello");
  EXPECT_EQ(Box().SelStart(), 1);
  EXPECT_EQ(Box().SelLength(), 3);
}

TEST_F(Undo, EachRestoreIsOneOrdinaryWrite) {
  Focus();
  Type(u"ab");
  ClearLog();
  UndoKey();
  const auto log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Change"), 1);
  EXPECT_EQ(Box().Text(), u"a");
  Blur();
  EXPECT_EQ(Field().Value(), Variant::String(u"a")) << "the value is read from the text on leaving";
}

TEST_F(Undo, RedoKeysAndANewEditThatDropsWhatWasUndone) {
  Focus();
  Type(u"abc");
  UndoKey();
  UndoKey();
  Key("Z", kCtrl | kShift);
  EXPECT_EQ(Box().Text(), u"ab");
  Type(u"x");
  RedoKey();
  EXPECT_EQ(Box().Text(), u"abx") << "nothing to redo after a new edit";
  UndoKey();
  EXPECT_EQ(Box().Text(), u"ab");
}

TEST_F(Undo, AnEditThatLeftTheTextAsItWasIsNoStep) {
  MakeNumeric(12, 2, dtThousandsFormat);
  Focus();
  const std::string before = BoxText();
  form_.SetClipboard(u"1,234,567.50");
  Key("V", kCtrl);
  const std::string pasted = BoxText();
  Key("V", kCtrl);  // the same value again: rewritten, and just as it was
  Type(u"9");       // refused at the end of the field: no write at all
  UndoKey();
  EXPECT_EQ(BoxText(), before);
  RedoKey();
  EXPECT_EQ(BoxText(), pasted);
  // Nor does such an edit drop what was undone.
  UndoKey();
  Key("V", kCtrl);
  Key("Delete");
  RedoKey();
  EXPECT_NE(BoxText(), before);
}

TEST_F(Undo, AYesNoFieldUndoesItsLastToggle) {
  Field().SetDataType(dtLogical);
  Field().SetInputFormat(dtYesNoFormat);
  Focus();
  const std::string before = BoxText();
  Type(u" ");
  ASSERT_NE(BoxText(), before);
  UndoKey();
  EXPECT_EQ(BoxText(), before);
  EXPECT_EQ(Field().Value(), Variant::Integer(before == "Yes··" ? 1 : 0));
}

TEST_F(Undo, TheHistoryHoldsAHundredSteps) {
  Field().SetLength(200);
  Focus();
  Type(std::u16string(110, u'a'));
  for (int i = 0; i < 150; ++i) UndoKey();
  EXPECT_EQ(Box().Text(), std::u16string(10, u'a'));
  for (int i = 0; i < 150; ++i) RedoKey();
  EXPECT_EQ(Box().Text(), std::u16string(110, u'a'));
}

TEST_F(Undo, TheHistoryIsForgottenWhenTheFieldIsLeftOrWrittenByOthers) {
  Focus();
  Type(u"ab");
  Blur();
  Focus();
  UndoKey();
  EXPECT_EQ(Box().Text(), u"ab") << "a new visit starts without history";

  Type(u"c");
  form_.Handle([&] { Field().SetValue(Variant::String(u"set")); });
  UndoKey();
  EXPECT_EQ(Box().Text(), u"set") << "the application's write is not undone into the user's text";

  Caret(3);
  Type(u"d");
  form_.Handle([&] { Field().SetDisplayFormat(dtUpperCase); });
  UndoKey();
  EXPECT_EQ(Box().Text(), u"SETD") << "a setting changed: what was typed before is not taken back";
}

TEST_F(Undo, AChangeHandlerThatRewritesTheTextEndsTheHistory) {
  Focus();
  Type(u"ab");
  bool rewrite = true;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<host::EventArg>) {
    if (event == "Change" && rewrite) {
      rewrite = false;
      Field().SetValue(Variant::String(u"zz"));
    }
  });
  UndoKey();  // restores "a", whose Change handler writes "zz"
  EXPECT_EQ(Box().Text(), u"zz");
  UndoKey();
  EXPECT_EQ(Box().Text(), u"zz") << "no step is applied to a text it does not know";
  RedoKey();
  EXPECT_EQ(Box().Text(), u"zz");
}

}  // namespace
}  // namespace kestrow::testing
