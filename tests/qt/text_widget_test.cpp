// The widget through Qt's own event path: QTest's key, mouse and input-method events, Qt's focus
// chain and clipboard, the offscreen platform.
#include <QClipboard>
#include <QDate>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "qt/box_view.h"
#include "qt_fixture.h"

namespace kestrow::qt::testing {
namespace {

using DataType = TextWidget::DataType;
using InputFormat = TextWidget::InputFormat;
using DisplayFormat = TextWidget::DisplayFormat;

class Widget : public QtTest {
 protected:
  Widget() {
    auto* layout = new QVBoxLayout(&window);
    first = new TextWidget(&window);
    second = new TextWidget(&window);
    plain = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(plain);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  void FocusOn(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_TRUE(widget->hasFocus());
  }
  // What the field's line edit shows.
  static QString Shown(TextWidget* field) { return field->findChild<QLineEdit*>()->text(); }
  static QLineEdit* View(TextWidget* field) { return field->findChild<QLineEdit*>(); }
  // The first point of the view that places the caret before character `position`.
  static QPoint PointBefore(TextWidget* field, int position) {
    QLineEdit* view = View(field);
    const int middle = view->height() / 2;
    for (int x = 0; x < view->width(); ++x) {
      if (view->cursorPositionAt(QPoint(x, middle)) == position) return {x, middle};
    }
    ADD_FAILURE() << "no point before character " << position;
    return {};
  }
  // A click before character `start`, then Shift+Right `length` times.
  static void Select(TextWidget* field, int start, int length) {
    QLineEdit* view = View(field);
    QTest::mouseClick(view, Qt::LeftButton, {}, PointBefore(field, start));
    for (int i = 0; i < length; ++i) QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
  }
  // Picks an item of the field's context menu.
  static void Menu(TextWidget* field, const QString& item) {
    std::unique_ptr<QMenu> menu(static_cast<BoxView*>(View(field))->CreateEditMenu(nullptr));
    for (QAction* action : menu->actions()) {
      if (action->text() == item) return action->trigger();
    }
    ADD_FAILURE() << "no menu item " << item.toStdString();
  }

  QWidget window;
  TextWidget* first = nullptr;
  TextWidget* second = nullptr;
  QLineEdit* plain = nullptr;
};

TEST_F(Widget, ADateTypedInIsTheDayAndItsFocusMovesOnByItself) {
  first->setDataType(DataType::Date);
  first->setValue(QString());
  FocusOn(first);
  QTest::keyClicks(View(first), "25122026");
  Settle();
  EXPECT_TRUE(second->hasFocus() || View(second)->hasFocus()) << "AutoTab moved Qt's focus on";
  EXPECT_EQ(first->value(), QVariant(QDate(2026, 12, 25)));
  EXPECT_EQ(Shown(first), "25/12/2026");
}

TEST_F(Widget, TabIntoAPhoneMaskAndTypeTheNumber) {
  first->setMask(QString());  // refused while the format is not custom
  first->setInputFormat(InputFormat::CustomFormat);
  first->setMask("(999) 999-9999");
  FocusOn(plain);
  QTest::keyClick(plain, Qt::Key_Backtab, Qt::ShiftModifier);  // back through the chain
  QTest::keyClick(View(second), Qt::Key_Backtab, Qt::ShiftModifier);
  Settle();
  ASSERT_TRUE(View(first)->hasFocus());
  QTest::keyClicks(View(first), "5551234567");
  Settle();
  EXPECT_EQ(first->value(), QVariant(QString("5551234567")));
  EXPECT_EQ(messages, (std::vector<std::string>{"Property is Read Only"}));
}

TEST_F(Widget, AutoTabReachesAnOrdinaryQtWidget) {
  second->setInputFormat(InputFormat::CustomFormat);
  second->setMask("99");
  FocusOn(second);
  QTest::keyClicks(View(second), "42");
  Settle();
  EXPECT_TRUE(plain->hasFocus());
}

TEST_F(Widget, AnInvalidDateIsAnsweredAndTheFocusComesBack) {
  first->setDataType(DataType::Date);
  first->setAutoTab(false);
  FocusOn(first);
  QTest::keyClicks(View(first), "31022026");
  plain->setFocus(Qt::TabFocusReason);
  Settle();
  EXPECT_EQ(messages, (std::vector<std::string>{"Invalid Date"}));
  EXPECT_TRUE(View(first)->hasFocus());
}

TEST_F(Widget, TheDisplayFormShowsWhenTheFocusLeaves) {
  first->setDataType(DataType::Numeric);
  first->setLength(12);
  first->setDecimalPlaces(2);
  first->setInputFormat(InputFormat::ThousandsFormat);
  FocusOn(first);
  QTest::keyClicks(View(first), "1234567.5");
  FocusOn(plain);
  EXPECT_EQ(Shown(first), "12,34,567.50");
  first->setDisplayFormat(DisplayFormat::AccountsFormat2);
  first->setValue(-1234.5);
  EXPECT_EQ(Shown(first), "(1,234.50)");
  EXPECT_EQ(first->value(), QVariant(-1234.5));
}

TEST_F(Widget, PasteCutAndUndoThroughKeys) {
  first->setInputFormat(InputFormat::CustomFormat);
  first->setMask("(999) 999-9999");
  FocusOn(first);
  QGuiApplication::clipboard()->setText("(555) 123-4567");
  QTest::keyClick(View(first), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Shown(first), "(555) 123-4567");
  EXPECT_TRUE(View(first)->hasFocus()) << "a paste never moves the focus";
  Select(first, 1, 3);
  QTest::keyClick(View(first), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Shown(first), "(   ) 123-4567");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "555");
  QTest::keyClick(View(first), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(first), "(555) 123-4567");
  QTest::keyClick(View(first), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Shown(first), "(   )    -    ");
  QTest::keyClick(View(first), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Shown(first), "(555) 123-4567");
  // Shift+Insert pastes; what does not fit the mask is left out.
  QGuiApplication::clipboard()->setText("x9");
  Select(first, 1, 1);
  QTest::keyClick(View(first), Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Shown(first), "(955) 123-4567");
}

TEST_F(Widget, TheContextMenuGoesThroughTheControl) {
  first->setDataType(DataType::Date);
  first->setValue(QDate(2026, 12, 7));
  FocusOn(first);
  Select(first, 3, 4);  // "12/2"
  Menu(first, "Cu&t");
  EXPECT_EQ(Shown(first), "07/  /026 ") << "the cut keeps the separators in place";
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "12/2");
  Menu(first, "&Undo");
  EXPECT_EQ(Shown(first), "07/12/2026");
  Menu(first, "Select All");
  Menu(first, "&Copy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "07/12/2026");
  QGuiApplication::clipboard()->setText("2024-12-31");
  Menu(first, "&Paste");
  EXPECT_EQ(Shown(first), "31/12/2024");
  Menu(first, "&Redo");  // nothing was undone since the paste
  EXPECT_EQ(Shown(first), "31/12/2024");
}

TEST_F(Widget, AnInputMethodsCommitIsTypedThroughTheMask) {
  first->setDataType(DataType::Numeric);
  first->setInputFormat(InputFormat::Digits);
  FocusOn(first);
  QInputMethodEvent commit;
  commit.setCommitString("12a3");
  QApplication::sendEvent(View(first), &commit);
  EXPECT_EQ(Shown(first).trimmed(), "123");
}

TEST_F(Widget, ADropIsAPasteWhereItLands) {
  first->setInputFormat(InputFormat::CustomFormat);
  first->setMask("(999) 999-9999");
  FocusOn(first);
  QMimeData data;
  data.setText("555abc1234567");
  const QPointF at(PointBefore(first, 1));
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(View(first), &enter);
  ASSERT_TRUE(enter.isAccepted());
  // Offered as a move, taken as a copy: the source keeps its text whatever the mask takes.
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(View(first), &drop);
  EXPECT_EQ(Shown(first), "(555) 123-4567");
  EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
}

TEST_F(Widget, PropertiesReportTheirChangesAndARefusedOneKeepsItsValue) {
  QSignalSpy dataType(first, &TextWidget::dataTypeChanged);
  QSignalSpy length(first, &TextWidget::lengthChanged);
  first->setProperty("dataType", QVariant::fromValue(DataType::Numeric));
  EXPECT_EQ(first->property("dataType").value<DataType>(), DataType::Numeric);
  EXPECT_EQ(dataType.count(), 1);
  first->setLength(30);  // more than a number's 20 digits
  EXPECT_EQ(first->length(), 10);
  EXPECT_EQ(length.count(), 0);
  EXPECT_EQ(messages, (std::vector<std::string>{"Invalid Property Value\r\n\r\n(Only 20 Digits Allowed)"}));
  first->setValue(QVariant());  // Null: a number stores 0
  EXPECT_EQ(first->value(), QVariant(0));
  first->setDataType(DataType::Logical);
  first->setValue(true);
  EXPECT_EQ(first->value(), QVariant(1));
  EXPECT_EQ(first->text(), "Yes  ");
}

// What a form file replays: a setting the field's format fixes comes back as the field holds it.
TEST_F(Widget, ASettingTheFieldAlreadyHoldsIsNoChangeAndNoRefusal) {
  first->setInputFormat(InputFormat::CustomFormat);
  first->setMask("(999) 999-9999");
  QSignalSpy lengths(first, &TextWidget::lengthChanged);
  QSignalSpy masks(first, &TextWidget::maskChanged);
  const int length = first->length();
  first->setLength(length);
  first->setMask("(999) 999-9999");
  EXPECT_EQ(messages, std::vector<std::string>{});
  EXPECT_EQ(lengths.count() + masks.count(), 0);
  first->setLength(length + 2);
  EXPECT_EQ(messages, std::vector<std::string>{"Property is Read Only"}) << "a custom mask fixes the length";
  EXPECT_EQ(first->length(), length);
}

TEST_F(Widget, KeyEventsAreSignalsAndTheFilterChangesTheCode) {
  QSignalSpy presses(first, &TextWidget::keyPress);
  first->setKeyFilter([](const QString& event, int& code, int&) {
    if (event == "KeyPress" && code == 'a') code = 'b';
  });
  FocusOn(first);
  QTest::keyClicks(View(first), "ax");
  EXPECT_EQ(first->text(), "bx");
  ASSERT_EQ(presses.count(), 2);
  EXPECT_EQ(presses[0][0].toInt(), 'a');
}

TEST_F(Widget, TypedCharactersAreTheFieldsWhileChordsStillReachTheWindowsShortcuts) {
  int letterFired = 0;
  int chordFired = 0;
  QShortcut letter(QKeySequence(Qt::Key_A), &window);
  QShortcut shifted(QKeySequence(Qt::SHIFT | Qt::Key_B), &window);
  QShortcut chord(QKeySequence(Qt::CTRL | Qt::Key_J), &window);
  QObject::connect(&letter, &QShortcut::activated, [&] { ++letterFired; });
  QObject::connect(&shifted, &QShortcut::activated, [&] { ++letterFired; });
  QObject::connect(&chord, &QShortcut::activated, [&] { ++chordFired; });
  FocusOn(first);
  QTest::keyClick(View(first), Qt::Key_A, Qt::NoModifier);
  QTest::keyClick(View(first), 'B', Qt::ShiftModifier);
  QTest::keyClick(View(first), Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(first->text(), "aB");
  EXPECT_EQ(letterFired, 0);
  EXPECT_EQ(chordFired, 1);
}

}  // namespace
}  // namespace kestrow::qt::testing
