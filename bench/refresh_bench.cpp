// Refreshing the display of a long alphanumeric value. The cost must grow with the length, not
// with its square: 32767 against 1024 characters should cost about 32 times as much. Record off.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_fields.h"
#include "control/text_internals.h"

namespace kestrow::bench {
namespace {

void BM_RefreshAlphaNumeric_NoRecord(benchmark::State& state) {
  const auto length = static_cast<std::int16_t>(state.range(0));
  host::Form form;
  control::Text& field = AddField(form, FieldKind::Text);
  form.SetRecording(false);
  field.SetLength(length);
  std::u16string value(static_cast<std::size_t>(length), u'x');
  for (std::size_t i = 0; i < value.size(); ++i) value[i] = static_cast<char16_t>(u'a' + i % 26);
  field.SetValue(host::Variant::String(std::move(value)));
  engine::TextEngine& engine = control::EngineOf(field);
  const host::EditBox& box = form.Box(u"Field");
  for (auto _ : state) {
    engine.RefreshDisplay();
    benchmark::DoNotOptimize(box.Text().data());
  }
  if (box.Text().size() != static_cast<std::size_t>(length)) state.SkipWithError("the display lost characters");
  state.SetComplexityN(length);
}
BENCHMARK(BM_RefreshAlphaNumeric_NoRecord)->Arg(1024)->Arg(4096)->Arg(16384)->Arg(32767)->Complexity(benchmark::oN);

}  // namespace
}  // namespace kestrow::bench
