// The demo's window under test: shown and active on the offscreen platform, its fields by name,
// and keys typed where Qt's focus is, as a person types them.
#pragma once

#include <QLineEdit>

#include <string_view>

#include "demo_window.h"
#include "kestrow/host/values/runtime.h"
#include "qt/qt_fixture.h"

namespace kestrow::qt_demo::testing {

using qt::testing::ExpectSameSettings;

class DemoTest : public qt::testing::QtTest {
 protected:
  DemoTest() {
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  qt::TextWidget& Field(std::u16string_view name) {
    for (const DemoWindow::Field& field : window.Fields()) {
      if (field.name == name) return *field.widget;
    }
    ADD_FAILURE() << "no field " << host::ToUtf8(name);
    return *window.Fields().front().widget;
  }
  // What the field's line edit shows.
  static QString Shown(qt::TextWidget& field) { return field.findChild<QLineEdit*>()->text(); }

  void FocusOn(qt::TextWidget& field) {
    Activate();
    field.setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_TRUE(field.isAncestorOf(QApplication::focusWidget()));
  }
  // To the widget that has the focus, as the keyboard sends them.
  void Press(Qt::Key key) {
    Activate();
    QTest::keyClick(QApplication::focusWidget(), key);
    Settle();
  }
  void Type(const QString& keys) {
    Activate();
    QTest::keyClicks(QApplication::focusWidget(), keys);
    Settle();
  }
  // The window active again, as it is once a modal dialog has closed.
  void Activate() {
    QApplication::setActiveWindow(&window);
    Settle();
  }

  DemoWindow window;
};

}  // namespace kestrow::qt_demo::testing
