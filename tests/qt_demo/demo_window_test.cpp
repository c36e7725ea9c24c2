// The demo's window through Qt's own event path: the terminal demo's fields beside their names,
// typed into where the focus is, their Format... and About... from the keys and the context menu,
// and the values printed on quitting.
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>

#include <sstream>

#include "demo_fixture.h"
#include "demo_form.h"

namespace kestrow::qt_demo::testing {
namespace {

struct Entry {
  std::u16string_view field;
  QString keys;
  QString shown;  // once the focus has left
  QVariant value;
  bool home = false;  // a mask shows selected when entered: Home first, as a person does
};

// What a person types into each field, in tab order.
const Entry kEntries[] = {
    {u"CustomerName", "ada lovelace", "Ada Lovelace__________________", QString("Ada Lovelace")},
    {u"Phone", "5551234567", "(555) 123-4567", QString("5551234567"), true},
    {u"Amount", "-1234567.5", "(12,34,567.50)", -1234567.5, true},
    {u"BirthDate", "10121815", "10/12/1815", QDate(1815, 12, 10), true},
    {u"PIN", "4321", "****", QString("4321")},
    {u"Subscriber", "y", "Yes  ", 1},
};

class QtDemoWindow : public DemoTest {
 protected:
  // Types each entry, then leaves the field with Tab unless its AutoTab already has, noting what
  // it shows then.
  void TypeEntries() {
    FocusOn(Field(kEntries[0].field));
    for (const Entry& entry : kEntries) {
      qt::TextWidget& field = Field(entry.field);
      ASSERT_TRUE(field.isAncestorOf(QApplication::focusWidget())) << host::ToUtf8(entry.field);
      if (entry.home) Press(Qt::Key_Home);
      Type(entry.keys);
      if (field.isAncestorOf(QApplication::focusWidget())) Press(Qt::Key_Tab);
      shown_on_leaving.push_back(Shown(field));
    }
  }

  // Opens the field's context menu as a right click does; the menu shown.
  static QMenu* ContextMenu(qt::TextWidget& field) {
    auto* view = field.findChild<QLineEdit*>();
    QContextMenuEvent event(QContextMenuEvent::Mouse, view->rect().center(), view->mapToGlobal(view->rect().center()));
    QApplication::sendEvent(view, &event);
    for (QMenu* menu : view->findChildren<QMenu*>()) {
      if (menu->isVisible()) return menu;
    }
    return nullptr;
  }

  std::vector<QString> shown_on_leaving;
};

TEST_F(QtDemoWindow, TheTerminalDemosFieldsBesideTheirNamesInTabOrder) {
  host::Form form;
  const std::vector<std::u16string> names = script::PlaceDemoForm(form);
  ASSERT_EQ(window.Fields().size(), names.size());
  const auto* page = window.centralWidget()->findChild<QFormLayout*>();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const DemoWindow::Field& field = window.Fields()[i];
    EXPECT_EQ(field.name, names[i]);
    auto* label = qobject_cast<QLabel*>(page->labelForField(field.widget));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromStdU16String(names[i]) + ":");
    SCOPED_TRACE(host::ToUtf8(names[i]));
    ExpectSameSettings(static_cast<control::Text&>(*form.ControlNamed(names[i])), field.widget->control());
  }
  // After the settings: a focused number shows its edit mask.
  FocusOn(*window.Fields().front().widget);
  for (const std::u16string& name : names) {
    EXPECT_TRUE(Field(name).isAncestorOf(QApplication::focusWidget())) << "Tab reaches " << host::ToUtf8(name);
    Press(Qt::Key_Tab);
  }
  EXPECT_TRUE(Field(names.front()).isAncestorOf(QApplication::focusWidget())) << "and comes round again";
  EXPECT_TRUE(messages.empty());
}

// On quitting, the values are printed as the terminal demo prints them.
TEST_F(QtDemoWindow, TypedEntriesReadBackAsValuesShowTheirDisplayFormsAndPrintOnQuitting) {
  TypeEntries();
  ASSERT_EQ(shown_on_leaving.size(), std::size(kEntries));
  for (std::size_t i = 0; i < std::size(kEntries); ++i) {
    EXPECT_EQ(Field(kEntries[i].field).value(), kEntries[i].value) << host::ToUtf8(kEntries[i].field);
    EXPECT_EQ(shown_on_leaving[i], kEntries[i].shown);
  }
  EXPECT_FALSE(Shown(Field(u"PIN")).contains("4321")) << "a password never shows";
  EXPECT_TRUE(messages.empty());
  std::ostringstream out;
  window.WriteValues(out);
  EXPECT_EQ(out.str(),
            "{\"control\":\"CustomerName\",\"type\":\"String\",\"value\":\"Ada Lovelace\"}\n"
            "{\"control\":\"Phone\",\"type\":\"String\",\"value\":\"5551234567\"}\n"
            "{\"control\":\"Amount\",\"type\":\"Double\",\"value\":-1234567.5}\n"
            "{\"control\":\"BirthDate\",\"type\":\"Date\",\"value\":\"1815-12-10\"}\n"
            "{\"control\":\"PIN\",\"type\":\"String\",\"value\":\"4321\"}\n"
            "{\"control\":\"Subscriber\",\"type\":\"Integer\",\"value\":1}\n");
}

// Each dialog noted by its title and, for Format, the data type it opens with: whose it is.
TEST_F(QtDemoWindow, FormatAndAboutOfTheFocusedFieldFromItsKeysAndItsContextMenu) {
  std::vector<QString> opened;
  on_dialog = [&opened](QDialog& dialog) {
    const auto* dataType = dialog.findChild<QComboBox*>("cmbDataType");
    opened.push_back(dataType != nullptr ? dataType->currentText() : dialog.windowTitle().left(6));
    return int{QDialog::Rejected};
  };
  FocusOn(Field(u"Amount"));
  Press(Qt::Key_F2);
  FocusOn(Field(u"PIN"));
  Press(Qt::Key_F2);
  Press(Qt::Key_F1);
  EXPECT_EQ(Field(u"PIN").text().trimmed(), "") << "the keys never reach the field";

  FocusOn(Field(u"BirthDate"));
  QMenu* menu = ContextMenu(Field(u"BirthDate"));
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> items = menu->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items.front()->text(), "&Undo") << "the edit commands come first";
  EXPECT_TRUE(items[items.size() - 3]->isSeparator());
  QAction* format = items[items.size() - 2];  // the field's own, outliving the menu
  QAction* about = items.back();
  menu->close();
  format->trigger();
  about->trigger();
  EXPECT_EQ(opened, (std::vector<QString>{"1 - Numeric", "3 - Password", "About ", "2 - Date", "About "}));
}

}  // namespace
}  // namespace kestrow::qt_demo::testing
