// The Designer plugin under test: its file, a form editor of Designer's own components that loads
// it, and a watch on the modal dialogs of the fields it makes. The plugin holds its own copy of the
// widget, so its fields are reached through Qt's properties and its dialogs through their windows:
// no answerer of the tests reaches them, and they run their own modal loops.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QMetaProperty>
#include <QPointer>
#include <QTimer>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>

#include <memory>

#include "qt/qt_fixture.h"

namespace kestrow::qt::testing {

inline QString PluginFolder() { return QFileInfo(QStringLiteral(KESTROW_DESIGNER_PLUGIN)).absolutePath(); }

// A property as text: an enumeration's key, anything else as QVariant converts it.
inline QString Setting(const QObject& object, const char* property) {
  const QMetaProperty meta = object.metaObject()->property(object.metaObject()->indexOfProperty(property));
  const QVariant value = meta.read(&object);
  if (meta.isEnumType()) return QString::fromLatin1(meta.enumerator().valueToKey(value.toInt()));
  return value.toString();
}

// While it lives, every modal dialog that opens is noted (a message box by its text, any other by
// its title) and handed to `answer` once it is active, or rejected when there is none.
class ModalWatch {
 public:
  using Answer = std::function<void(QDialog&)>;
  explicit ModalWatch(Answer answer = {}) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
    timer_.start(10);
  }

  const std::vector<QString>& Seen() const { return seen_; }

 private:
  void Check() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    // A person answers a dialog once it is the active window; before that, keys and clicks
    // give nobody the focus.
    if (dialog == nullptr || dialog == current_ || !dialog->isActiveWindow()) return;
    current_ = dialog;
    auto* box = qobject_cast<QMessageBox*>(dialog);
    seen_.push_back(box ? box->text() : dialog->windowTitle());
    if (answer_) {
      answer_(*dialog);
    } else {
      dialog->reject();
    }
  }

  Answer answer_;
  QTimer timer_;
  QPointer<QDialog> current_;
  std::vector<QString> seen_;
};

// One form editor for the suite, as Designer sets itself up, with the build's plugin: Designer
// looks in <library path>/designer, where the build keeps it.
inline QDesignerFormEditorInterface& FormEditor() {
  static QDesignerFormEditorInterface* core = [] {
    Application();
    QCoreApplication::addLibraryPath(QFileInfo(PluginFolder()).absolutePath());
    QDesignerFormEditorInterface* editor = QDesignerComponents::createFormEditor(nullptr);
    QDesignerComponents::initializeResources();
    QDesignerComponents::initializePlugins(editor);
    editor->setWidgetBox(QDesignerComponents::createWidgetBox(editor, nullptr));
    editor->setPropertyEditor(QDesignerComponents::createPropertyEditor(editor, nullptr));
    editor->setIntegration(new QDesignerIntegration(editor, nullptr));
    return editor;
  }();
  return *core;
}

// A form of Kestrow fields of the given names, as Designer writes one.
inline QString FormOf(const QStringList& fields) {
  QString widgets;
  for (const QString& field : fields) {
    widgets += QStringLiteral(R"(<widget class="kestrow::qt::TextWidget" name="%1"/>)").arg(field);
  }
  return QStringLiteral(R"(<ui version="4.0"><class>Form</class><widget class="QWidget" name="Form">%1</widget>
<customwidgets><customwidget><class>kestrow::qt::TextWidget</class><extends>QWidget</extends>
<header>kestrow/qt/text_widget.h</header></customwidget></customwidgets></ui>)")
      .arg(widgets);
}

class DesignerTest : public QtTest {
 protected:
  // A form window of the form editor holding `contents`; closed with the test.
  QDesignerFormWindowInterface& OpenForm(const QString& contents) {
    form_.reset(FormEditor().formWindowManager()->createFormWindow(nullptr));
    EXPECT_TRUE(form_->setContents(contents));
    return *form_;
  }
  QWidget* Field(const QString& name) const { return form_->mainContainer()->findChild<QWidget*>(name); }

 private:
  std::unique_ptr<QDesignerFormWindowInterface> form_;
};

}  // namespace kestrow::qt::testing
