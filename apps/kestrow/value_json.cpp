#include "value_json.h"

#include <cstdint>
#include <cstdio>

#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::script {

namespace {

void WriteObject(json::JsonWriter& json, const host::HostObject* object) {
  if (const auto* font = dynamic_cast<const host::Font*>(object)) {
    json.BeginObject()
        .Key("name")
        .String(font->name)
        .Key("size")
        .Single(font->size)
        .Key("bold")
        .Boolean(font->bold)
        .Key("italic")
        .Boolean(font->italic)
        .Key("underline")
        .Boolean(font->underline)
        .Key("strikethrough")
        .Boolean(font->strikethrough)
        .EndObject();
  } else if (const auto* picture = dynamic_cast<const host::Picture*>(object)) {
    json.BeginObject().Key("width").Integer(picture->width).Key("height").Integer(picture->height).EndObject();
  } else {
    json.Null();
  }
}

}  // namespace

std::string DateText(host::Date date) {
  const host::CivilDate civil = host::CivilOf(date);
  const int seconds = host::SecondsOfDay(date);
  char buffer[40];
  int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", civil.year, civil.month, civil.day);
  if (seconds != 0) {
    length += std::snprintf(buffer + length, sizeof buffer - static_cast<std::size_t>(length), "T%02d:%02d:%02d",
                            seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

void WriteValue(json::JsonWriter& json, const host::Variant& value, ValueStyle style) {
  using host::VarType;
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null: json.Null(); break;
    case VarType::Integer: json.Integer(value.AsInteger()); break;
    case VarType::Long:
      if (style == ValueStyle::Colour) {
        json.Unsigned(static_cast<std::uint32_t>(value.AsLong()));
      } else {
        json.Integer(value.AsLong());
      }
      break;
    case VarType::Single: json.Single(value.AsSingle()); break;
    case VarType::Double: json.Double(value.AsDouble()); break;
    case VarType::Date: json.String(DateText(value.AsDate())); break;
    case VarType::String: json.String(value.AsString()); break;
    case VarType::Boolean: json.Boolean(value.AsBoolean()); break;
    case VarType::Object: WriteObject(json, value.AsObject().get()); break;
  }
}

std::string FieldValueLine(std::u16string_view control, const host::Variant& value) {
  json::JsonWriter json;
  json.BeginObject().Key("control").String(control).Key("type").String(host::TypeName(value)).Key("value");
  WriteValue(json, value);
  json.EndObject();
  return json.Take();
}

}  // namespace kestrow::script
