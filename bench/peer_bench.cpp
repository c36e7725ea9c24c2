// The same keys typed into a Kestrow field on the headless form (record off), into a Kestrow
// TextWidget and into a Qt QLineEdit with an equivalent input mask, the last two through Qt's own
// event path (QTest::keyClick: press and release through QApplication::notify) on the offscreen
// platform, in one run; prints the time per key of each and the ratio of the two Qt widgets.
//
// Usage: kestrow-bench-peers
//        kestrow-bench-peers --instructions CASE kestrow|widget|lineedit RUNS
// The second form types CASE's keys RUNS times for callgrind to count (bench/peer_instructions.sh):
// only MeasuredTyping is counted, so emptying and focusing the field between runs is not.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "bench_fields.h"
#include "kestrow/qt/text_widget.h"

namespace kestrow::bench {
namespace {

struct PeerCase {
  const char* name;  // for --instructions
  const char* title;
  std::function<void(control::Text&)> kestrow_setup;
  QString qt_mask;
  std::u16string keys;
};

// One field the keys go into, emptied and focused before each run.
class PeerField {
 public:
  virtual ~PeerField() = default;
  virtual void Reset() = 0;
  virtual void Type(std::u16string_view keys) = 0;
};

class HeadlessField final : public PeerField {
 public:
  explicit HeadlessField(const PeerCase& c) : field_(control::AddText(form_, u"Field")) {
    field_.SetAutoTab(false);
    c.kestrow_setup(field_);
    form_.AddPlainBox(u"other");
    form_.SetRecording(false);
  }
  void Reset() override {
    form_.Focus(u"other");
    field_.SetValue(field_.DataType() == control::DataType::Numeric ? host::Variant() : host::Variant::String(u""));
    form_.Focus(u"Field");
  }
  void Type(std::u16string_view keys) override { form_.Type(keys); }

 private:
  host::Form form_;
  control::Text& field_;
};

// A window holding the field and a plain line edit that takes the focus between runs; the keys go
// to whichever widget has Qt's focus, as a user's would.
class QtField : public PeerField {
 public:
  void Reset() override {
    other_->setFocus();
    Empty();
    field_->setFocus();
    receiver_ = QApplication::focusWidget();
  }
  void Type(std::u16string_view keys) override {
    for (const char16_t key : keys) QTest::keyClick(receiver_, static_cast<char>(key));
  }

 protected:
  explicit QtField(QWidget* field) : field_(field), other_(new QLineEdit(&window_)) {
    auto* layout = new QVBoxLayout(&window_);
    field_->setParent(&window_);
    layout->addWidget(field_);
    layout->addWidget(other_);
    window_.show();
    QApplication::setActiveWindow(&window_);
    if (!QTest::qWaitForWindowActive(&window_)) std::abort();
  }
  virtual void Empty() = 0;

 private:
  QWidget window_;
  QWidget* field_;
  QLineEdit* other_;
  QWidget* receiver_ = nullptr;
};

class WidgetField final : public QtField {
 public:
  explicit WidgetField(const PeerCase& c) : WidgetField(new qt::TextWidget) { c.kestrow_setup(widget_->control()); }

 private:
  explicit WidgetField(qt::TextWidget* widget) : QtField(widget), widget_(widget) { widget_->setAutoTab(false); }
  void Empty() override {
    widget_->setValue(widget_->dataType() == qt::TextWidget::DataType::Numeric ? QVariant() : QVariant(QString()));
  }

  qt::TextWidget* widget_;
};

class LineEditField final : public QtField {
 public:
  explicit LineEditField(const PeerCase& c) : LineEditField(new QLineEdit) { edit_->setInputMask(c.qt_mask); }

 private:
  explicit LineEditField(QLineEdit* edit) : QtField(edit), edit_(edit) {}
  void Empty() override {
    edit_->clear();
    edit_->setCursorPosition(0);
  }

