// The fields the benchmarks type into, each on a headless form with the plain box `other`.
#pragma once

#include <string>

#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::bench {

enum class FieldKind { Date, Amount, Text };

inline control::Text& AddField(host::Form& form, FieldKind kind, std::u16string name = u"Field") {
  control::Text& text = control::AddText(form, std::move(name));
  switch (kind) {
    case FieldKind::Date:  // DD/MM/YYYY
      text.SetDataType(control::DataType::Date);
      break;
    case FieldKind::Amount:  // grouped, two decimals: 10 edit places
      text.SetDataType(control::DataType::Numeric);
      text.SetDecimalPlaces(2);
      text.SetInputFormat(control::InputFormat::ThousandsFormat);
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
