// A user's Qt program against an installed Kestrow: a date field typed into through Qt's own key
// events; its value must be the typed day. Exits 0 when it is.
#include <kestrow/qt/text_widget.h>

#include <QApplication>
#include <QDate>
#include <QTest>

#include <iostream>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  kestrow::qt::TextWidget due;
  due.setDataType(kestrow::qt::TextWidget::DataType::Date);
  due.show();
  QApplication::setActiveWindow(&due);
  if (!QTest::qWaitForWindowActive(&due)) return 1;

  QTest::keyClicks(QApplication::focusWidget(), "25122026");
  if (due.value() != QVariant(QDate(2026, 12, 25))) {
    std::cerr << "the date field holds " << due.text().toStdString() << ", not 25/12/2026\n";
    return 1;
  }
  std::cout << "Kestrow on Qt: date field holds 25/12/2026\n";
  return 0;
}
