// Writing and reading a form file of 1000 Text controls (a mix of text, amount and date fields
// with values) in a temporary folder. Record off.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

#include "bench_fields.h"
#include "kestrow/control/form_storage.h"

namespace kestrow::bench {
namespace {

constexpr int kControls = 1000;

class TempDir {
 public:
  TempDir() : path_(std::filesystem::temp_directory_path() / ("kestrow-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A form of kControls fields; returns their names.
std::vector<std::u16string> FillForm(host::HeadlessForm& form) {
  std::vector<std::u16string> names;
  for (int i = 0; i < kControls; ++i) {
    std::u16string name = u"Field" + host::FromUtf8(std::to_string(i));
    const auto kind = static_cast<FieldKind>(i % 3);
    control::Text& text = AddField(form, kind, name);
    switch (kind) {
      case FieldKind::Date: text.Engine().SetValue(host::Variant::String(u"07/12/2026")); break;
      case FieldKind::Amount: text.Engine().SetValue(host::Variant::Double(1234.5 + i)); break;
      case FieldKind::Text: text.Engine().SetValue(host::Variant::String(u"Row " + name)); break;
    }
    names.push_back(std::move(name));
  }
  form.AddPlainBox(u"other");
  return names;
}

void BM_SaveForm1000_NoRecord(benchmark::State& state) {
  TempDir dir;
  host::HeadlessForm form;
  form.SetRecording(false);
  const std::vector<std::u16string> names = FillForm(form);
  const std::filesystem::path path = dir.Path() / "form.json";
  for (auto _ : state) control::SaveForm(form, names, path);
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_LoadForm1000_NoRecord(benchmark::State& state) {
  TempDir dir;
  const std::filesystem::path path = dir.Path() / "form.json";
  {
    host::HeadlessForm source;
    source.SetRecording(false);
    control::SaveForm(source, FillForm(source), path);
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<host::HeadlessForm>();
    form->SetRecording(false);
    form->AddPlainBox(u"other");
    state.ResumeTiming();
    const std::vector<std::u16string> placed = control::LoadForm(*form, path, u"other");
    state.PauseTiming();
    if (placed.size() != kControls) state.SkipWithError("not every control was placed");
    form.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SaveForm1000_NoRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadForm1000_NoRecord)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrow::bench
