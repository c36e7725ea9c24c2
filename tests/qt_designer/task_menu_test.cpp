// A field's task menu in Designer's form editor: the page Format works on a copy, and what it
// changed reaches the form as one command of the form's undo stack; the About box.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>

#include "designer_fixture.h"

namespace kestrow::qt::testing {
namespace {

class DesignerTaskMenu : public DesignerTest {
 protected:
  DesignerTaskMenu() : form(OpenForm(FormOf({"field"}))), field(Field("field")) {
    EXPECT_NE(field, nullptr);
    menu = qt_extension<QDesignerTaskMenuExtension*>(FormEditor().extensionManager(), field);
    EXPECT_NE(menu, nullptr);
  }

  // Opens the page from the menu, as a double click does, and lets `work` work it; returns the
  // dialogs that opened.
  std::vector<QString> EditFormat(const ModalWatch::Answer& work) {
    const ModalWatch watch(work);
    menu->preferredEditAction()->trigger();
    return watch.Seen();
  }

  static void TypeInto(QDialog& page, const char* name, const QString& text) {
    auto* box = page.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr) << name;
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(box, text);
  }
  static void Press(QDialog& page, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(page.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
  }

  QDesignerFormWindowInterface& form;
  QWidget* field;
  QDesignerTaskMenuExtension* menu = nullptr;
};

TEST_F(DesignerTaskMenu, OffersFormatForADoubleClickAndAbout) {
  ASSERT_NE(menu, nullptr);
  QStringList texts;
  for (const QAction* action : menu->taskActions()) texts.push_back(action->text());
  EXPECT_EQ(texts, (QStringList{"Format...", "About..."}));
  EXPECT_EQ(menu->preferredEditAction(), menu->taskActions().front());
}

TEST_F(DesignerTaskMenu, ThePagesChangesAreOneCommandThatUndoTakesBack) {
  ASSERT_NE(menu, nullptr);
  ASSERT_FALSE(form.isDirty());
  const auto shape = [this] { return Setting(*field, "dataType") + ' ' + Setting(*field, "length"); };
  const QString before = shape();
  const std::vector<QString> seen = EditFormat([](QDialog& page) {
    // The list's next item, by the keyboard: Numeric after AlphaNumeric.
    QTest::keyClick(page.findChild<QComboBox*>("cmbDataType"), Qt::Key_Down);
    TypeInto(page, "txtLength", "12");
    TypeInto(page, "txtDecPlaces", "2");
    Press(page, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(seen, std::vector<QString>{"Format"});
  const QString after = shape();
  EXPECT_EQ(after, "Numeric 12");
  EXPECT_EQ(Setting(*field, "decimalPlaces"), "2");
  EXPECT_TRUE(form.isDirty());
  EXPECT_TRUE(form.contents().contains(R"(<property name="decimalPlaces">)")) << "saved with the form";
  ASSERT_EQ(form.commandHistory()->count(), 1);
  form.commandHistory()->undo();
  EXPECT_EQ(shape(), before);
  form.commandHistory()->redo();
  EXPECT_EQ(shape(), after);
}

TEST_F(DesignerTaskMenu, CancelWritesNothing) {
  ASSERT_NE(menu, nullptr);
  const QString length = Setting(*field, "length");
  ASSERT_NE(length, "12");
  EditFormat([](QDialog& page) {
    TypeInto(page, "txtLength", "12");
    Press(page, QDialogButtonBox::Cancel);
  });
  EXPECT_EQ(Setting(*field, "length"), length);
  EXPECT_FALSE(form.isDirty());
  EXPECT_EQ(form.commandHistory()->count(), 0);
}

// As on a field itself: Apply writes, and a Cancel after it takes nothing back.
TEST_F(DesignerTaskMenu, WhatApplyWroteStaysAfterCancel) {
  ASSERT_NE(menu, nullptr);
  EditFormat([](QDialog& page) {
    TypeInto(page, "txtLength", "12");
    Press(page, QDialogButtonBox::Apply);
    Press(page, QDialogButtonBox::Cancel);
  });
  EXPECT_EQ(Setting(*field, "length"), "12");
  EXPECT_EQ(form.commandHistory()->count(), 1);
}

TEST_F(DesignerTaskMenu, AboutShowsTheAboutBox) {
  ASSERT_NE(menu, nullptr);
  const ModalWatch watch;
  menu->taskActions().back()->trigger();
  ASSERT_EQ(watch.Seen().size(), 1u);
  EXPECT_TRUE(watch.Seen().front().startsWith("About ")) << watch.Seen().front().toStdString();
  EXPECT_FALSE(form.isDirty());
}

}  // namespace
}  // namespace kestrow::qt::testing
