// Qt widgets under test: one QApplication on the offscreen platform for the whole suite, a window
// of fields, and an answerer that never runs a modal loop but notes what each dialog said.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/text.h"
#include "kestrow/qt/text_widget.h"

// Failures show Qt's strings and variants as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QVariant& value, std::ostream* out) {
  *out << value.typeName() << ' ' << value.toString().toStdString();
}

namespace kestrow::qt::testing {

inline QApplication& Application() {
  static int argc = 1;
  static char name[] = "kestrow-qt-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *application;
}

// What a form file keeps of a field's format is the same in both controls.
inline void ExpectSameSettings(control::Text& expected, control::Text& actual) {
  constexpr std::array<std::string_view, 9> kFormatProperties = {
      "DataType", "InputFormat", "DisplayFormat", "PadChar", "Mask", "AutoTab", "AutoSelect", "Length", "DecimalPlaces",
  };
  for (const std::string_view property : kFormatProperties) {
    EXPECT_EQ(actual.GetProperty(property), expected.GetProperty(property)) << property;
  }
}

class QtTest : public ::testing::Test {
 protected:
  QtTest() {
    Application();
    SetModalAnswerer([this](QDialog& dialog) { return Answer(dialog); });
  }
  ~QtTest() override { SetModalAnswerer({}); }

  // What the answerer does with each dialog: message boxes are answered OK (noted as their text),
  // other dialogs are shown and go to `on_dialog` when set.
  int Answer(QDialog& dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
      messages.push_back(box->text().toStdString());
      return QMessageBox::Ok;
    }
    if (!on_dialog) return QDialog::Rejected;
    // As its modal loop would: shown, and the active window.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    return on_dialog(dialog);
  }

  // Lets queued work (focus moves) run.
  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  std::vector<std::string> messages;
  std::function<int(QDialog&)> on_dialog;
};

}  // namespace kestrow::qt::testing
