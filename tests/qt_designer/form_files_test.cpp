// Forms of Kestrow fields as programs read them: customer.ui at run time through QUiLoader, which
// makes the fields with the plugin, and compiled by uic; and a form Designer wrote after every
// property was set, read back by QUiLoader and by Designer itself.
#include <QBuffer>
#include <QFile>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtUiTools/QUiLoader>

#include <array>
#include <map>

#include "designer_fixture.h"
#include "ui_customer.h"

namespace kestrow::qt::testing {
namespace {

struct Expected {
  const char* field;
  const char* property;
  const char* setting;
};

// What customer.ui sets.
constexpr std::array<Expected, 12> kCustomerForm{{
    {"amount", "dataType", "Numeric"},
    {"amount", "inputFormat", "ThousandsFormat"},
    {"amount", "displayFormat", "AccountsFormat1"},
    {"amount", "length", "12"},
    {"amount", "decimalPlaces", "2"},
    {"phone", "inputFormat", "CustomFormat"},
    {"phone", "padChar", "_"},
    {"phone", "mask", "(999) 999-9999"},
    {"since", "dataType", "Date"},
    {"since", "inputFormat", "AmericanDate"},
    {"since", "displayFormat", "DashSeparator"},
    {"since", "autoTab", "true"},
}};

void ExpectCustomerForm(const QWidget& form) {
  for (const auto& [field, property, setting] : kCustomerForm) {
    const auto* widget = form.findChild<QWidget*>(field);
    ASSERT_NE(widget, nullptr) << field;
    EXPECT_EQ(Setting(*widget, property), setting) << field << '.' << property;
  }
}

// Everything a form file can set on a field: the widget's own writable properties.
std::vector<const char*> FormProperties() {
  std::vector<const char*> properties;
  const QMetaObject& meta = TextWidget::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    if (meta.property(i).isWritable()) properties.push_back(meta.property(i).name());
  }
  return properties;
}

// "field.property" to its setting, for every field of `fields` in `form`.
using Settings = std::map<std::string, QString>;
Settings SettingsOf(const QWidget& form, const QStringList& fields) {
  Settings settings;
  for (const QString& field : fields) {
    const auto* widget = form.findChild<QWidget*>(field);
    if (widget == nullptr) continue;
    for (const char* property : FormProperties())
      settings[field.toStdString() + '.' + property] = Setting(*widget, property);
  }
  return settings;
}

class DesignerFormFiles : public DesignerTest {
 protected:
  // Through QUiLoader, as a program that ships the plugin; a refusal would show a message box.
  std::unique_ptr<QWidget> Load(QIODevice& file) {
    QUiLoader loader;
    loader.addPluginPath(PluginFolder());
    EXPECT_TRUE(loader.availableWidgets().contains(TextWidget::staticMetaObject.className()));
    const ModalWatch watch;
    std::unique_ptr<QWidget> form(loader.load(&file));
    EXPECT_NE(form, nullptr) << loader.errorString().toStdString();
    EXPECT_EQ(watch.Seen(), std::vector<QString>{}) << "refusals while loading";
    return form;
  }
};

TEST_F(DesignerFormFiles, QUiLoaderMakesTheFieldsWithThePlugin) {
  QFile file(QStringLiteral(KESTROW_CUSTOMER_FORM));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const std::unique_ptr<QWidget> form = Load(file);
  ASSERT_NE(form, nullptr);
  ExpectCustomerForm(*form);
}

TEST_F(DesignerFormFiles, UicsCodeSetsTheFields) {
  QWidget form;
  Ui::CustomerForm ui;
  ui.setupUi(&form);
  ExpectCustomerForm(form);
  EXPECT_EQ(ui.amount->displayFormat(), TextWidget::AccountsFormat1);
  EXPECT_EQ(messages, std::vector<std::string>{});
}

// Set as Designer's property editor sets them, so that the form's file holds them.
TEST_F(DesignerFormFiles, WhatDesignerWritesIsReadBackWithEveryProperty) {
  const QStringList fields{"number", "code"};
  QDesignerFormWindowInterface& form = OpenForm(FormOf(fields));
  QWidget* number = Field("number");
  QWidget* code = Field("code");
  ASSERT_TRUE(number && code);
  const std::vector<std::tuple<QWidget*, const char*, QVariant>> design{
      {number, "dataType", QVariant::fromValue(TextWidget::Numeric)},
      {number, "inputFormat", QVariant::fromValue(TextWidget::ThousandsFormat)},
      {number, "displayFormat", QVariant::fromValue(TextWidget::AccountsFormat2)},
      {number, "padChar", "0"},
      {number, "autoTab", !number->property("autoTab").toBool()},
      {number, "autoSelect", !number->property("autoSelect").toBool()},
      {number, "length", 14},
      {number, "decimalPlaces", 3},
      {number, "value", 1234.5},
      {code, "inputFormat", QVariant::fromValue(TextWidget::CustomFormat)},
      {code, "displayFormat", QVariant::fromValue(TextWidget::UpperCase)},
      {code, "mask", "AA-9999"},
  };
  for (const auto& [field, property, value] : design) {
    form.cursor()->setWidgetProperty(field, QString::fromLatin1(property), value);
  }
  const Settings designed = SettingsOf(*form.mainContainer(), fields);
  const TextWidget fresh;
  for (const char* property : FormProperties()) {
    const bool set =
        Setting(*number, property) != Setting(fresh, property) || Setting(*code, property) != Setting(fresh, property);
    EXPECT_TRUE(set) << property << " is left at its default";
  }
  EXPECT_EQ(messages, std::vector<std::string>{});

  QByteArray contents = form.contents().toUtf8();
  QBuffer file(&contents);
  const std::unique_ptr<QWidget> loaded = Load(file);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(SettingsOf(*loaded, fields), designed);
  QDesignerFormWindowInterface& reopened = OpenForm(QString::fromUtf8(contents));
  EXPECT_EQ(SettingsOf(*reopened.mainContainer(), fields), designed);
}

}  // namespace
}  // namespace kestrow::qt::testing
