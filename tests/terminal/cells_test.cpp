#include "kestrow/terminal/cells.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrow::terminal {
namespace {

constexpr char16_t kWide = u'\u6F22';  // a CJK ideograph: two cells

TEST(Glyphs, SplitTextIntoCharactersWithTheirUnitsAndCells) {
  const std::u16string text = u"a\U0001F600\u6F22";
  const std::vector<Glyph> glyphs = Glyphs(text);
  ASSERT_EQ(glyphs.size(), 3u);
  EXPECT_EQ(glyphs[0].code_point, U'a');
  EXPECT_EQ(glyphs[1].code_point, U'\U0001F600');
  EXPECT_EQ(glyphs[1].index, 1);
  EXPECT_EQ(glyphs[1].units, 2);
  EXPECT_EQ(glyphs[1].cells, 2);
  EXPECT_EQ(glyphs[2].index, 3);
  EXPECT_EQ(glyphs[2].cells, 2);
  EXPECT_EQ(CellWidth(text), 5);
}

TEST(Glyphs, ShowWhatNoCellCanHoldAsTheReplacementCharacter) {
  const std::u16string loneHigh{u'x', char16_t{0xD800}, u'y'};
  const std::u16string loneLow{char16_t{0xDC00}};
  const std::u16string control{u'\t'};
  for (const std::u16string& text : {loneHigh, loneLow, control}) {
    bool replaced = false;
    for (const Glyph& glyph : Glyphs(text)) {
      EXPECT_EQ(glyph.cells, 1);
      replaced = replaced || glyph.code_point == 0xFFFD;
    }
    EXPECT_TRUE(replaced);
  }
  EXPECT_EQ(Glyphs(loneHigh).size(), 3u);
}

TEST(FitToCells, StopsBeforeACharacterThatWouldCrossTheEdge) {
  EXPECT_EQ(FitToCells(u"abc", 2), u"ab");
  EXPECT_EQ(FitToCells(std::u16string{u'a', kWide}, 2), u"a");
  EXPECT_EQ(FitToCells(u"a\U0001F600b", 3), u"a\U0001F600");
  EXPECT_EQ(FitToCells(u"abc", 0), u"");
}

TEST(WindowOnBox, ScrollsOnlyAsFarAsTheCaretNeeds) {
  const std::u16string text = u"0123456789";
  // Caret at the end needs a cell of its own past the last character.
  BoxWindow window = WindowOnBox(text, 10, 0, 4);
  EXPECT_EQ(window.first, 7);
  EXPECT_EQ(window.caret_column, 3);
  ASSERT_EQ(window.glyphs.size(), 3u);
  // Moving left inside the window keeps it where it is.
  window = WindowOnBox(text, 8, 7, 4);
  EXPECT_EQ(window.first, 7);
  EXPECT_EQ(window.caret_column, 1);
  // Moving left of it brings its start to the caret.
  window = WindowOnBox(text, 5, 7, 4);
  EXPECT_EQ(window.first, 5);
  EXPECT_EQ(window.caret_column, 0);
  EXPECT_EQ(window.glyphs.size(), 4u);
}

TEST(WindowOnBox, KeepsWideCharactersWhole) {
  const std::u16string text(5, kWide);  // ten cells
  const BoxWindow window = WindowOnBox(text, 3, 0, 5);
  // Caret before the fourth: that character's two cells must show with it.
  int used = 0;
  for (const Glyph& glyph : window.glyphs) used += glyph.cells;
  EXPECT_LE(used, 5);
  EXPECT_EQ(window.first, 2);
  EXPECT_EQ(window.caret_column, 2);
}

TEST(WindowOnBox, OfEmptyTextHasTheCaretAtItsStart) {
  const BoxWindow window = WindowOnBox(u"", 0, 3, 4);
  EXPECT_EQ(window.first, 0);
  EXPECT_EQ(window.caret_column, 0);
  EXPECT_TRUE(window.glyphs.empty());
}

TEST(IndexAtColumn, PutsTheCaretBeforeTheCharacterClicked) {
  const std::u16string text = u"0123456789";
  const BoxWindow window = WindowOnBox(text, 10, 0, 4);  // shows 789
  EXPECT_EQ(IndexAtColumn(window, 10, 0), 7);
  EXPECT_EQ(IndexAtColumn(window, 10, 2), 9);
  EXPECT_EQ(IndexAtColumn(window, 10, 3), 10);  // past the last character: the end
  EXPECT_EQ(IndexAtColumn(WindowOnBox(u"", 0, 0, 4), 0, 2), 0);
}

TEST(IndexAtColumn, OnTheRightHalfOfAWideCharacterGoesAfterIt) {
  const std::u16string text{u'a', kWide, u'b'};
  const BoxWindow window = WindowOnBox(text, 0, 0, 8);
  EXPECT_EQ(IndexAtColumn(window, 3, 1), 1);
  EXPECT_EQ(IndexAtColumn(window, 3, 2), 2);
  EXPECT_EQ(IndexAtColumn(window, 3, 3), 2);
}

TEST(GuessCaret, FollowsTheEndOfTheSelectionThatMoved) {
  struct Case {
    std::int32_t previous_start, previous_end, previous_caret, start, end, caret;
  };
  const Case cases[] = {
      {5, 5, 5, 4, 5, 4},                      // Shift+Left from a caret
      {4, 5, 4, 3, 5, 3},                      // and again
      {5, 5, 5, 5, 7, 7},                      // Shift+Right
      {3, 5, 3, 4, 5, 4},                      // Shift+Right shrinking a selection made leftwards
      {2, 2, 2, 0, 9, 9},                      // select all: both ends moved
      {3, 5, 3, 3, 5, 3},                      // nothing moved: the caret stays at its end
      {3, 5, 5, 3, 5, 5}, {3, 5, 3, 6, 6, 6},  // no selection: the caret is its start
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GuessCaret(c.previous_start, c.previous_end, c.previous_caret, c.start, c.end), c.caret)
        << c.previous_start << "-" << c.previous_end << " to " << c.start << "-" << c.end;
  }
}

}  // namespace
}  // namespace kestrow::terminal
