#include "record_json.h"

#include <string_view>

#include "host/storage/json_writer.h"
#include "value_json.h"

namespace kestrow::script {

namespace {

using Kind = host::HostRecord::Kind;

const std::u16string* CaptionOf(const host::HostRecord& record, std::string_view control) {
  for (const auto& [name, caption] : record.captions) {
    if (name == control) return &caption;
  }
  return nullptr;
}

void StringOrNull(json::JsonWriter& json, const std::u16string* text) {
  if (text) {
    json.String(*text);
  } else {
    json.Null();
  }
}

}  // namespace

std::string RecordLine(const host::HostRecord& record) {
  json::JsonWriter json;
  json.BeginObject();
  switch (record.kind) {
    case Kind::Event:
      json.Key("control").String(record.control).Key("event").String(record.name);
      for (const auto& [name, value] : record.args) {
        json.Key(name);
        WriteValue(json, value);
      }
      break;
    case Kind::PropertyChanged: json.Key("control").String(record.control).Key("changed").String(record.name); break;
    case Kind::MsgBox:
      json.Key("msgbox")
          .BeginObject()
          .Key("prompt")
          .String(record.text)
          .Key("buttons")
          .Integer(record.buttons)
          .Key("caption");
      StringOrNull(json, record.caption ? &*record.caption : nullptr);
      json.EndObject();
      break;
    case Kind::SendKeys: json.Key("sendkeys").String(record.text); break;
    case Kind::Focus: json.Key("focus").String(record.text); break;
    case Kind::Dialog:
      json.Key("about").BeginObject().Key("caption").String(record.text).Key("title");
      StringOrNull(json, CaptionOf(record, "lblTitle"));
      json.Key("version");
      StringOrNull(json, CaptionOf(record, "lblVersion"));
      json.Key("labels").BeginArray();
      for (const std::u16string& label : record.labels) json.String(label);
      json.EndArray().EndObject();
      break;
  }
  json.EndObject();
  return json.Take();
}

}  // namespace kestrow::script
