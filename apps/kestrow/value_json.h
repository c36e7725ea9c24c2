// Variants as the scenario output prints them.
#pragma once

#include <string>
#include <string_view>

#include "host/storage/json_writer.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::script {

enum class ValueStyle { Plain, Colour };

// Strings, numbers, booleans and null as themselves; dates as "YYYY-MM-DD" (with "THH:MM:SS" when
// there is a time of day); fonts and pictures as objects; no object as null. A colour is held in a
// Long and prints as its unsigned 32-bit value.
void WriteValue(json::JsonWriter& json, const host::Variant& value, ValueStyle style = ValueStyle::Plain);

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM:SS".
std::string DateText(host::Date date);

// A field's value as the live demos print it once the user quits, one JSON object (without its
// line end): {"control":NAME,"type":TYPE,"value":VALUE}.
std::string FieldValueLine(std::u16string_view control, const host::Variant& value);

}  // namespace kestrow::script
