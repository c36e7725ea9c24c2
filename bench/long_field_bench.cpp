// Typing into fields of 10 to 32,767 places, plain (a length) or custom (a mask of as many X), with
// the record off and on; the cost of a key must not grow with the field. BM_TypeTenKeys types 10
// keys at the start of the empty field; BM_FillField types one key for each place, and its largest
// field's counter per_key_vs_10 is its time per key over the 10-place field's, from the same run.
// Only the typing is timed; the text typed is checked after each run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "bench_fields.h"

namespace kestrow::bench {
namespace {

constexpr std::int64_t kSmallest = 10;
constexpr std::int64_t kLargest = 32767;

control::Text& LongField(host::Form& form, std::int16_t places, bool custom) {
  control::Text& field = AddField(form, FieldKind::Text);
  field.SetAutoTab(false);  // a full field keeps the focus: the next run starts the same way
  if (custom) {
    field.SetInputFormat(control::InputFormat::CustomFormat);
    field.SetMask(std::u16string(static_cast<std::size_t>(places), u'X'));
  } else {
    field.SetLength(places);
  }
  return field;
}

std::u16string Keys(std::size_t count) {
  std::u16string keys;
  for (std::size_t i = 0; i < count; ++i) keys.push_back(static_cast<char16_t>(u'a' + i % 26));
  return keys;
}

// Returns the seconds per key of the state's runs.
double TypeKeys(benchmark::State& state, std::size_t key_count) {
  const auto places = static_cast<std::int16_t>(state.range(0));
  const bool custom = state.range(1) != 0;
  const bool recording = state.range(2) != 0;
  host::Form form;
  control::Text& field = LongField(form, places, custom);
  form.AddPlainBox(u"other");
  form.SetRecording(recording);
  const std::u16string keys = Keys(key_count);
  // What the field shows afterwards: the keys, then the blanks of a custom mask's empty places.
  const std::u16string expected =
      keys + (custom ? std::u16string(static_cast<std::size_t>(places) - key_count, u' ') : u"");
  double seconds = 0;
  for (auto _ : state) {
    field.SetValue(host::Variant::String(u""));
    form.Focus(u"Field");
    const auto start = std::chrono::steady_clock::now();
    form.Type(keys);
    const double run = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    seconds += run;
    state.SetIterationTime(run);
    if (field.GetText() != expected) state.SkipWithError("the field does not show the keys typed");
    form.Focus(u"other");
    if (recording) form.TakeRecords();
  }
  const double keysTyped = static_cast<double>(key_count) * static_cast<double>(state.iterations());
  state.SetItemsProcessed(static_cast<std::int64_t>(keysTyped));
  state.counters["ns_per_key"] = seconds * 1e9 / keysTyped;
  state.SetLabel(std::string(custom ? "custom" : "plain") + (recording ? ", recorded" : ""));
  return seconds / keysTyped;
}

void BM_TypeTenKeys(benchmark::State& state) { TypeKeys(state, 10); }

void BM_FillField(benchmark::State& state) {
  const double perKey = TypeKeys(state, static_cast<std::size_t>(state.range(0)));
  if (state.iterations() == 0) return;
  // One smallest run for each kind of field and record, registered before its largest.
  static double smallest[2][2] = {};
  double& base = smallest[state.range(1)][state.range(2)];
  if (state.range(0) == kSmallest) base = perKey;
  if (state.range(0) == kLargest && base > 0) state.counters["per_key_vs_10"] = perKey / base;
}

void Fields(benchmark::internal::Benchmark* benchmark) {
  for (const std::int64_t recording : {0, 1}) {
    for (const std::int64_t custom : {0, 1}) {
      for (const std::int64_t places :
           {kSmallest, std::int64_t{100}, std::int64_t{1000}, std::int64_t{4000}, kLargest}) {
        benchmark->Args({places, custom, recording});
      }
    }
  }
  benchmark->ArgNames({"places", "custom", "record"})->UseManualTime();
}

BENCHMARK(BM_TypeTenKeys)->Apply(Fields);
BENCHMARK(BM_FillField)->Apply(Fields);

}  // namespace
}  // namespace kestrow::bench
