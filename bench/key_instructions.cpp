// Types keys into one field for callgrind to count (bench/key_instructions.sh): only
// MeasuredTyping is counted (--toggle-collect), so emptying and focusing the field between the
// runs is not. Each run types KEYS keys into the empty field; with the record on, the records are
// taken and freed inside the count, as their cost belongs to the keys.
//
// Usage: kestrow-key-instructions text|upper|proper|custom|date|amount LENGTH KEYS on|off RUNS
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "bench_fields.h"

namespace kestrow::bench {
namespace {

[[gnu::noinline]] void MeasuredTyping(host::Form& form, std::u16string_view keys, bool recording) {
  form.Type(keys);
  if (recording) form.TakeRecords();
}

// The keys a field of this kind admits, cycled to `count`.
std::u16string Keys(std::string_view kind, std::size_t count) {
  const std::u16string_view cycle = kind == "date" || kind == "amount" ? u"0712202612" : u"kestrow-10";
  std::u16string keys;
  for (std::size_t i = 0; i < count; ++i) keys.push_back(cycle[i % cycle.size()]);
  return keys;
}

int Run(std::string_view kind, int length, std::size_t key_count, bool recording, int runs) {
  host::Form form;
  FieldKind fieldKind = FieldKind::Text;
  if (kind == "date") fieldKind = FieldKind::Date;
  if (kind == "amount") fieldKind = FieldKind::Amount;
  control::Text& field = AddField(form, fieldKind);
  form.AddPlainBox(u"other");
  form.SetRecording(recording);
  if (kind == "text" || kind == "upper" || kind == "proper") field.SetLength(static_cast<std::int16_t>(length));
  if (kind == "upper") field.SetDisplayFormat(control::DisplayFormat::UpperCase);
  if (kind == "proper") field.SetDisplayFormat(control::DisplayFormat::ProperCase);
  if (kind == "custom") {
    field.SetInputFormat(control::InputFormat::CustomFormat);
    field.SetMask(std::u16string(static_cast<std::size_t>(length), u'X'));
  }
  const std::u16string keys = Keys(kind, key_count);
  for (int run = 0; run < runs; ++run) {
    field.SetValue(EmptyValue(fieldKind));
    form.Focus(u"Field");
    form.TakeRecords();
    MeasuredTyping(form, keys, recording);
    form.Focus(u"other");
  }
  std::cout << host::ToUtf8(field.GetText()).substr(0, 40) << '\n';
  return 0;
}

}  // namespace
}  // namespace kestrow::bench

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: kestrow-key-instructions text|upper|proper|custom|date|amount LENGTH KEYS on|off RUNS\n";
    return 2;
  }
  return kestrow::bench::Run(argv[1], std::atoi(argv[2]), static_cast<std::size_t>(std::atoi(argv[3])),
                             std::string_view(argv[4]) == "on", std::atoi(argv[5]));
}
