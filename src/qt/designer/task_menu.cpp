#include "task_menu.h"

#include <QAction>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

#include <utility>

#include "format_edits.h"
#include "kestrow/qt/text_widget.h"

namespace kestrow::qt::designer {

TextWidgetTaskMenu::TextWidgetTaskMenu(TextWidget& widget, QObject* parent)
    : QObject(parent),
      widget_(widget),
      format_(new QAction(tr("Format..."), this)),
      about_(new QAction(tr("About..."), this)) {
  connect(format_, &QAction::triggered, this, &TextWidgetTaskMenu::EditFormat);
  connect(about_, &QAction::triggered, &widget_, &TextWidget::showAbout);
}

QAction* TextWidgetTaskMenu::preferredEditAction() const { return format_; }
QList<QAction*> TextWidgetTaskMenu::taskActions() const { return {format_, about_}; }

// The page edits a copy, so that nothing reaches the form behind Designer's back; what it changed
// (by OK, or by Apply before a Cancel) is then written through the cursor as one command.
void TextWidgetTaskMenu::EditFormat() {
  QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(&widget_);
  if (form == nullptr) return;
  TextWidget edited;
  CopySettings(widget_, edited);
  // The page centres on its parent's window: the form's, rather than a corner of the screen.
  edited.setGeometry(widget_.window()->geometry());
  edited.showFormatDialog();
  bool commandOpen = false;
  ApplyChangedProperties(edited, widget_, [&](const char* property, const QVariant& value) {
    if (!std::exchange(commandOpen, true)) form->beginCommand(tr("Format %1").arg(widget_.objectName()));
    form->cursor()->setWidgetProperty(&widget_, QString::fromLatin1(property), value);
  });
  if (commandOpen) form->endCommand();
}

TextWidgetTaskMenuFactory::TextWidgetTaskMenuFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

QObject* TextWidgetTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const {
  auto* widget = qobject_cast<TextWidget*>(object);
  if (widget == nullptr || iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
  return new TextWidgetTaskMenu(*widget, parent);
}

}  // namespace kestrow::qt::designer
