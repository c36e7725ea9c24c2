// The plugin file as Designer loads it: a custom widget interface that names the widget's own class
// and header, makes the widget, and describes a new field Designer can take as it is.
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <map>

#include "designer_fixture.h"

namespace kestrow::qt::testing {
namespace {

class DesignerPlugin : public QtTest {
 protected:
  DesignerPlugin() {
    EXPECT_TRUE(loader.load()) << loader.errorString().toStdString();
    plugin = qobject_cast<QDesignerCustomWidgetInterface*>(loader.instance());
  }

  QPluginLoader loader{QStringLiteral(KESTROW_DESIGNER_PLUGIN)};
  QDesignerCustomWidgetInterface* plugin = nullptr;
};

TEST_F(DesignerPlugin, NamesTheWidgetsClassAndTheHeaderUicIncludes) {
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->name(), TextWidget::staticMetaObject.className());
  EXPECT_EQ(plugin->includeFile(), "kestrow/qt/text_widget.h");
  EXPECT_FALSE(plugin->isContainer());
  EXPECT_FALSE(plugin->group().isEmpty());
  EXPECT_FALSE(plugin->toolTip().isEmpty());
}

TEST_F(DesignerPlugin, MakesAFieldInItsParent) {
  ASSERT_NE(plugin, nullptr);
  QWidget parent;
  QWidget* field = plugin->createWidget(&parent);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->parent(), &parent);
  EXPECT_STREQ(field->metaObject()->className(), TextWidget::staticMetaObject.className());
  EXPECT_EQ(Setting(*field, "dataType"), "AlphaNumeric");
}

// What Designer reads from the description of a new field: its class, the properties it starts
// with, and which string properties are never offered for translation.
TEST_F(DesignerPlugin, DescribesANewFieldWithFormatCodesLeftUntranslated) {
  ASSERT_NE(plugin, nullptr);
  QXmlStreamReader xml(plugin->domXml());
  QString widgetClass;
  QStringList properties;
  std::map<QString, QString> notr;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == u"widget") widgetClass = attributes.value("class").toString();
    if (xml.name() == u"property") properties.push_back(attributes.value("name").toString());
    if (xml.name() == u"stringpropertyspecification") {
      notr[attributes.value("name").toString()] = attributes.value("notr").toString();
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(widgetClass, plugin->name());
  EXPECT_TRUE(properties.contains("geometry"));
  for (const QString& property : properties) {
    EXPECT_GE(TextWidget::staticMetaObject.indexOfProperty(property.toLatin1()), 0) << property.toStdString();
  }
  EXPECT_EQ(notr, (std::map<QString, QString>{{"mask", "true"}, {"padChar", "true"}}));
}

}  // namespace
}  // namespace kestrow::qt::testing
