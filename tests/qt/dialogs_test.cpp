// The widget's dialogs in Qt: the format page as a dialog of real combo boxes and line edits, the
// About box, and the message boxes a refusal shows. Each is answered by the test, never by a
// modal loop.
#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "qt_fixture.h"

namespace kestrow::qt::testing {
namespace {

using DataType = TextWidget::DataType;
using InputFormat = TextWidget::InputFormat;

class Dialogs : public QtTest {
 protected:
  // Opens the combo box's list and clicks the item, as a user picks one.
  static void Pick(QDialog& dialog, const char* name, const QString& item) {
    auto* combo = dialog.findChild<QComboBox*>(name);
    ASSERT_NE(combo, nullptr) << name;
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QRect place = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
    // The offscreen platform leaves the closed list the active window; a desktop gives it back.
    QApplication::setActiveWindow(&dialog);
    Settle();
    EXPECT_EQ(combo->currentText(), item);
  }
  // Clicks into the field, selects what it holds and types over it.
  static void TypeInto(QDialog& dialog, const char* name, const QString& text) {
    auto* field = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(field, nullptr) << name;
    ASSERT_TRUE(field->isEnabled()) << name;
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClicks(field, text);
  }
  static void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QPushButton* button = dialog.findChild<QDialogButtonBox*>()->button(which);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  TextWidget field;
};

TEST_F(Dialogs, TheFormatDialogSetsTheFieldThroughThePagesOwnHandlers) {
  field.show();
  on_dialog = [this](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Format");
    Pick(dialog, "cmbDataType", "1 - Numeric");
    Pick(dialog, "cmbInputFormat", ", - Amount in Thousands Format");
    TypeInto(dialog, "txtLength", "12");
    TypeInto(dialog, "txtDecPlaces", "2");
    Press(dialog, QDialogButtonBox::Apply);
    EXPECT_EQ(field.dataType(), DataType::Numeric) << "Apply sets the field and keeps the dialog open";
    EXPECT_EQ(field.length(), 12);
    Pick(dialog, "cmbDataType", "0 - AlphaNumeric");
    Pick(dialog, "cmbInputFormat", "(Custom Format)");
    TypeInto(dialog, "txtMask", "(999) 999-9999");
    Press(dialog, QDialogButtonBox::Ok);
    return dialog.result();
  };
  field.showFormatDialog();
  EXPECT_EQ(field.dataType(), DataType::AlphaNumeric);
  EXPECT_EQ(field.inputFormat(), InputFormat::CustomFormat);
  EXPECT_EQ(field.mask(), "(999) 999-9999");
  EXPECT_EQ(field.text(), "(   )    -    ");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Dialogs, CancelLeavesTheFieldAsItWas) {
  on_dialog = [](QDialog& dialog) {
    Pick(dialog, "cmbDataType", "2 - Date");
    Press(dialog, QDialogButtonBox::Cancel);
    return dialog.result();
  };
  field.showFormatDialog();
  EXPECT_EQ(field.dataType(), DataType::AlphaNumeric);
}

TEST_F(Dialogs, WhatThePageRefusesIsAnsweredAndNeverReachesTheField) {
  field.setDataType(DataType::Numeric);
  on_dialog = [](QDialog& dialog) {
    TypeInto(dialog, "txtLength", "20");
    TypeInto(dialog, "txtDecPlaces", "3");
    auto* decimals = dialog.findChild<QLineEdit*>("txtDecPlaces");
    // Each digit typed replaces the last, and the digits-only filter takes Ctrl+V's character:
    // Shift+Insert pastes two digits.
    QGuiApplication::clipboard()->setText("17");
    QTest::keyClick(decimals, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(decimals->text(), "3") << "the last accepted number";
    Press(dialog, QDialogButtonBox::Ok);
    return dialog.result();
  };
  field.showFormatDialog();
  EXPECT_EQ(messages, (std::vector<std::string>{"Only 16 Decimal Places Allowed\r\n\r\n(Only 16 Decimals Allowed)"}));
  EXPECT_EQ(field.length(), 20);
  EXPECT_EQ(field.decimalPlaces(), 3);
}

TEST_F(Dialogs, TheAboutBoxIsADialogThatItsOkCloses) {
  QString title;
  on_dialog = [&title](QDialog& dialog) -> int {
    title = dialog.windowTitle();
    QPushButton* ok = dialog.findChild<QPushButton*>("cmdOK");
    if (ok == nullptr) return QDialog::Rejected;
    QTest::mouseClick(ok, Qt::LeftButton);
    return dialog.result();
  };
  field.showAbout();
  EXPECT_TRUE(title.startsWith("About ")) << title.toStdString();
}

TEST_F(Dialogs, AssistiveToolsReadTheBoxsTextAndNeverAPassword) {
  field.show();
  field.setValue("Kestrow");
  QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(field.findChild<QLineEdit*>());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text(QAccessible::Value), field.findChild<QLineEdit*>()->text());
  EXPECT_TRUE(shown->text(QAccessible::Value).startsWith("Kestrow"));
  field.setDataType(DataType::Password);
  field.setValue("secret");
  EXPECT_FALSE(shown->text(QAccessible::Value).contains("secret"));
}

}  // namespace
}  // namespace kestrow::qt::testing
