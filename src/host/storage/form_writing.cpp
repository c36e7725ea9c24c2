// Writing a form's JSON text: every value with its subtype, refusing before anything is written
// the values the reader could not take back exactly.
#include <cmath>
#include <unordered_set>

#include "host/storage/form_values.h"
#include "host/storage/json_writer.h"
#include "kestrow/host/storage/form_file.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using json::JsonWriter;
using namespace form_values;

constexpr int kIndent = 2;

class FormWriter {
 public:
  explicit FormWriter(JsonWriter& out) : out_(out) {}

  void Control(const StoredControl& control) {
    control_ = ToUtf8(control.name);
    if (!IsUtf8(control.class_name)) Refuse("control \"" + control_ + "\": class name is not UTF-8");
    out_.BeginObject().Key("name").String(control_).Key("class").String(control.class_name);
    out_.Key("properties").BeginArray();
    for (const auto& [key, value] : control.properties.Entries()) {
      if (!IsUtf8(key)) Refuse(key, "key is not UTF-8");
      out_.BeginObject().Key("key").String(key).Key("type").String(StoredType(key, value));
      Value(key, value);
      out_.EndObject();
    }
    out_.EndArray().EndObject();
  }

 private:
  [[noreturn]] static void Refuse(const std::string& what) {
    throw HostError(errors::kInvalidPropertyValue, "Invalid property value: " + what);
  }
  [[noreturn]] void Refuse(std::string_view key, const std::string& what) const {
    Refuse("control \"" + control_ + "\", key \"" + std::string(key) + "\": " + what);
  }

  double Finite(std::string_view key, double value, std::string_view type) const {
    if (!std::isfinite(value)) Refuse(key, std::string(type) + " value is not finite");
    return value;
  }

  // TypeName, but only for the objects this file knows how to keep.
  std::string StoredType(std::string_view key, const Variant& value) const {
    if (value.Type() != VarType::Object || !value.AsObject()) return TypeName(value);
    const HostObject* object = value.AsObject().get();
    if (dynamic_cast<const Font*>(object)) return "Font";
    if (dynamic_cast<const Picture*>(object)) return "Picture";
    Refuse(key, "a " + std::string(object->KindName()) + " object cannot be stored");
  }

  // The "value" member, for the types that have one. A refusal discards the whole text.
  void Value(std::string_view key, const Variant& value) {
    switch (value.Type()) {
      case VarType::Empty:
      case VarType::Null: return;
      case VarType::Integer: out_.Key("value").Integer(value.AsInteger()); return;
      case VarType::Long: out_.Key("value").Integer(value.AsLong()); return;
      case VarType::Single:
        out_.Key("value").Double(StoredSingle(static_cast<float>(Finite(key, value.AsSingle(), "Single"))));
        return;
      case VarType::Double: out_.Key("value").Double(Finite(key, value.AsDouble(), "Double")); return;
      case VarType::Date: DateValue(key, value.AsDate()); return;
      case VarType::String: out_.Key("value").String(ToUtf8(value.AsString())); return;
      case VarType::Boolean: out_.Key("value").Boolean(value.AsBoolean()); return;
      case VarType::Object: ObjectValue(key, value.AsObject().get()); return;
    }
  }

  // The text keeps whole seconds; a date it cannot hold exactly keeps its serial number.
  void DateValue(std::string_view key, Date date) {
    const std::optional<std::string> text = DateText(date);
    if (!text) Refuse(key, "Date value outside the years 100 to 9999");
    out_.Key("value");
    if (DateFromText(*text).date == date) {
      out_.String(*text);
    } else {
      out_.Double(date.serial);
    }
  }

  void ObjectValue(std::string_view key, const HostObject* object) {
    if (!object) return;
    if (const auto* font = dynamic_cast<const Font*>(object)) {
      const double size = StoredSingle(static_cast<float>(Finite(key, font->size, "Font size")));
      out_.Key("value").BeginObject().Key("name").String(ToUtf8(font->name)).Key("size").Double(size);
      out_.Key("weight").Integer(font->weight).Key("charset").Integer(font->charset);
      out_.Key("bold").Boolean(font->bold).Key("italic").Boolean(font->italic);
      out_.Key("underline").Boolean(font->underline).Key("strikethrough").Boolean(font->strikethrough);
      out_.EndObject();
      return;
    }
    const auto& picture = dynamic_cast<const Picture&>(*object);  // StoredType let only these through
    out_.Key("value").BeginObject().Key("width").Integer(picture.width).Key("height").Integer(picture.height);
    out_.Key("bits").String(Base64Encode(picture.bits)).EndObject();
  }

  JsonWriter& out_;
  std::string control_;
};

}  // namespace

std::string FormatForm(const std::vector<StoredControl>& controls) {
  JsonWriter out(kIndent);
  out.BeginObject().Key("form").String(kFormTag).Key("version").Integer(kFormVersion);
  out.Key("controls").BeginArray();
  std::unordered_set<std::string> names;
  FormWriter writer(out);
  for (const StoredControl& control : controls) {
    // A file naming a control twice would not read back. Compared as written, where unpaired
    // surrogates have all become U+FFFD.
    if (!names.insert(ToUtf8(control.name)).second) {
      throw HostError(errors::kInvalidPropertyValue,
                      "Invalid property value: control \"" + ToUtf8(control.name) + "\" named twice");
    }
    writer.Control(control);
  }
  out.EndArray().EndObject();
  std::string text = out.Take();
  text += '\n';
  return text;
}

}  // namespace kestrow::host
