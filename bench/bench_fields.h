// The fields the benchmarks type into, each on a headless form with the plain box `other`.
#pragma once

#include <string>

#include "kestrow/control/text.h"
#include "kestrow/host/headless_form.h"
#include "kestrow/host/runtime.h"
#include "kestrow/host/variant.h"

namespace kestrow::bench {

enum class FieldKind { Date, Amount, Text };

inline control::Text& AddField(host::HeadlessForm& form, FieldKind kind, std::u16string name = u"Field") {
  control::Text& text = control::AddText(form, std::move(name));
  engine::TextEngine& engine = text.Engine();
  switch (kind) {
    case FieldKind::Date:  // DD/MM/YYYY
      engine.SetDataType(engine::dtDate);
      break;
    case FieldKind::Amount:  // grouped, two decimals: 10 edit places
      engine.SetDataType(engine::dtNumeric);
      engine.SetDecimalPlaces(2);
      engine.SetInputFormat(engine::dtThousandsFormat);
      break;
    case FieldKind::Text:  // 10 characters
      break;
  }
  return text;
}

// What "empty" is for the field's data type.
inline host::Variant EmptyValue(FieldKind kind) {
  return kind == FieldKind::Amount ? host::Variant() : host::Variant::String(u"");
}

}  // namespace kestrow::bench
