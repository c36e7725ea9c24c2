// A focus round trip on a grouped amount: arriving rebuilds it to the ungrouped edit form,
// leaving stores the value and shows it grouped again. Record off.
#include <benchmark/benchmark.h>

#include "bench_fields.h"

namespace kestrow::bench {
namespace {

void BM_FocusRoundTripAmount_NoRecord(benchmark::State& state) {
  host::Form form;
  control::Text& field = AddField(form, FieldKind::Amount);
  form.AddPlainBox(u"other");
  form.SetRecording(false);
  field.SetValue(host::Variant::Double(1234567.89));
  for (auto _ : state) {
    form.Focus(u"Field");
    form.Focus(u"other");
  }
  state.SetLabel(host::ToUtf8(field.GetText()));
}
BENCHMARK(BM_FocusRoundTripAmount_NoRecord);

}  // namespace
}  // namespace kestrow::bench