  QLineEdit* edit_;
};

std::unique_ptr<PeerField> MakeField(std::string_view target, const PeerCase& c) {
  if (target == "kestrow") return std::make_unique<HeadlessField>(c);
  if (target == "widget") return std::make_unique<WidgetField>(c);
  if (target == "lineedit") return std::make_unique<LineEditField>(c);
  return nullptr;
}

[[gnu::noinline]] void MeasuredTyping(PeerField& field, std::u16string_view keys) { field.Type(keys); }

// Fewer runs of the long fields, where a masked QLineEdit takes a third of a millisecond a key.
int RunsFor(std::size_t keys) { return keys > 10 ? 50 : 2000; }

// Seconds per key.
double PerKey(PeerField& field, std::u16string_view keys) {
  const int runs = RunsFor(keys.size());
  double seconds = 0;
  for (int run = 0; run < runs; ++run) {
    field.Reset();
    const auto start = std::chrono::steady_clock::now();
    field.Type(keys);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  return seconds / (static_cast<double>(runs) * static_cast<double>(keys.size()));
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

const std::vector<PeerCase>& Cases() {
  static const std::vector<PeerCase> cases = {
      {"date", "date DD/MM/YYYY", [](control::Text& e) { e.SetDataType(control::DataType::Date); }, "99/99/9999",
       u"07122026"},
      {"amount", "amount, 2 decimals",
       [](control::Text& e) {
         e.SetDataType(control::DataType::Numeric);
         e.SetDecimalPlaces(2);
         e.SetInputFormat(control::InputFormat::Digits);
       },
       "9999999.99", u"123456789"},
      {"phone", "phone (999) 999-9999", [](control::Text& e) { CustomMask(e, u"(999) 999-9999"); }, "(999) 999-9999",
       u"5551234567"},
      {"text", "text, 10 places", [](control::Text&) {}, QString(10, QChar('x')), u"Kestrow-10"},
      {"mask1000", "1,000 places, 100 keys", [](control::Text& e) { CustomMask(e, std::u16string(1000, u'X')); },
       QString(1000, QChar('x')), Cycled(u"kestrow", 100)},
      {"mask4000", "4,000 places, 100 keys", [](control::Text& e) { CustomMask(e, std::u16string(4000, u'X')); },
       QString(4000, QChar('x')), Cycled(u"kestrow", 100)},
  };
  return cases;
}

int Compare() {
  std::printf("%-24s %12s %12s %12s %12s\n", "field", "headless ns", "widget ns", "QLineEdit ns", "QLineEdit/widget");
  for (const PeerCase& c : Cases()) {
    double secondsPerKey[3];
    const char* targets[] = {"kestrow", "widget", "lineedit"};
    for (int i = 0; i < 3; ++i) secondsPerKey[i] = PerKey(*MakeField(targets[i], c), c.keys);
    std::printf("%-24s %12.0f %12.0f %12.0f %12.2f\n", c.title, secondsPerKey[0] * 1e9, secondsPerKey[1] * 1e9,
                secondsPerKey[2] * 1e9, secondsPerKey[2] / secondsPerKey[1]);
  }
  return 0;
}

int CountInstructions(std::string_view name, std::string_view target, int runs) {
  for (const PeerCase& c : Cases()) {
    if (c.name != name) continue;
    const std::unique_ptr<PeerField> field = MakeField(target, c);
    if (!field) break;
    for (int run = 0; run < runs; ++run) {
      field->Reset();
      MeasuredTyping(*field, c.keys);
    }
    std::printf("%zu\n", c.keys.size() * static_cast<std::size_t>(runs));
    return 0;
  }
  std::fprintf(stderr, "kestrow-bench-peers: no case %.*s for %.*s\n", static_cast<int>(name.size()), name.data(),
               static_cast<int>(target.size()), target.data());
  return 2;
}

}  // namespace
}  // namespace kestrow::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc == 5 && std::string_view(argv[1]) == "--instructions") {
    return kestrow::bench::CountInstructions(argv[2], argv[3], std::atoi(argv[4]));
  }
  if (argc != 1) {
    std::fprintf(stderr, "usage: kestrow-bench-peers [--instructions CASE kestrow|widget|lineedit RUNS]\n");
    return 2;
  }
  return kestrow::bench::Compare();
}
