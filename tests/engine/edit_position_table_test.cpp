// The edit position table answers every question the caret asks as a scan of the mask and the
// template would, including masks and templates of different lengths and literal blanks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/edit_position_table.h"

namespace kestrow::engine {
namespace {

// The answers by scanning, one position at a time.
struct Scan {
  std::u16string mask;
  std::u16string editTemplate;

  std::int32_t Length() const { return static_cast<std::int32_t>(editTemplate.size()); }
  bool IsEditPos(std::int32_t i) const {
    if (i < 0 || i >= Length()) return false;
    const auto at = static_cast<std::size_t>(i);
    return editTemplate[at] == u' ' && at < mask.size() && mask[at] != u'\0' && mask[at] != u' ';
  }
  std::int32_t Next(std::int32_t p) const {
    for (std::int32_t i = std::max(p + 1, 0); i < Length(); ++i) {
      if (IsEditPos(i)) return i;
    }
    return p;
  }
  std::int32_t Previous(std::int32_t p) const {
    for (std::int32_t i = std::min(p, Length()) - 1; i >= 0; --i) {
      if (IsEditPos(i)) return i;
    }
    return p;
  }
  std::int32_t FieldEnd(std::int32_t p) const {
    const auto size = static_cast<std::int32_t>(mask.size());
    std::int32_t end = p;
    while (end < size && mask[static_cast<std::size_t>(end - 1)] == mask[static_cast<std::size_t>(end)]) ++end;
    return end;
  }
  std::int32_t FieldStart(std::int32_t p) const {
    std::int32_t start = p;
    while (start > 1 && start <= static_cast<std::int32_t>(mask.size()) &&
           mask[static_cast<std::size_t>(start - 1)] == mask[static_cast<std::size_t>(start - 2)]) {
      --start;
    }
    return start;
  }
};

void ExpectSameAnswers(const Scan& scan) {
  const EditPositionTable table(scan.mask, scan.editTemplate);
  const std::int32_t length = scan.Length();
  EXPECT_EQ(table.First(), scan.Next(-1) == -1 ? length : scan.Next(-1));
  EXPECT_EQ(table.Last(), scan.Previous(length) == length ? -1 : scan.Previous(length));
  for (std::int32_t p = -2; p <= length + 2; ++p) {
    EXPECT_EQ(table.IsEditPos(p), scan.IsEditPos(p)) << p;
    EXPECT_EQ(table.Next(p), scan.Next(p)) << p;
    EXPECT_EQ(table.Previous(p), scan.Previous(p)) << p;
  }
  for (std::int32_t p = 1; p <= static_cast<std::int32_t>(scan.mask.size()) + 2; ++p) {
    EXPECT_EQ(table.FieldEnd(p), scan.FieldEnd(p)) << p;
    EXPECT_EQ(table.FieldStart(p), scan.FieldStart(p)) << p;
  }
}

TEST(EditPositionTable, APhoneMaskSkipsItsLiterals) {
  const EditPositionTable table(u"(999) 999-9999", u"(   )    -    ");
  EXPECT_EQ(table.First(), 1);
  EXPECT_EQ(table.Last(), 13);
  EXPECT_EQ(table.Next(3), 6);      // over ") "
  EXPECT_EQ(table.Previous(6), 3);  // back over them
  EXPECT_EQ(table.Next(13), 13);    // the last stays
  EXPECT_EQ(table.Previous(1), 1);  // and so does the first
  EXPECT_EQ(table.FieldEnd(2), 4);  // 1-based: the area code
  EXPECT_EQ(table.FieldEnd(5), 5);  // a literal is a field of its own
  EXPECT_EQ(table.FieldEnd(11), 14);
  EXPECT_EQ(table.FieldStart(14), 11);
}

TEST(EditPositionTable, WithoutEditPositionsFirstIsTheLengthAndLastIsMinusOne) {
  const EditPositionTable table(u"--/--", u"--/--");
  EXPECT_EQ(table.First(), 5);
  EXPECT_EQ(table.Last(), -1);
  EXPECT_EQ(table.Next(-1), -1);
  EXPECT_EQ(table.Previous(5), 5);
  const EditPositionTable empty;
  EXPECT_EQ(empty.First(), 0);
  EXPECT_EQ(empty.Last(), -1);
  EXPECT_FALSE(empty.IsEditPos(0));
}

TEST(EditPositionTable, AnswersAsAScanDoesForMasksAndTemplatesOfAnyShape) {
  ExpectSameAnswers({u"X X", u"   "});                      // a literal blank of a custom mask
  ExpectSameAnswers({u"XXX", u"      "});                   // a template longer than the mask
  ExpectSameAnswers({u"XXXXXX", u"  "});                    // and shorter
  ExpectSameAnswers({std::u16string(u"X\0X", 3), u"   "});  // a stored mask holding a NUL
  ExpectSameAnswers({u"", u""});
  std::mt19937 random(11);
  const std::u16string maskCharacters = u"XX99#- /";
  const std::u16string templateCharacters = u"   -/";
  for (int round = 0; round < 200; ++round) {
    Scan scan;
    const auto maskLength = random() % 24;
    const auto templateLength = round % 4 == 0 ? random() % 24 : maskLength;
    for (std::size_t i = 0; i < maskLength; ++i) scan.mask.push_back(maskCharacters[random() % maskCharacters.size()]);
    for (std::size_t i = 0; i < templateLength; ++i) {
      scan.editTemplate.push_back(templateCharacters[random() % templateCharacters.size()]);
    }
    ExpectSameAnswers(scan);
  }
}

}  // namespace
}  // namespace kestrow::engine
