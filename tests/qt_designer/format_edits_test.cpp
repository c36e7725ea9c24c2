// What the task menu writes back after the page Format edited a copy of a field: the format
// properties the copy holds differently, in the page's order, each compared with the field as the
// writes before it left it.
#include <utility>

#include "designer_fixture.h"
#include "format_edits.h"

namespace kestrow::qt::testing {
namespace {

using designer::ApplyChangedProperties;
using designer::CopySettings;

class DesignerFormatEdits : public QtTest {
 protected:
  DesignerFormatEdits() { CopySettings(target, edited); }

  // Writes as Designer's cursor does: to the target, at once. Each write must change something.
  void ApplyToTarget() {
    ApplyChangedProperties(edited, target, [this](const char* property, const QVariant& value) {
      EXPECT_NE(target.property(property), value) << property << " written again";
      written.emplace_back(property);
      target.setProperty(property, value);
    });
  }

  TextWidget target;
  TextWidget edited;
  std::vector<std::string> written;
};

TEST_F(DesignerFormatEdits, NothingChangedIsNothingWritten) {
  target.setDataType(TextWidget::Numeric);
  target.setLength(8);
  CopySettings(target, edited);
  ApplyToTarget();
  EXPECT_TRUE(written.empty());
}

TEST_F(DesignerFormatEdits, OnlyWhatDiffersIsWrittenWithTheEditedValue) {
  edited.setDisplayFormat(TextWidget::UpperCase);
  std::vector<std::pair<std::string, QVariant>> writes;
  ApplyChangedProperties(
      edited, target, [&writes](const char* property, const QVariant& value) { writes.emplace_back(property, value); });
  using Writes = std::vector<std::pair<std::string, QVariant>>;
  EXPECT_EQ(writes, (Writes{{"displayFormat", QVariant::fromValue(TextWidget::UpperCase)}}));
  EXPECT_EQ(target.displayFormat(), TextWidget::None) << "the writer, not the function, sets the field";
}

TEST_F(DesignerFormatEdits, ADataTypeGoesFirstAndWhatItBringsAlongIsNotWrittenAgain) {
  edited.setDataType(TextWidget::Numeric);
  edited.setInputFormat(TextWidget::ThousandsFormat);
  edited.setDisplayFormat(TextWidget::AccountsFormat1);
  edited.setLength(12);
  edited.setDecimalPlaces(2);
  ApplyToTarget();
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.front(), "dataType");
  for (const char* property :
       {"dataType", "inputFormat", "displayFormat", "length", "decimalPlaces", "padChar", "mask"}) {
    EXPECT_EQ(Setting(target, property), Setting(edited, property)) << property;
  }
  EXPECT_EQ(messages, std::vector<std::string>{});
}

// A custom mask measures the field's length; writing that length again would be refused.
TEST_F(DesignerFormatEdits, AMasksOwnLengthIsLeftToTheMask) {
  edited.setInputFormat(TextWidget::CustomFormat);
  edited.setMask("(999) 999-9999");
  ApplyToTarget();
  EXPECT_EQ(written, (std::vector<std::string>{"inputFormat", "mask"}));
  EXPECT_EQ(target.mask(), "(999) 999-9999");
  EXPECT_EQ(target.length(), edited.length());
  EXPECT_EQ(messages, std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrow::qt::testing
