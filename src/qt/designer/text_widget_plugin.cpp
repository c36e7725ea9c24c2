#include "text_widget_plugin.h"

#include <QIcon>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include "kestrow/qt/text_widget.h"
#include "task_menu.h"

namespace kestrow::qt::designer {

TextWidgetPlugin::TextWidgetPlugin(QObject* parent) : QObject(parent) {}

QString TextWidgetPlugin::name() const { return QString::fromLatin1(TextWidget::staticMetaObject.className()); }
QString TextWidgetPlugin::group() const { return QStringLiteral("Kestrow"); }
QString TextWidgetPlugin::toolTip() const { return QStringLiteral("Masked-entry text field"); }
QString TextWidgetPlugin::whatsThis() const {
  return QStringLiteral(
      "A text field that keeps what is typed within its format: alphanumeric, numeric, date, password or "
      "yes/no, with a custom mask or one of the ready input and display formats. Its task menu opens the "
      "Format page.");
}
QString TextWidgetPlugin::includeFile() const { return QStringLiteral("kestrow/qt/text_widget.h"); }
QIcon TextWidgetPlugin::icon() const { return {}; }
bool TextWidgetPlugin::isContainer() const { return false; }

// A field of a line edit's size. The mask and the padding character are format codes, never text to
// translate. A new field keeps the control's own settings: a mask written over them would be refused
// unless the input format is a custom one.
QString TextWidgetPlugin::domXml() const {
  return QStringLiteral(R"(<ui language="c++" displayname="Kestrow Text">
 <widget class="%1" name="textWidget">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>120</width><height>24</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>%1</class>
   <propertyspecifications>
    <stringpropertyspecification name="padChar" notr="true" type="singleline"/>
    <stringpropertyspecification name="mask" notr="true" type="singleline"/>
   </propertyspecifications>
  </customwidget>
 </customwidgets>
</ui>
)")
      .arg(name());
}

QWidget* TextWidgetPlugin::createWidget(QWidget* parent) { return new TextWidget(parent); }

bool TextWidgetPlugin::isInitialized() const { return initialized_; }

void TextWidgetPlugin::initialize(QDesignerFormEditorInterface* core) {
  if (initialized_) return;
  QExtensionManager* manager = core->extensionManager();
  manager->registerExtensions(new TextWidgetTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
  initialized_ = true;
}

}  // namespace kestrow::qt::designer
