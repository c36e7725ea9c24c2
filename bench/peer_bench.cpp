// The same keys typed into a Kestrow field on the headless form (record off) and into a Qt
// QLineEdit with an equivalent input mask (offscreen platform), in one run; prints the time per
// key of each and their ratio. Each key is a whole key: down, press (Qt: the key event) and up.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench_fields.h"

namespace kestrow::bench {
namespace {

// Fewer runs of the long fields, where Qt takes a third of a millisecond a key.
int RunsFor(std::size_t keys) { return keys > 10 ? 50 : 2000; }

struct PeerCase {
  const char* title;
  std::function<void(control::Text&)> kestrow_setup;
  QString qt_mask;
  std::u16string keys;
};

// Seconds per key, `reset` untimed before each run.
double PerKey(const std::function<void()>& reset, const std::function<void()>& type, std::size_t keys) {
  const int runs = RunsFor(keys);
  double seconds = 0;
  for (int run = 0; run < runs; ++run) {
    reset();
    const auto start = std::chrono::steady_clock::now();
    type();
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  return seconds / (static_cast<double>(runs) * static_cast<double>(keys));
}

double KestrowPerKey(const PeerCase& c) {
  host::Form form;
  control::Text& field = control::AddText(form, u"Field");
  field.SetAutoTab(false);
  c.kestrow_setup(field);
  form.AddPlainBox(u"other");
  form.SetRecording(false);
  return PerKey(
      [&] {
        form.Focus(u"other");
        field.SetValue(field.DataType() == control::DataType::Numeric ? host::Variant() : host::Variant::String(u""));
        form.Focus(u"Field");
      },
      [&] { form.Type(c.keys); }, c.keys.size());
}

double QtPerKey(const PeerCase& c) {
  QLineEdit edit;
  edit.setInputMask(c.qt_mask);
  edit.show();
  edit.setFocus();
  return PerKey(
      [&] {
        edit.clear();
        edit.setCursorPosition(0);
      },
      [&] {
        for (const char16_t key : c.keys) {
          const QString text{QChar(key)};
          QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
          QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
          QCoreApplication::sendEvent(&edit, &press);
          QCoreApplication::sendEvent(&edit, &release);
        }
      },
      c.keys.size());
}

std::u16string Cycled(std::u16string_view cycle, std::size_t count) {
  std::u16string keys;
  for (std::size_t i = 0; i < count; ++i) keys.push_back(cycle[i % cycle.size()]);
  return keys;
}

void CustomMask(control::Text& field, std::u16string_view mask) {
  field.SetInputFormat(control::InputFormat::CustomFormat);
  field.SetMask(mask);
}

int Run() {
  const PeerCase cases[] = {
      {"date DD/MM/YYYY", [](control::Text& e) { e.SetDataType(control::DataType::Date); }, "99/99/9999", u"07122026"},
      {"amount, 2 decimals",
       [](control::Text& e) {
         e.SetDataType(control::DataType::Numeric);
         e.SetDecimalPlaces(2);
         e.SetInputFormat(control::InputFormat::Digits);
       },
       "9999999.99", u"123456789"},
      {"phone (999) 999-9999", [](control::Text& e) { CustomMask(e, u"(999) 999-9999"); }, "(999) 999-9999",
       u"5551234567"},
      {"text, 10 places", [](control::Text&) {}, QString(10, QChar('x')), u"Kestrow-10"},
      {"1,000 places, 100 keys", [](control::Text& e) { CustomMask(e, std::u16string(1000, u'X')); },
       QString(1000, QChar('x')), Cycled(u"kestrow", 100)},
      {"4,000 places, 100 keys", [](control::Text& e) { CustomMask(e, std::u16string(4000, u'X')); },
       QString(4000, QChar('x')), Cycled(u"kestrow", 100)},
  };
  std::printf("%-24s %14s %14s %12s\n", "field", "Kestrow ns/key", "Qt ns/key", "Qt/Kestrow");
  for (const PeerCase& c : cases) {
    const double kestrow = KestrowPerKey(c);
    const double qt = QtPerKey(c);
    std::printf("%-24s %14.0f %14.0f %12.2f\n", c.title, kestrow * 1e9, qt * 1e9, qt / kestrow);
  }
  return 0;
}

}  // namespace
}  // namespace kestrow::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return kestrow::bench::Run();
}
