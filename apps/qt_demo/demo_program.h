// `kestrow-qt-demo [FORM.json]` and `kestrow-qt-demo --screenshot FILE.png [FORM.json]`, apart from
// the process: the QApplication is the caller's.
#pragma once

#include <QStringList>

#include <ostream>

namespace kestrow::qt_demo {

// `arguments` as QCoreApplication::arguments() gives them, the program's name first. Runs the
// window until the user quits, then prints every field's value as a JSON line on `out`. Returns
// the exit status: 0, 1 when the form file cannot be read or the screenshot cannot be written, 2
// for a command line that is not understood.
int RunDemo(const QStringList& arguments, std::ostream& out, std::ostream& err);

}  // namespace kestrow::qt_demo
