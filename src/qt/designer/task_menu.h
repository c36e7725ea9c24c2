// A field's task menu in Designer: "Format...", the page Format, whose changes reach the form as
// one undoable command through the form window's cursor (so Designer's property editor, undo stack
// and modified flag all see them), and "About...".
#pragma once

#include <QObject>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

namespace kestrow::qt {
class TextWidget;
}

namespace kestrow::qt::designer {

class TextWidgetTaskMenu final : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  TextWidgetTaskMenu(TextWidget& widget, QObject* parent);

  // A double click on the field opens the page.
  QAction* preferredEditAction() const override;
  QList<QAction*> taskActions() const override;

 private:
  void EditFormat();

  TextWidget& widget_;
  QAction* format_;
  QAction* about_;
};

class TextWidgetTaskMenuFactory final : public QExtensionFactory {
  Q_OBJECT

 public:
  explicit TextWidgetTaskMenuFactory(QExtensionManager* parent);

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace kestrow::qt::designer
