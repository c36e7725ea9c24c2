// Writing and reading a form file of 1,000 and of 10,000 Text controls (a mix of text, amount and
// date fields with values) in a temporary folder, record off. The larger run's counter vs_1000 is
// its time over the smaller one's: 10 when the cost grows linearly.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "bench_fields.h"
#include "kestrow/control/form_storage.h"

namespace kestrow::bench {
namespace {

constexpr int kFewer = 1000;
constexpr int kMore = 10000;

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

// Times the part of each iteration given to Timed, and sets vs_1000 on the larger run from the
// smaller run of the same benchmark (`fewer_mean`, its own), which the registration order puts first.
class GrowthTimer {
 public:
  GrowthTimer(benchmark::State& state, double& fewer_mean) : state_(state), fewer_mean_(fewer_mean) {}
  ~GrowthTimer() {
    if (state_.iterations() == 0) return;
    const double mean = total_.count() / static_cast<double>(state_.iterations());
    if (state_.range(0) == kFewer) fewer_mean_ = mean;
    if (state_.range(0) == kMore && fewer_mean_ > 0) state_.counters["vs_1000"] = mean / fewer_mean_;
  }
  GrowthTimer(const GrowthTimer&) = delete;
  GrowthTimer& operator=(const GrowthTimer&) = delete;

  template <typename F>
  void Timed(F&& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    total_ += std::chrono::steady_clock::now() - start;
  }

 private:
  benchmark::State& state_;
  double& fewer_mean_;
  std::chrono::duration<double> total_{0};
};

// A form of `count` fields; returns their names.
std::vector<std::u16string> FillForm(host::Form& form, int count) {
  std::vector<std::u16string> names;
  for (int i = 0; i < count; ++i) {
    std::u16string name = u"Field" + host::FromUtf8(std::to_string(i));
    const auto kind = static_cast<FieldKind>(i % 3);
    control::Text& text = AddField(form, kind, name);
    switch (kind) {
      case FieldKind::Date: text.SetValue(host::Variant::String(u"07/12/2026")); break;
      case FieldKind::Amount: text.SetValue(host::Variant::Double(1234.5 + i)); break;
      case FieldKind::Text: text.SetValue(host::Variant::String(u"Row " + name)); break;
    }
    names.push_back(std::move(name));
  }
  form.AddPlainBox(u"other");
  return names;
}

void BM_SaveForm_NoRecord(benchmark::State& state) {
  TempDir dir;
  host::Form form;
  form.SetRecording(false);
  const std::vector<std::u16string> names = FillForm(form, static_cast<int>(state.range(0)));
  const std::filesystem::path path = dir.Path() / "form.json";
  static double fewerMean = 0;
  GrowthTimer timer(state, fewerMean);
  for (auto _ : state) timer.Timed([&] { control::SaveForm(form, names, path); });
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_LoadForm_NoRecord(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  TempDir dir;
  const std::filesystem::path path = dir.Path() / "form.json";
  {
    host::Form source;
    source.SetRecording(false);
    control::SaveForm(source, FillForm(source, static_cast<int>(count)), path);
  }
  static double fewerMean = 0;
  GrowthTimer timer(state, fewerMean);
  for (auto _ : state) {
    state.PauseTiming();
    auto form = std::make_unique<host::Form>();
    form->SetRecording(false);
    form->AddPlainBox(u"other");
    state.ResumeTiming();
    std::vector<std::u16string> placed;
    timer.Timed([&] { placed = control::LoadForm(*form, path, u"other"); });
    state.PauseTiming();
    if (placed.size() != count) state.SkipWithError("not every control was placed");
    form.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SaveForm_NoRecord)->Arg(kFewer)->Arg(kMore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadForm_NoRecord)->Arg(kFewer)->Arg(kMore)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrow::bench
