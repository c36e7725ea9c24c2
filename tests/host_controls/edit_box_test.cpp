// The edit box's properties and its own editing, driven directly (no form).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host_values/host_error_testing.h"
#include "kestrow/host/controls/edit_box.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

class FakeHost final : public BoxHost {
 public:
  const std::u16string& ClipboardText() const override { return clipboard; }
  void SetClipboardText(std::u16string text) override { clipboard = std::move(text); }
  void RequestFocus(TextBox&) override {}

  std::u16string clipboard;
};

class Events final : public EditBoxEvents {
 public:
  void Change() override {
    ++changes;
    if (on_change) on_change();
  }
  void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override {
    if (on_key_down) on_key_down(keyCode, shift);
  }
  void KeyPress(std::int16_t& keyAscii) override {
    if (on_key_press) on_key_press(keyAscii);
  }
  void Paste(std::u16string& text) override {
    if (on_paste) on_paste(text);
  }

  int changes = 0;
  std::function<void()> on_change;
  std::function<void(std::int16_t&, std::int16_t&)> on_key_down;
  std::function<void(std::int16_t&)> on_key_press;
  std::function<void(std::u16string&)> on_paste;
};

class EditBoxTest : public ::testing::Test {
 protected:
  EditBoxTest() { box_.SetEventHandler(&events_); }

  // Text and caret as the user left them; the Change this causes is not counted.
  void Given(std::u16string_view text, std::int32_t start, std::int32_t length = 0) {
    box_.SetText(text);
    box_.UserSelect(start, length);
    events_.changes = 0;
  }
  void Down(std::int16_t code, std::int16_t shift = 0) { box_.DeliverKeyDown(code, shift); }
  void Press(char16_t c) { box_.DeliverKeyPress(static_cast<std::int16_t>(c)); }
  std::pair<std::int32_t, std::int32_t> Selection() const { return {box_.SelStart(), box_.SelLength()}; }

  FakeHost host_;
  EditBox box_{host_};
  Events events_;
};

using Sel = std::pair<std::int32_t, std::int32_t>;

TEST_F(EditBoxTest, SetTextAndReplaceRangeRaiseChangeOnlyForADifferentText) {
  Given(u"abcdef", 2, 3);
  box_.SetText(u"abcdef");
  box_.ReplaceRange(1, 2, u"bc");  // writes what is there
  EXPECT_EQ(events_.changes, 0);
  EXPECT_EQ(Selection(), Sel(2, 3));
  box_.ReplaceRange(4, 100, u"XY");  // count cut back to the end
  EXPECT_EQ(box_.Text(), u"abcdXY");
  EXPECT_EQ(events_.changes, 1);
  EXPECT_EQ(Selection(), Sel(0, 0));
  box_.UserSelect(1, 1);
  box_.ReplaceRange(99, 5, u"!");  // start cut back: appends
  EXPECT_EQ(Selection(), Sel(0, 0));
  box_.ReplaceRange(-3, 1, u"_");
  EXPECT_EQ(box_.Text(), u"_bcdXY!");
  EXPECT_EQ(events_.changes, 3);
}

TEST_F(EditBoxTest, ReplaceRangeWritesIntoALongTextInPlace) {
  Given(std::u16string(32767, u'_'), 0);
  const char16_t* storage = box_.Text().data();
  box_.ReplaceRange(20000, 1, u"7");
  EXPECT_EQ(box_.Text().data(), storage);
  EXPECT_EQ(box_.Text(), std::u16string(20000, u'_') + u"7" + std::u16string(12766, u'_'));
}

// A caller may hand the box a piece of its own text: written over in place, the pieces overlap.
TEST_F(EditBoxTest, ReplaceRangeTakesAReplacementFromTheBoxsOwnText) {
  Given(u"abcdef", 0);
  box_.ReplaceRange(1, 3, std::u16string_view(box_.Text()).substr(2, 3));
  EXPECT_EQ(box_.Text(), u"acdeef");
  box_.ReplaceRange(6, 0, std::u16string_view(box_.Text()).substr(0, 1));
  EXPECT_EQ(box_.Text(), u"acdeefa");
  box_.ReplaceRange(7, 0, std::u16string_view(box_.Text()).substr(0, 7));
  EXPECT_EQ(box_.Text(), u"acdeefaacdeefa");
  EXPECT_EQ(events_.changes, 3);
}

