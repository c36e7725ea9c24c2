#include "demo_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>

#include <string_view>
#include <utility>

#include "demo_window.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/qt/text_widget.h"

namespace kestrow::qt_demo {

namespace {

constexpr std::string_view kProgram = "kestrow-qt-demo";

// A person's entries in the demo's fields, so that the picture shows each display form.
void FillSamples(DemoWindow& window) {
  const std::pair<std::u16string_view, QVariant> samples[] = {
      {u"CustomerName", QStringLiteral("ada lovelace")},
      {u"Phone", QStringLiteral("5551234567")},
      {u"Amount", -1234567.5},
      {u"BirthDate", QDate(1815, 12, 10)},
      {u"PIN", QStringLiteral("4321")},
      {u"Subscriber", true},
  };
  for (const DemoWindow::Field& field : window.Fields()) {
    for (const auto& [name, value] : samples) {
      if (field.name == name) field.widget->setValue(value);
    }
  }
}

// Laid out as shown, but never on the screen: no field has the focus, so each shows its display
// form.
bool SaveScreenshot(DemoWindow& window, const QString& path) {
  FillSamples(window);
  window.setAttribute(Qt::WA_DontShowOnScreen);
  window.show();
  return window.grab().save(path, "PNG");
}

}  // namespace

int RunDemo(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "The Kestrow demo form in a Qt window. Quitting prints every field's value as a JSON line.");
  const QCommandLineOption help({"h", "help"}, "Shows this help.");
  parser.addOption(help);
  const QCommandLineOption screenshot("screenshot", "Saves a picture of the window with sample entries, and exits.",
                                      "FILE.png");
  parser.addOption(screenshot);
  parser.addPositionalArgument("FORM.json", "A form file to open in place of the demo's fields.", "[FORM.json]");
  if (!parser.parse(arguments) || parser.positionalArguments().size() > 1) {
    const QString complaint = parser.errorText().isEmpty() ? "unexpected argument" : parser.errorText();
    err << kProgram << ": " << complaint.toStdString() << '\n' << parser.helpText().toStdString();
    return 2;
  }
  if (parser.isSet(help)) {
    out << parser.helpText().toStdString();
    return 0;
  }
  DemoWindow window;
  if (!parser.positionalArguments().isEmpty()) {
    try {
      window.Load(parser.positionalArguments().front().toStdU16String());
    } catch (const host::HostError& error) {
      err << kProgram << ": " << error.Description() << '\n';
      return 1;
    }
  }
  if (parser.isSet(screenshot)) {
    if (SaveScreenshot(window, parser.value(screenshot))) return 0;
    err << kProgram << ": cannot write " << parser.value(screenshot).toStdString() << '\n';
    return 1;
  }
  window.show();
  const int status = QApplication::exec();
  window.WriteValues(out);
  return status;
}

}  // namespace kestrow::qt_demo
