// kestrow-qt-demo: the demo form in a Qt window.
#include <QApplication>

#include <iostream>

#include "demo_program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return kestrow::qt_demo::RunDemo(QApplication::arguments(), std::cout, std::cerr);
}
