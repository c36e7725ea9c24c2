#include "kestrow/terminal/status_line.h"

#include <gtest/gtest.h>

#include "kestrow/control/type_library.h"
#include "kestrow/terminal/cells.h"
#include "kestrow/terminal/key_decoding.h"

namespace kestrow::terminal {
namespace {

TEST(StatusText, NamesTheFieldItsDataTypeAndInputFormatByTheirConstants) {
  const auto* numeric = control::FindConstant(control::ValueType::DataTypes, "dtNumeric");
  const auto* thousands = control::FindConstant(control::ValueType::InputFormats, "dtThousandsFormat");
  ASSERT_TRUE(numeric && thousands);
  const FieldStatus amount{u"Amount", numeric->value, thousands->value};
  const std::u16string text = StatusText(&amount, u"Saved.", 100);
  EXPECT_NE(text.find(u"Amount"), std::u16string::npos);
  EXPECT_NE(text.find(u"dtNumeric"), std::u16string::npos);
  EXPECT_NE(text.find(u"dtThousandsFormat"), std::u16string::npos);
  EXPECT_NE(text.find(u"Saved."), std::u16string::npos);
}

TEST(StatusText, NamesAValueTheTypeLibraryDoesNotKnowByItsNumber) {
  EXPECT_EQ(DataTypeName(77), u"77");
  EXPECT_EQ(InputFormatName(-1), u"-1");
}

TEST(StatusText, FillsExactlyTheScreensWidthWhateverItHolds) {
  const FieldStatus longName{std::u16string(150, u'N'), 0, 0};
  for (const int columns : {1, 20, 80, 200}) {
    EXPECT_EQ(CellWidth(StatusText(&longName, u"", columns)), columns);
    EXPECT_EQ(CellWidth(StatusText(nullptr, u"", columns)), columns);
    EXPECT_EQ(CellWidth(KeysText(columns)), columns);
    EXPECT_EQ(CellWidth(TooSmallText(9, 40, columns)), columns);
  }
}

TEST(KeysText, ShowsTheHostsKeysBindingsForTerminalsWithoutFunctionKeysIncluded) {
  const std::u16string keys = KeysText(100);
  for (const std::u16string_view key : {u"F1", u"^T", u"F2", u"^F", u"^S", u"^Q", u"F10"}) {
    EXPECT_NE(keys.find(key), std::u16string::npos) << std::string(key.begin(), key.end());
  }
}

TEST(TooSmallText, SaysWhatTheFormNeeds) {
  const std::u16string text = TooSmallText(12, 57, 80);
  EXPECT_NE(text.find(u"too small"), std::u16string::npos);
  EXPECT_NE(text.find(u"57x12"), std::u16string::npos);
}

}  // namespace
}  // namespace kestrow::terminal
