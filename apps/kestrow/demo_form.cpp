#include "demo_form.h"

#include <cstdint>

#include "kestrow/control/text.h"

namespace kestrow::script {

namespace {

host::Variant Number(std::int16_t value) { return host::Variant::Integer(value); }
host::Variant Text(std::u16string_view value) { return host::Variant::String(std::u16string(value)); }

// Twips per character cell of the host's default font, and the height of one line.
constexpr std::int32_t kTwipsPerCharacter = 120;
constexpr std::int32_t kFieldHeight = 285;

}  // namespace

std::span<const DemoField> DemoFields() {
  // Data types: 0 text, 1 number, 2 date, 3 password, 4 yes/no. Input formats: 0 custom mask,
  // 8 thousands grouping, 11 British date, 13 password characters, 15 yes/no. Display formats:
  // 3 proper case, 5 negatives in brackets.
  static const DemoField fields[] = {
      {u"CustomerName",
       {{"DataType", Number(0)}, {"Length", Number(30)}, {"DisplayFormat", Number(3)}, {"PadChar", Text(u"_")}}},
      {u"Phone", {{"InputFormat", Number(0)}, {"Mask", Text(u"(999) 999-9999")}}},
      {u"Amount",
       {{"DataType", Number(1)},
        {"InputFormat", Number(8)},
        {"Length", Number(12)},
        {"DecimalPlaces", Number(2)},
        {"DisplayFormat", Number(5)}}},
      {u"BirthDate", {{"DataType", Number(2)}, {"InputFormat", Number(11)}}},
      {u"PIN", {{"DataType", Number(3)}, {"InputFormat", Number(13)}, {"Length", Number(4)}}},
      {u"Subscriber", {{"DataType", Number(4)}, {"InputFormat", Number(15)}}},
  };
  return fields;
}

void ApplySettings(const DemoField& field, control::Text& text) {
  for (const auto& [property, value] : field.settings) text.PutProperty(property, value);
}

std::vector<std::u16string> PlaceDemoForm(host::Form& form) {
  std::vector<std::u16string> names;
  for (const DemoField& field : DemoFields()) {
    control::Text& text = control::AddText(form, std::u16string(field.name));
    form.Handle([&] {
      ApplySettings(field, text);
      // Wide enough for the field's mask with a sign and brackets or " Cr." around it.
      const auto maskLength = static_cast<std::int32_t>(text.GetProperty("Mask").AsString().size());
      text.Resize((maskLength + 4) * kTwipsPerCharacter, kFieldHeight);
    });
    names.emplace_back(field.name);
  }
  return names;
}

}  // namespace kestrow::script