// The text revision moves with every change, whoever makes it, and before the Change handler
// runs, so a handler that writes the text again leaves a later revision than its caller expects.
TEST_F(EditBoxTest, TheTextRevisionMovesWithEveryChangeBeforeItsChangeEvent) {
  Given(u"abc", 3);
  const std::uint64_t start = box_.TextRevision();
  box_.SetText(u"abc");
  box_.ReplaceRange(0, 1, u"a");
  EXPECT_EQ(box_.TextRevision(), start);  // the same text written again
  Press(u'd');
  Down(keys::kLeft);
  Down(keys::kDelete);
  Press(static_cast<char16_t>(keys::kBackspace));
  EXPECT_EQ(box_.Text(), u"ab");
  EXPECT_EQ(box_.TextRevision(), start + 3);  // typed, deleted, backspaced; the arrow changed nothing
  std::uint64_t seen = 0;
  events_.on_change = [&] { seen = box_.TextRevision(); };
  box_.SetSelText(u"xy");
  EXPECT_EQ(seen, start + 4);
  EXPECT_EQ(box_.TextRevision(), start + 4);
}

TEST_F(EditBoxTest, SelectionPropertiesClampAndRefuseNegatives) {
  Given(u"hello", 0);
  EXPECT_EQ(RaisedError([&] { box_.SetSelStart(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedError([&] { box_.SetSelLength(-1); }), errors::kInvalidPropertyValue);
  box_.SetSelStart(2);
  box_.SetSelLength(100);
  EXPECT_EQ(box_.SelText(), u"llo");
  box_.SetSelStart(9);
  EXPECT_EQ(Selection(), Sel(5, 0));
  box_.UserSelect(-4, 99);
  EXPECT_EQ(Selection(), Sel(0, 5));
  EXPECT_EQ(events_.changes, 0);
}

TEST_F(EditBoxTest, SetSelTextIgnoresMaxLengthAndPutsTheCaretAfterTheText) {
  Given(u"abcd", 1, 2);
  box_.SetMaxLength(4);
  box_.SetSelText(u"XYZW");
  EXPECT_EQ(box_.Text(), u"aXYZWd");
  EXPECT_EQ(Selection(), Sel(5, 0));
  box_.UserSelect(1, 2);
  box_.SetSelText(u"XY");  // same characters: the caret moves, no Change
  EXPECT_EQ(Selection(), Sel(3, 0));
  EXPECT_EQ(events_.changes, 1);
}

TEST_F(EditBoxTest, ValidatedPropertiesRefuseValuesOutsideTheirRange) {
  using Setter = void (EditBox::*)(std::int16_t);
  const std::pair<Setter, std::int16_t> cases[] = {{&EditBox::SetAlignment, 2},
                                                   {&EditBox::SetOLEDragMode, 1},
                                                   {&EditBox::SetOLEDropMode, 2},
                                                   {&EditBox::SetLinkMode, 3},
                                                   {&EditBox::SetMousePointer, 15}};
  // Named copies, not structured bindings: clang 14 cannot capture bindings in a lambda.
  for (const auto& entry : cases) {
    const Setter set = entry.first;
    const std::int16_t lastGood = entry.second;
    EXPECT_EQ(RaisedError([&] { (box_.*set)(-1); }), errors::kInvalidPropertyValue);
    EXPECT_EQ(RaisedError([&] { (box_.*set)(static_cast<std::int16_t>(lastGood + 1)); }),
              errors::kInvalidPropertyValue);
    EXPECT_EQ(RaisedError([&] { (box_.*set)(lastGood); }), std::nullopt);
  }
  box_.SetMousePointer(99);
  EXPECT_EQ(box_.MousePointer(), 99);
  EXPECT_EQ(RaisedError([&] { box_.SetMaxLength(-1); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedError([&] { box_.SetFont(nullptr); }), errors::kInvalidPropertyValue);
  EXPECT_EQ(RaisedError([&] { box_.SetFontSize(2160.5f); }), errors::kInvalidPropertyValue);
  box_.SetFontSize(0);  // keeps the size
  EXPECT_EQ(box_.GetFont()->size, 9.75f);
}

TEST_F(EditBoxTest, FontBoldSetsTheWeightOnlyWhenTheBoldStateChanges) {
  box_.GetFont()->weight = 600;
  box_.SetFontBold(false);  // already not bold: the weight stays
  EXPECT_EQ(box_.GetFont()->weight, 600);
  box_.SetFontBold(true);
  EXPECT_EQ(box_.GetFont()->weight, 700);
  box_.SetFontBold(false);
  EXPECT_EQ(box_.GetFont()->weight, 400);
  EXPECT_FALSE(box_.GetFont()->bold);
}

TEST_F(EditBoxTest, ArrowsExtendFromTheAnchorAndCollapseToTheSelectionsEnds) {
  Given(u"abcdef", 3);
  Down(keys::kLeft, keys::kShiftMask);
  Down(keys::kLeft, keys::kShiftMask);
  EXPECT_EQ(Selection(), Sel(1, 2));
  Down(keys::kRight);  // caret at the start: collapses to the end
  EXPECT_EQ(Selection(), Sel(3, 0));
  Down(keys::kRight, keys::kShiftMask);
  Down(keys::kLeft, keys::kShiftMask);
  Down(keys::kLeft, keys::kShiftMask);
  EXPECT_EQ(Selection(), Sel(2, 1));  // crossed the anchor

  box_.UserSelect(1, 3);  // caret at the end: Left collapses to the start
  Down(keys::kLeft);
  EXPECT_EQ(Selection(), Sel(1, 0));
  Down(keys::kEnd, keys::kShiftMask);
  EXPECT_EQ(Selection(), Sel(1, 5));
  Down(keys::kHome, keys::kShiftMask);
  EXPECT_EQ(Selection(), Sel(0, 1));
  Down(keys::kEnd);
  Down(keys::kRight);
  EXPECT_EQ(Selection(), Sel(6, 0));
  Down(keys::kHome);
  Down(keys::kLeft);
  EXPECT_EQ(Selection(), Sel(0, 0));
  EXPECT_EQ(events_.changes, 0);
}

TEST_F(EditBoxTest, DeleteAndBackspaceAtTheEdgesDoNothing) {
  Given(u"abc", 3);
  Down(keys::kDelete);
  box_.UserSelect(0, 0);
  Press(u'\b');
  EXPECT_EQ(box_.Text(), u"abc");
  EXPECT_EQ(events_.changes, 0);

  Down(keys::kDelete);
  EXPECT_EQ(box_.Text(), u"bc");
  box_.UserSelect(2, 0);
  Press(u'\b');
  EXPECT_EQ(box_.Text(), u"b");
  EXPECT_EQ(Selection(), Sel(1, 0));
  Given(u"abcd", 1, 2);
  Press(u'\b');
  EXPECT_EQ(box_.Text(), u"ad");
  EXPECT_EQ(events_.changes, 1);
}

TEST_F(EditBoxTest, TypingRespectsMaxLengthButMayReplaceASelection) {
  Given(u"abc", 3);
  box_.SetMaxLength(3);
  Press(u'x');
  EXPECT_EQ(box_.Text(), u"abc");
  box_.UserSelect(1, 1);
  Press(u'x');
  EXPECT_EQ(box_.Text(), u"axc");
  EXPECT_EQ(Selection(), Sel(2, 0));
  EXPECT_EQ(events_.changes, 1);
}

TEST_F(EditBoxTest, ControlCodesTypeNothingAndNegativeCodesAreWideCharacters) {
  Given(u"ab", 1);
  const std::int16_t codes[] = {1, 3, 9, 13, 24, 27, 31};
  for (const std::int16_t code : codes) box_.DeliverKeyPress(code);
  EXPECT_EQ(box_.Text(), u"ab");
  EXPECT_EQ(events_.changes, 0);
  box_.DeliverKeyPress(static_cast<std::int16_t>(-32768));
  EXPECT_EQ(box_.Text(),
            u"a\x8000"
            u"b");
}

TEST_F(EditBoxTest, PasteStopsAtTheFirstLineBreakAndAtMaxLength) {
  Given(u"ab", 1);
  host_.clipboard = u"12\r34\n5";
  Press(keys::kCtrlV);
  EXPECT_EQ(box_.Text(), u"a12b");
  EXPECT_EQ(Selection(), Sel(3, 0));

  Given(u"abcd", 1, 1);
  box_.SetMaxLength(5);
  host_.clipboard = u"123";
  Press(keys::kCtrlV);
  EXPECT_EQ(box_.Text(), u"a12cd");
  EXPECT_EQ(events_.changes, 1);

  box_.UserSelect(1, 1);
  box_.SetMaxLength(4);  // no room even without the selection: the selection stays
  Press(keys::kCtrlV);
  EXPECT_EQ(box_.Text(), u"a12cd");
  EXPECT_EQ(Selection(), Sel(1, 1));
}

TEST_F(EditBoxTest, ClipboardKeysAndPasswordBoxes) {
  Given(u"hello", 1, 3);
  Down(keys::kC, keys::kCtrlMask);
  EXPECT_EQ(host_.clipboard, u"ell");
  Down(keys::kA, keys::kCtrlMask);
  EXPECT_EQ(Selection(), Sel(0, 5));
  Down(keys::kX, keys::kCtrlMask);
  EXPECT_EQ(host_.clipboard, u"hello");
  EXPECT_EQ(box_.Text(), u"");
  EXPECT_EQ(events_.changes, 1);

  Given(u"pw", 0, 2);
  host_.clipboard = u"kept";
  box_.SetPasswordChar(u"*#");
  EXPECT_EQ(box_.DisplayedText(), u"**");
  Down(keys::kC, keys::kCtrlMask);
  Down(keys::kX, keys::kCtrlMask);
  EXPECT_EQ(host_.clipboard, u"kept");
  EXPECT_EQ(box_.Text(), u"pw");
}

TEST_F(EditBoxTest, TheOlderClipboardKeysCopyCutAndPaste) {
  Given(u"hello", 1, 3);
  Down(keys::kInsert, keys::kCtrlMask);
  EXPECT_EQ(host_.clipboard, u"ell");
  host_.clipboard = u"ELL";
  Down(keys::kInsert, keys::kShiftMask);
  EXPECT_EQ(box_.Text(), u"hELLo");
  box_.UserSelect(0, 2);
  Down(keys::kDelete, keys::kShiftMask);
  EXPECT_EQ(host_.clipboard, u"hE");
  EXPECT_EQ(box_.Text(), u"LLo");
  // Without a selection Shift+Delete deletes, as Delete does, and the clipboard stays.
  Down(keys::kDelete, keys::kShiftMask);
  EXPECT_EQ(box_.Text(), u"Lo");
  EXPECT_EQ(host_.clipboard, u"hE");
  // With another modifier beside them they are no clipboard keys.
  Down(keys::kInsert, keys::kShiftMask | keys::kAltMask);
  Down(keys::kInsert, keys::kCtrlMask | keys::kShiftMask);
  EXPECT_EQ(box_.Text(), u"Lo");
}

TEST_F(EditBoxTest, TheHostsPasteCommandGoesToTheHandlerFirst) {
  Given(u"ab", 1);
  box_.DeliverPaste(u"xy\nz");
  EXPECT_EQ(box_.Text(), u"axyb");
  events_.on_paste = [](std::u16string& text) { text = u"!"; };
  box_.DeliverPaste(u"xy");
  EXPECT_EQ(box_.Text(), u"axy!b");
  events_.on_paste = [](std::u16string& text) { text.clear(); };  // taken by the handler
  box_.DeliverPaste(u"xy");
  EXPECT_EQ(box_.Text(), u"axy!b");
}

TEST_F(EditBoxTest, LockedBoxKeepsItsTextButCopies) {
  Given(u"fixed", 0, 5);
  box_.SetLocked(true);
  host_.clipboard = u"new";
  Press(u'x');
  Press(u'\b');
  Press(keys::kCtrlV);
  Down(keys::kInsert, keys::kShiftMask);
  box_.DeliverPaste(u"pasted");
  Down(keys::kDelete);
  Down(keys::kDelete, keys::kShiftMask);
  Down(keys::kX, keys::kCtrlMask);
  EXPECT_EQ(box_.Text(), u"fixed");
  EXPECT_EQ(host_.clipboard, u"new");
  Down(keys::kC, keys::kCtrlMask);
  EXPECT_EQ(host_.clipboard, u"fixed");
  EXPECT_EQ(events_.changes, 0);
}

TEST_F(EditBoxTest, HandlerCanCancelOrChangeAKey) {
  Given(u"abc", 1);
  events_.on_key_down = [](std::int16_t& code, std::int16_t&) {
    if (code == keys::kDelete) code = 0;
  };
  events_.on_key_press = [](std::int16_t& ascii) { ascii = static_cast<std::int16_t>(ascii == 'q' ? 0 : 'Z'); };
  Down(keys::kDelete);
  Press(u'q');
  EXPECT_EQ(box_.Text(), u"abc");
  Press(u'a');
  EXPECT_EQ(box_.Text(), u"aZbc");
  EXPECT_EQ(events_.changes, 1);
}

}  // namespace
}  // namespace kestrow::host
