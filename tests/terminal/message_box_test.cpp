#include "kestrow/terminal/message_box.h"

#include <gtest/gtest.h>

#include "kestrow/terminal/cells.h"

namespace kestrow::terminal {
namespace {

std::vector<int> Codes(const MessageBoxShape& shape) {
  std::vector<int> codes;
  for (const MessageButton& button : shape.buttons) codes.push_back(button.code);
  return codes;
}

TEST(DescribeMessageBox, TakesTheButtonSetFromTheLowBitsAndWhatEscAnswers) {
  using namespace msgbox;
  struct Case {
    int buttons;
    std::vector<int> codes;
    int escape;
  };
  const Case cases[] = {
      {0, {kOk}, kOk},
      {1, {kOk, kCancel}, kCancel},
      {2, {kAbort, kRetry, kIgnore}, kIgnore},
      {3, {kYes, kNo, kCancel}, kCancel},
      {4, {kYes, kNo}, kNo},
      {5, {kRetry, kCancel}, kCancel},
      {3 | 32, {kYes, kNo, kCancel}, kCancel},  // the icon leaves the set alone
  };
  for (const Case& c : cases) {
    const MessageBoxShape shape = DescribeMessageBox(c.buttons, std::nullopt);
    EXPECT_EQ(Codes(shape), c.codes) << c.buttons;
    EXPECT_EQ(shape.escape_code, c.escape) << c.buttons;
  }
}

TEST(DescribeMessageBox, NamesTheIconInWords) {
  EXPECT_EQ(DescribeMessageBox(16, std::nullopt).icon, u"Critical stop");
  EXPECT_EQ(DescribeMessageBox(32 | 4, std::nullopt).icon, u"Question");
  EXPECT_EQ(DescribeMessageBox(48, std::nullopt).icon, u"Warning");
  EXPECT_EQ(DescribeMessageBox(64 | 1, std::nullopt).icon, u"Information");
  EXPECT_EQ(DescribeMessageBox(0, std::nullopt).icon, u"");
}

TEST(DescribeMessageBox, ShowsTheHostsCaptionWhenGivenNoneOrAnEmptyOne) {
  EXPECT_EQ(DescribeMessageBox(0, std::nullopt).caption, kDefaultCaption);
  EXPECT_EQ(DescribeMessageBox(0, u"").caption, kDefaultCaption);
  EXPECT_EQ(DescribeMessageBox(0, u"Save").caption, u"Save");
}

TEST(DescribeMessageBox, TakesTheDefaultButtonFromItsBitsWithinTheSet) {
  EXPECT_EQ(DescribeMessageBox(3, std::nullopt).default_button, 0u);
  EXPECT_EQ(DescribeMessageBox(3 | 256, std::nullopt).default_button, 1u);
  EXPECT_EQ(DescribeMessageBox(3 | 512, std::nullopt).default_button, 2u);
  EXPECT_EQ(DescribeMessageBox(0 | 512, std::nullopt).default_button, 0u);  // OK alone has no third
}

TEST(WrapText, BreaksBetweenWordsAtItsOwnBreaksAndInsideWordsTooLong) {
  using Lines = std::vector<std::u16string>;
  EXPECT_EQ(WrapText(u"one two three", 7), (Lines{u"one two", u"three"}));
  EXPECT_EQ(WrapText(u"one\ntwo\r\nthree", 20), (Lines{u"one", u"two", u"three"}));
  EXPECT_EQ(WrapText(u"abcdefghij", 4), (Lines{u"abcd", u"efgh", u"ij"}));
  EXPECT_EQ(WrapText(u"", 4), (Lines{u""}));
  EXPECT_EQ(WrapText(u"a\n\nb", 4), (Lines{u"a", u"", u"b"}));
}

TEST(WrapText, CountsWideCharactersAsTwoCells) {
  const std::u16string wide(5, u'\u6F22');
  for (const std::u16string& line : WrapText(wide, 4)) EXPECT_LE(CellWidth(line), 4);
  EXPECT_EQ(WrapText(wide, 4).size(), 3u);
}

TEST(LayOutMessageBox, CentresTheBoxWithItsTextButtonsAndIconInside) {
  const MessageBoxShape shape = DescribeMessageBox(3 | 32, std::nullopt);
  const MessageBoxLayout layout = LayOutMessageBox(shape, u"Save the changes?", 30, 100);
  EXPECT_EQ(layout.left, (100 - layout.columns) / 2);
  EXPECT_EQ(layout.top, (30 - layout.rows) / 2);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[0], u"Question:");
  EXPECT_EQ(layout.lines[1], u"Save the changes?");
  ASSERT_EQ(layout.button_columns.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const int end = layout.button_columns[i] + CellWidth(ButtonLabel(shape.buttons[i].label));
    EXPECT_GT(layout.button_columns[i], layout.left);
    EXPECT_LT(end, layout.left + layout.columns);
    if (i + 1 < 3) {
      EXPECT_LT(end, layout.button_columns[i + 1]);
    }
  }
  EXPECT_GT(layout.button_row, layout.top + static_cast<int>(layout.lines.size()));
  EXPECT_LT(layout.button_row, layout.top + layout.rows - 1);
}

TEST(LayOutMessageBox, StaysOnANarrowOrShortScreen) {
  const MessageBoxShape shape = DescribeMessageBox(0, std::nullopt);
  const std::u16string prompt(400, u'x');
  const MessageBoxLayout narrow = LayOutMessageBox(shape, prompt, 10, 30);
  EXPECT_LE(narrow.left + narrow.columns, 30);
  EXPECT_LE(narrow.top + narrow.rows, 10);
  for (const std::u16string& line : narrow.lines) EXPECT_LE(CellWidth(line), narrow.columns - 4);
}

TEST(AnswerKey, PressesTheChosenButtonOnEnterAndTheEscapeAnswerOnEsc) {
  const MessageBoxShape shape = DescribeMessageBox(3, std::nullopt);
  std::size_t chosen = shape.default_button;
  EXPECT_FALSE(AnswerKey(shape, chosen, TabMove{false}));
  EXPECT_EQ(AnswerKey(shape, chosen, FieldKey{"Enter", 0}), msgbox::kNo);
  EXPECT_FALSE(AnswerKey(shape, chosen, FieldKey{"Left", 0}));
  EXPECT_FALSE(AnswerKey(shape, chosen, FieldKey{"Left", 0}));  // wraps round to Cancel
  EXPECT_EQ(AnswerKey(shape, chosen, FieldKey{"Enter", 0}), msgbox::kCancel);
  EXPECT_EQ(AnswerKey(shape, chosen, FieldKey{"Escape", 0}), msgbox::kCancel);
  EXPECT_FALSE(AnswerKey(shape, chosen, FieldKey{"Right", 0}));
  EXPECT_EQ(chosen, 0u);
}

TEST(AnswerKey, PressesAButtonByItsFirstLetterInEitherCase) {
  const MessageBoxShape shape = DescribeMessageBox(4, std::nullopt);
  std::size_t chosen = 0;
  EXPECT_EQ(AnswerKey(shape, chosen, TypedText{u"n"}), msgbox::kNo);
  EXPECT_EQ(AnswerKey(shape, chosen, TypedText{u"Y"}), msgbox::kYes);
  EXPECT_FALSE(AnswerKey(shape, chosen, TypedText{u"q"}));
  EXPECT_FALSE(AnswerKey(shape, chosen, Command::Save));
}

}  // namespace
}  // namespace kestrow::terminal
