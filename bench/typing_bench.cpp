// Typing a whole value into an empty field through the form, one host event per key, timed per
// key. Only the typing is timed (manual time); emptying and focusing the field between values is
// not. The record is off ("NoRecord") as in a long-running application, except in the "Recorded"
// case, which shows the record's own cost.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench_fields.h"

namespace kestrow::bench {
namespace {

void TypeWholeValue(benchmark::State& state, FieldKind kind, std::u16string_view value, bool recording) {
  host::Form form;
  control::Text& field = AddField(form, kind);
  form.AddPlainBox(u"other");
  form.SetRecording(recording);

  double typedSeconds = 0;
  for (auto _ : state) {
    field.SetValue(EmptyValue(kind));
    form.Focus(u"Field");
    const auto start = std::chrono::steady_clock::now();
    form.Type(value);
    const auto stop = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(stop - start).count();
    typedSeconds += seconds;
    state.SetIterationTime(seconds);
    form.Focus(u"other");  // the last key normally tabbed on already
    if (recording) form.TakeRecords();
  }
  const double keys = static_cast<double>(value.size()) * static_cast<double>(state.iterations());
  state.SetItemsProcessed(static_cast<std::int64_t>(keys));
  state.counters["ns_per_key"] = benchmark::Counter(typedSeconds * 1e9 / keys);
  state.SetLabel(host::ToUtf8(field.GetText()));
}

void BM_TypeDate_NoRecord(benchmark::State& state) { TypeWholeValue(state, FieldKind::Date, u"07122026", false); }
void BM_TypeAmount_NoRecord(benchmark::State& state) { TypeWholeValue(state, FieldKind::Amount, u"1234567.89", false); }
void BM_TypeText10_NoRecord(benchmark::State& state) { TypeWholeValue(state, FieldKind::Text, u"Kestrow-10", false); }
void BM_TypeText10_Recorded(benchmark::State& state) { TypeWholeValue(state, FieldKind::Text, u"Kestrow-10", true); }

BENCHMARK(BM_TypeDate_NoRecord)->UseManualTime();
BENCHMARK(BM_TypeAmount_NoRecord)->UseManualTime();
BENCHMARK(BM_TypeText10_NoRecord)->UseManualTime();
BENCHMARK(BM_TypeText10_Recorded)->UseManualTime();

}  // namespace
}  // namespace kestrow::bench
