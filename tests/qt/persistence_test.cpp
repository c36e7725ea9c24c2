// A widget's settings and the terminal host's form files are one storage: what a TextWidget saves,
// `kestrow run` places with the same settings, and what the terminal host saves, a widget loads.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include "kestrow/control/form_storage.h"
#include "kestrow/host/storage/form_file.h"
#include "kestrow/host/values/variant.h"
#include "qt/qt_fixture.h"

namespace kestrow::qt::testing {
namespace {

class Persistence : public QtTest {
 protected:
  std::filesystem::path FormPath() const { return std::filesystem::path(folder.path().toStdString()) / "form.json"; }

  static control::Text& Placed(host::Form& form, std::u16string_view name) {
    return dynamic_cast<control::Text&>(*form.ControlNamed(name));
  }

  QTemporaryDir folder;
};

TEST_F(Persistence, AWidgetsSettingsArePlacedByTheTerminalHostAsTheyWere) {
  TextWidget amount;
  amount.setDataType(TextWidget::DataType::Numeric);
  amount.setInputFormat(TextWidget::InputFormat::ThousandsFormat);
  amount.setLength(12);
  amount.setDecimalPlaces(2);
  amount.setDisplayFormat(TextWidget::DisplayFormat::AccountsFormat2);
  amount.setPadChar("*");
  amount.setAutoTab(false);
  amount.setAutoSelect(false);
  ASSERT_TRUE(messages.empty());

  host::StoredControl stored{u"Amount", "Text", {}};
  amount.saveTo(stored.properties);
  host::WriteFormFile(FormPath(), {stored});

  host::Form form;
  ASSERT_EQ(control::LoadForm(form, FormPath()), std::vector<std::u16string>{u"Amount"});
  ExpectSameSettings(amount.control(), Placed(form, u"Amount"));
}

TEST_F(Persistence, TheTerminalHostsFormFileLoadsIntoAWidgetAndItsPropertiesSaySo) {
  host::Form form;
  control::Text& phone = control::AddText(form, u"Phone");
  form.Handle([&] {
    phone.PutProperty("InputFormat", host::Variant::Integer(0));
    phone.PutProperty("Mask", host::Variant::String(u"(999) 999-9999"));
    phone.PutProperty("DisplayFormat", host::Variant::Integer(1));
  });
  control::SaveForm(form, {u"Phone"}, FormPath());

  TextWidget widget;
  QSignalSpy maskChanges(&widget, &TextWidget::maskChanged);
  std::vector<host::StoredControl> stored = host::ReadFormFile(FormPath());
  ASSERT_EQ(stored.size(), 1u);
  widget.loadFrom(stored.front().properties);

  ExpectSameSettings(phone, widget.control());
  EXPECT_EQ(widget.mask(), "(999) 999-9999");
  EXPECT_EQ(widget.displayFormat(), TextWidget::DisplayFormat::UpperCase);
  EXPECT_EQ(widget.text(), "(   )    -    ") << "the box shows the loaded mask";
  EXPECT_EQ(maskChanges.count(), 1) << "a property browser hears of the load";
}

}  // namespace
}  // namespace kestrow::qt::testing
