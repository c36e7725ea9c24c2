// The JSON form file: writing every value with its subtype, and a strict reader that turns any
// malformed input into one error naming the file and the place.
#include "kestrow/host/form_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <bit>
#include <charconv>
#include <cmath>
#include <deque>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <type_traits>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "kestrow/host/file_replace.h"
#include "kestrow/host/host_error.h"
#include "kestrow/host/objects.h"
#include "kestrow/host/runtime.h"

namespace kestrow::host {
namespace {

// Written with members in the documented order; read into std::map objects, whose lookups stay
// logarithmic however many members a hostile file repeats.
using OrderedJson = nlohmann::ordered_json;
using Json = nlohmann::json;

constexpr std::string_view kFormTag = "kestrow";
constexpr std::int64_t kFormVersion = 1;

// The serials of 1 January 100 and 31 December 9999, the calendar the host's dates cover.
constexpr double kFirstDaySerial = -657434.0;
constexpr double kLastDaySerial = 2958465.0;
constexpr int kSecondsPerDay = 86400;

// Doubles below 2^128 - 2^103 round to a finite Single; from there on they round to infinity.
const double kSingleLimit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

// --- Numbers -------------------------------------------------------------------------------

// The double that stands for a Single in the file: its shortest decimal form when that reads back
// to the same Single (so 0.1f is written 0.1), else its exact value.
double StoredSingle(float value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
  double shortest = 0.0;
  const auto read = std::from_chars(text.data(), written.ptr, shortest);
  if (written.ec == std::errc() && read.ec == std::errc() &&
      std::bit_cast<std::uint32_t>(static_cast<float>(shortest)) == std::bit_cast<std::uint32_t>(value)) {
    return shortest;
  }
  return static_cast<double>(value);
}

std::optional<float> SingleFromStored(double value) {
  if (!(std::fabs(value) < kSingleLimit)) return std::nullopt;
  return static_cast<float>(value);
}

// --- Dates ---------------------------------------------------------------------------------

void AppendPadded(std::string& out, int value, int width) {
  std::array<char, 12> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
  for (auto length = end - digits.data(); length < width; ++length) out += '0';
  out.append(digits.data(), end);
}

// Whole seconds only: the file keeps a date to the second, as the host shows it.
std::optional<std::string> DateText(Date date) {
  if (!(date.serial > kFirstDaySerial - 1.0 && date.serial < kLastDaySerial + 1.0)) return std::nullopt;
  const CivilDate civil = CivilOf(date);
  if (civil.year < 100 || civil.year > 9999) return std::nullopt;  // rounded past 9999-12-31
  std::string text;
  AppendPadded(text, civil.year, 4);
  text += '-';
  AppendPadded(text, civil.month, 2);
  text += '-';
  AppendPadded(text, civil.day, 2);
  if (const int seconds = SecondsOfDay(date); seconds != 0) {
    text += 'T';
    AppendPadded(text, seconds / 3600, 2);
    text += ':';
    AppendPadded(text, seconds / 60 % 60, 2);
    text += ':';
    AppendPadded(text, seconds % 60, 2);
  }
  return text;
}

enum class DateProblem { kNone, kForm, kRange };

struct DateReading {
  Date date;
  DateProblem problem = DateProblem::kNone;
};

DateReading DateFromText(std::string_view text) {
  constexpr std::string_view kPattern = "0000-00-00T00:00:00";
  if (text.size() != 10 && text.size() != kPattern.size()) return {{}, DateProblem::kForm};
  std::array<int, 6> fields{};  // year, month, day, hour, minute, second
  std::size_t field = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] != '0') {
      if (text[i] != kPattern[i]) return {{}, DateProblem::kForm};
      ++field;
    } else if (text[i] < '0' || text[i] > '9') {
      return {{}, DateProblem::kForm};
    } else {
      fields[field] = fields[field] * 10 + (text[i] - '0');
    }
  }
  const auto [year, month, day, hour, minute, second] = fields;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) {
    return {{}, DateProblem::kRange};
  }
  Date whole_day;
  try {
    whole_day = DateSerial(year, month, day);
  } catch (const HostError&) {
    return {{}, DateProblem::kRange};  // outside the years 100 to 9999
  }
  // DateSerial carries 31 April into May; the file must name a real day.
  if (CivilOf(whole_day) != CivilDate{year, month, day}) return {{}, DateProblem::kRange};
  const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  return {Date{whole_day.serial < 0 ? whole_day.serial - time : whole_day.serial + time}, DateProblem::kNone};
}

// --- Base64 --------------------------------------------------------------------------------

constexpr std::string_view kBase64Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? kBase64Digits[(group >> (18 - 6 * k)) & 0x3Fu] : '=';
    }
  }
  return out;
}

// Only the canonical form is taken: whole groups of four, padding only at the end, and unused
// bits zero, so each picture has exactly one spelling in the file.
std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::size_t padding = 0;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      std::size_t digit = 0;
      if (c == '=' && last && k >= 2) {
        ++padding;
      } else if (padding != 0 || (digit = kBase64Digits.find(c)) == std::string_view::npos) {
        return std::nullopt;
      }
      group = (group << 6) | static_cast<std::uint32_t>(digit);
    }
    const std::size_t count = 3 - padding;
    if ((group & ((1u << (8 * padding)) - 1u)) != 0) return std::nullopt;
    for (std::size_t k = 0; k < count; ++k) out += static_cast<char>((group >> (16 - 8 * k)) & 0xFFu);
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  // Keys and class names are nearly always ASCII, which needs no round trip.
  if (std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return true;
  return ToUtf8(FromUtf8(text)) == text;
}

// --- Writing -------------------------------------------------------------------------------

// The form's JSON text, written as it goes: building a whole document first cost more than the
// rest of saving. The layout is nlohmann's dump(2) (two blanks a level, `"name": value`, `[]`
// and `{}` when empty, its number forms), so the files are byte for byte what they were.
class JsonText {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // A member's name; its value follows.
  void Key(std::string_view name) {
    NextItem();
    Quote(name);
    out_ += ": ";
    after_key_ = true;
  }
  void String(std::string_view text) {
    BeforeValue();
    Quote(text);
  }
  void Integer(std::int64_t value) {
    BeforeValue();
    std::array<char, 24> digits{};
    out_.append(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr);
  }
  // Finite only (the writer refuses the others first).
  void Number(double value) {
    BeforeValue();
    out_ += OrderedJson(value).dump();  // nlohmann's own shortest form, e.g. 0.1, 1.0, 1e+20
  }
  void Boolean(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
  }
  std::string Take() { return std::move(out_); }

 private:
  void Indent() { out_.append(2 * open_.size(), ' '); }
  // Opens the next member or element of the innermost container on a line of its own.
  void NextItem() {
    out_ += open_.back() ? "\n" : ",\n";
    open_.back() = false;
    Indent();
  }
  void BeforeValue() {
    if (after_key_) {
      after_key_ = false;
    } else if (!open_.empty()) {
      NextItem();  // an array element
    }
  }
  void Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    open_.push_back(true);  // still empty
  }
  void Close(char bracket) {
    const bool empty = open_.back();
    open_.pop_back();
    if (!empty) {
      out_ += '\n';
      Indent();
    }
    out_ += bracket;
  }
  // Escapes as nlohmann does without ensure_ascii: quote, backslash and control characters only;
  // the text is valid UTF-8 already.
  void Quote(std::string_view text) {
    out_ += '"';
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c >= 0x20 && c != '"' && c != '\\') continue;
      out_.append(text.substr(plain, i - plain));
      plain = i + 1;
      switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\b': out_ += "\\b"; break;
        case '\t': out_ += "\\t"; break;
        case '\n': out_ += "\\n"; break;
        case '\f': out_ += "\\f"; break;
        case '\r': out_ += "\\r"; break;
        default: {
          constexpr std::string_view kHex = "0123456789abcdef";
          out_ += "\\u00";
          out_ += kHex[c >> 4];
          out_ += kHex[c & 0xFu];
        }
      }
    }
    out_.append(text.substr(plain));
    out_ += '"';
  }

  std::string out_;
  std::vector<bool> open_;  // each open container: whether it is still empty
  bool after_key_ = false;
};

class FormWriter {
 public:
  void Control(const StoredControl& control, JsonText& out) {
    control_ = ToUtf8(control.name);
    if (!IsUtf8(control.class_name)) Refuse("control \"" + control_ + "\": class name is not UTF-8");
    out.BeginObject();
    out.Key("name");
    out.String(control_);
    out.Key("class");
    out.String(control.class_name);
    out.Key("properties");
    out.BeginArray();
    for (const auto& [key, value] : control.properties.Entries()) {
      if (!IsUtf8(key)) Refuse(key, "key is not UTF-8");
      Property(key, value, out);
    }
    out.EndArray();
    out.EndObject();
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

  void Property(std::string_view key, const Variant& value, JsonText& out) const {
    out.BeginObject();
    out.Key("key");
    out.String(key);
    out.Key("type");
    out.String(StoredType(key, value));
    Value(key, value, out);
    out.EndObject();
  }

  // TypeName, but only for the objects this file knows how to keep.
  std::string StoredType(std::string_view key, const Variant& value) const {
    if (value.Type() != VarType::Object || !value.AsObject()) return TypeName(value);
    const HostObject* object = value.AsObject().get();
    if (dynamic_cast<const Font*>(object)) return "Font";
    if (dynamic_cast<const Picture*>(object)) return "Picture";
    Refuse(key, "a " + std::string(object->KindName()) + " object cannot be stored");
  }

  // The "value" member, for the types that have one.
  void Value(std::string_view key, const Variant& value, JsonText& out) const {
    switch (value.Type()) {
      case VarType::Empty:
      case VarType::Null:
        return;
      case VarType::Integer:
        out.Key("value");
        out.Integer(value.AsInteger());
        return;
      case VarType::Long:
        out.Key("value");
        out.Integer(value.AsLong());
        return;
      case VarType::Single: {
        const double stored = StoredSingle(static_cast<float>(Finite(key, value.AsSingle(), "Single")));
        out.Key("value");
        out.Number(stored);
        return;
      }
      case VarType::Double: {
        const double stored = Finite(key, value.AsDouble(), "Double");
        out.Key("value");
        out.Number(stored);
        return;
      }
      case VarType::Date: {
        const std::optional<std::string> text = DateText(value.AsDate());
        if (!text) Refuse(key, "Date value outside the years 100 to 9999");
        out.Key("value");
        // The text keeps whole seconds; a date it cannot hold exactly keeps its serial number.
        if (DateFromText(*text).date == value.AsDate()) {
          out.String(*text);
        } else {
          out.Number(value.AsDate().serial);
        }
        return;
      }
      case VarType::String:
        out.Key("value");
        out.String(ToUtf8(value.AsString()));
        return;
      case VarType::Boolean:
        out.Key("value");
        out.Boolean(value.AsBoolean());
        return;
      case VarType::Object:
        break;
    }
    const HostObject* object = value.AsObject().get();
    if (!object) return;
    if (const auto* font = dynamic_cast<const Font*>(object)) {
      const double size = StoredSingle(static_cast<float>(Finite(key, font->size, "Font size")));
      out.Key("value");
      out.BeginObject();
      out.Key("name");
      out.String(ToUtf8(font->name));
      out.Key("size");
      out.Number(size);
      out.Key("weight");
      out.Integer(font->weight);
      out.Key("charset");
      out.Integer(font->charset);
      out.Key("bold");
      out.Boolean(font->bold);
      out.Key("italic");
      out.Boolean(font->italic);
      out.Key("underline");
      out.Boolean(font->underline);
      out.Key("strikethrough");
      out.Boolean(font->strikethrough);
      out.EndObject();
      return;
    }
    const auto& picture = dynamic_cast<const Picture&>(*object);  // StoredType let only these through
    out.Key("value");
    out.BeginObject();
    out.Key("width");
    out.Integer(picture.width);
    out.Key("height");
    out.Integer(picture.height);
    out.Key("bits");
    out.String(Base64Encode(picture.bits));
    out.EndObject();
  }

  std::string control_;
};

// --- Reading -------------------------------------------------------------------------------

[[noreturn]] void RaiseTooLarge(std::string_view source) {
  throw HostError(errors::kInvalidFileFormat, std::string(source) + ": larger than 64 MiB");
}

// A parsed JSON value. nlohmann's parser reads the text, so its syntax errors and their places
// stay what they were, but into this tree rather than its own, which took longer to build and to
// free than the rest of loading a form: a value is a handle as small as nlohmann's value, its
// strings, objects and arrays live in blocks owned by the document, and an object keeps its
// members in a vector, in the file's order. The reader looks each object up a bounded number of
// times, so scanning the members stays linear in the file.
class JsonValue {
 public:
  struct Member;
  using Object = std::vector<Member>;
  using Array = std::vector<JsonValue>;

  JsonValue() = default;  // null
  explicit JsonValue(bool value) : value_(value) {}
  explicit JsonValue(std::int64_t value) : value_(value) {}
  explicit JsonValue(std::uint64_t value) : value_(value) {}
  explicit JsonValue(double value) : value_(value) {}
  explicit JsonValue(const std::string* text) : value_(text) {}
  explicit JsonValue(Object* object) : value_(object) {}
  explicit JsonValue(Array* array) : value_(array) {}

  bool IsObject() const { return std::holds_alternative<Object*>(value_); }
  bool IsArray() const { return std::holds_alternative<Array*>(value_); }
  bool IsString() const { return std::holds_alternative<const std::string*>(value_); }
  bool IsBoolean() const { return std::holds_alternative<bool>(value_); }
  // Integers, as nlohmann reads them: unsigned when not negative, else signed.
  bool IsInteger() const { return IsUnsigned() || std::holds_alternative<std::int64_t>(value_); }
  bool IsUnsigned() const { return std::holds_alternative<std::uint64_t>(value_); }
  bool IsNumber() const { return IsInteger() || std::holds_alternative<double>(value_); }

  // Each requires the matching kind.
  const std::string& Text() const { return *std::get<const std::string*>(value_); }
  bool Flag() const { return std::get<bool>(value_); }
  std::int64_t Signed() const { return std::get<std::int64_t>(value_); }
  std::uint64_t Unsigned() const { return std::get<std::uint64_t>(value_); }
  double Number() const;  // any number
  std::string IntegerText() const { return IsUnsigned() ? std::to_string(Unsigned()) : std::to_string(Signed()); }
  const Object& Members() const { return *std::get<Object*>(value_); }
  const Array& Elements() const { return *std::get<Array*>(value_); }
  const JsonValue* Find(std::string_view name) const;

 private:
  std::variant<std::monostate, bool, std::int64_t, std::uint64_t, double, const std::string*, Object*, Array*> value_;
};

struct JsonValue::Member {
  std::string name;
  JsonValue value;
};
static_assert(sizeof(JsonValue) <= sizeof(Json) && std::is_trivially_destructible_v<JsonValue>);

double JsonValue::Number() const {
  if (const auto* whole = std::get_if<std::int64_t>(&value_)) return static_cast<double>(*whole);
  if (const auto* whole = std::get_if<std::uint64_t>(&value_)) return static_cast<double>(*whole);
  return std::get<double>(value_);
}

const JsonValue* JsonValue::Find(std::string_view name) const {
  for (const Member& member : Members()) {
    if (member.name == name) return &member.value;
  }
  return nullptr;
}

// The parsed text: the top value and everything its handles point to.
struct JsonDocument {
  JsonValue root;
  std::deque<std::string> strings;
  std::deque<JsonValue::Object> objects;
  std::deque<JsonValue::Array> arrays;
  // Stand-ins for the containers not kept (below), made at the first need.
  JsonValue EmptyObject() {
    if (!empty_object) empty_object = &objects.emplace_back();
    return JsonValue(empty_object);
  }
  JsonValue EmptyArray() {
    if (!empty_array) empty_array = &arrays.emplace_back();
    return JsonValue(empty_array);
  }
  JsonValue::Object* empty_object = nullptr;
  JsonValue::Array* empty_array = nullptr;
};

// Where a value sits in a form. The form has arrays only as "controls" and "properties", objects
// only as the document, a control, a property and its value; any other container is refused by
// the reader by its kind alone, so only an empty one of that kind is kept in its place. In the
// two arrays the reader stops at the first element that is not an object, so none after it is
// kept. Without this, a hostile file of small numbers cost sixteen times its size in memory.
enum class Slot { kNone, kScalar, kRoot, kControls, kControl, kProperties, kProperty, kValue };

bool HoldsObject(Slot slot) {
  return slot == Slot::kRoot || slot == Slot::kControl || slot == Slot::kProperty || slot == Slot::kValue;
}
bool HoldsArray(Slot slot) { return slot == Slot::kControls || slot == Slot::kProperties; }

Slot MemberSlot(Slot object, std::string_view name) {
  if (object == Slot::kRoot && name == "controls") return Slot::kControls;
  if (object == Slot::kControl && name == "properties") return Slot::kProperties;
  if (object == Slot::kProperty && name == "value") return Slot::kValue;
  return Slot::kScalar;
}
Slot ElementSlot(Slot array) { return array == Slot::kControls ? Slot::kControl : Slot::kProperty; }

struct NestedTooDeep {};
struct RepeatedMember {
  std::string name;
};

// nlohmann's SAX events into a JsonDocument, with the nesting bounded: a container deeper than
// the limit stops the parse as it opens, and an object naming a member twice is refused (the
// reader would otherwise see one of them only). What the form's shape cannot hold is parsed,
// so syntax errors are found as before, but not kept; repeated members inside it go unnoticed,
// as the reader refuses it anyway.
class TreeBuilder {
 public:
  explicit TreeBuilder(JsonDocument& document) : document_(document) {}

  bool null() { return Place(JsonValue()); }
  bool boolean(bool value) { return Place(JsonValue(value)); }
  bool number_integer(std::int64_t value) { return Place(JsonValue(value)); }
  bool number_unsigned(std::uint64_t value) { return Place(JsonValue(value)); }
  bool number_float(double value, const std::string& /*text*/) { return Place(JsonValue(value)); }
  bool string(std::string& text) {
    if (NextSlot() == Slot::kNone) return true;
    return Place(JsonValue(&document_.strings.emplace_back(std::move(text))));
  }
  bool binary(Json::binary_t& /*bytes*/) { return true; }  // JSON text has none

  bool start_object(std::size_t /*size*/) {
    CheckDepth();
    const Slot slot = NextSlot();
    if (!HoldsObject(slot)) {
      if (slot != Slot::kNone) Place(document_.EmptyObject());
      open_.push_back({Slot::kNone, nullptr, nullptr});
      return true;
    }
    JsonValue::Object& object = document_.objects.emplace_back();
    Place(JsonValue(&object));
    open_.push_back({slot, &object, nullptr});
    return true;
  }
  bool start_array(std::size_t /*size*/) {
    CheckDepth();
    const Slot slot = NextSlot();
    if (!HoldsArray(slot)) {
      if (slot != Slot::kNone) Place(document_.EmptyArray());
      open_.push_back({Slot::kNone, nullptr, nullptr});
      return true;
    }
    JsonValue::Array& array = document_.arrays.emplace_back();
    Place(JsonValue(&array));
    open_.push_back({slot, nullptr, &array});
    return true;
  }
  bool end_object() {
    open_.pop_back();
    return true;
  }
  bool end_array() {
    open_.pop_back();
    return true;
  }

  bool key(std::string& name) {
    OpenContainer& open = open_.back();
    if (open.slot == Slot::kNone) return true;
    JsonValue::Object& members = *open.object;
    // No object of the form has more than eight members: a ninth is kept, so the reader refuses
    // the object, and nothing after it, so a hostile object of millions costs nothing more.
    if (members.size() == kMostMembersKept) {
      open.slot = Slot::kNone;
      return true;
    }
    for (const JsonValue::Member& member : members) {
      if (member.name == name) throw RepeatedMember{name};
    }
    open.member_slot = MemberSlot(open.slot, name);
    if (members.empty()) members.reserve(3);  // a stored property's key, type and value
    members.push_back({std::move(name), JsonValue()});
    return true;
  }

  // Syntax errors and numbers out of range, thrown as nlohmann's own parser throws them.
  template <typename Exception>
  bool parse_error(std::size_t /*position*/, const std::string& /*token*/, const Exception& error) {
    throw error;
  }

 private:
  static constexpr std::size_t kMostMembersKept = 9;

  struct OpenContainer {
    Slot slot;  // kNone: not kept, nor anything inside
    JsonValue::Object* object;  // one of these two when kept
    JsonValue::Array* array;
    Slot member_slot = Slot::kScalar;  // of the value after the last member name
  };

  void CheckDepth() const {
    if (open_.size() >= static_cast<std::size_t>(kMaxFormNesting)) throw NestedTooDeep{};
  }
  // Where the next value goes.
  Slot NextSlot() const {
    if (open_.empty()) return Slot::kRoot;
    const OpenContainer& open = open_.back();
    if (open.slot == Slot::kNone) return Slot::kNone;
    if (open.array) return ElementSlot(open.slot);
    return open.member_slot;
  }
  // The value goes after the member name just read, at the end of the open array, or at the top.
  bool Place(JsonValue value) {
    const Slot slot = NextSlot();
    if (slot == Slot::kNone) return true;
    if (open_.empty()) {
      document_.root = value;
    } else if (OpenContainer& open = open_.back(); open.array) {
      open.array->push_back(value);
      if (!value.IsObject()) open.slot = Slot::kNone;  // the reader stops at this element
    } else {
      open.object->back().value = value;
    }
    return true;
  }

  JsonDocument& document_;
  std::vector<OpenContainer> open_;
};

// A quick reader of the JSON that nlohmann's parser takes, building the same tree. nlohmann's
// lexer alone took half the time of loading a form. This one gives up (false) at anything it
// does not handle or that may be an error: \u escapes, a byte-order mark, integers beyond 64
// bits, numbers out of range, repeated or very many members, nesting past the limit, every
// syntax error and containers where the form has none (see Slot). nlohmann's parser then reads the text again and reports exactly as it does.
class QuickJsonReader {
 public:
  explicit QuickJsonReader(JsonDocument& document) : document_(document) {}

  bool Read(std::string_view text) {
    at_ = text.data();
    end_ = at_ + text.size();
    SkipBlanks();
    if (!Value(document_.root, 0, Slot::kRoot)) return false;
    SkipBlanks();
    return at_ == end_;
  }

 private:
  static constexpr std::size_t kMostMembers = 32;  // larger objects are left to the indexed check

  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  void SkipBlanks() {
    while (at_ != end_ && (*at_ == ' ' || *at_ == '\n' || *at_ == '\r' || *at_ == '\t')) ++at_;
  }
  bool Take(char c) {
    if (at_ == end_ || *at_ != c) return false;
    ++at_;
    return true;
  }
  void SkipDigits() {
    while (at_ != end_ && IsDigit(*at_)) ++at_;
  }

  // `depth`: the containers open around this value.
  bool Value(JsonValue& out, int depth, Slot slot) {
    if (at_ == end_) return false;
    switch (*at_) {
      case '{': return HoldsObject(slot) && ObjectValue(out, depth, slot);
      case '[': return HoldsArray(slot) && ArrayValue(out, depth, slot);
      case '"': {
        std::string text;
        if (!String(text)) return false;
        out = JsonValue(&document_.strings.emplace_back(std::move(text)));
        return true;
      }
      case 't': return Literal("true", JsonValue(true), out);
      case 'f': return Literal("false", JsonValue(false), out);
      case 'n': return Literal("null", JsonValue(), out);
      default: return Number(out);
    }
  }

  bool Literal(std::string_view word, JsonValue value, JsonValue& out) {
    if (static_cast<std::size_t>(end_ - at_) < word.size() || std::string_view(at_, word.size()) != word) return false;
    at_ += word.size();
    out = value;
    return true;
  }

  bool ObjectValue(JsonValue& out, int depth, Slot slot) {
    if (depth >= kMaxFormNesting) return false;
    ++at_;
    JsonValue::Object& members = document_.objects.emplace_back();
    out = JsonValue(&members);
    SkipBlanks();
    if (Take('}')) return true;
    while (true) {
      SkipBlanks();
      if (at_ == end_ || *at_ != '"' || members.size() == kMostMembers) return false;
      std::string name;
      if (!String(name)) return false;
      for (const JsonValue::Member& member : members) {
        if (member.name == name) return false;
      }
      SkipBlanks();
      if (!Take(':')) return false;
      SkipBlanks();
      if (members.empty()) members.reserve(3);
      const Slot member_slot = MemberSlot(slot, name);
      members.push_back({std::move(name), JsonValue()});
      if (!Value(members.back().value, depth + 1, member_slot)) return false;
      SkipBlanks();
      if (Take('}')) return true;
      if (!Take(',')) return false;
    }
  }

  bool ArrayValue(JsonValue& out, int depth, Slot slot) {
    if (depth >= kMaxFormNesting) return false;
    ++at_;
    JsonValue::Array& elements = document_.arrays.emplace_back();
    out = JsonValue(&elements);
    SkipBlanks();
    if (Take(']')) return true;
    while (true) {
      SkipBlanks();
      // The form's arrays hold objects only.
      if (at_ == end_ || *at_ != '{' || !Value(elements.emplace_back(), depth + 1, ElementSlot(slot))) return false;
      SkipBlanks();
      if (Take(']')) return true;
      if (!Take(',')) return false;
    }
  }

  // After the opening quote is seen.
  bool String(std::string& out) {
    ++at_;
    const char* plain = at_;
    while (at_ != end_) {
      const auto c = static_cast<unsigned char>(*at_);
      if (c == '"') {
        out.append(plain, at_);
        ++at_;
        return true;
      }
      if (c < 0x20) return false;
      if (c == '\\') {
        out.append(plain, at_);
        if (++at_ == end_) return false;
        switch (*at_) {
          case '"': out += '"'; break;
          case '\\': out += '\\'; break;
          case '/': out += '/'; break;
          case 'b': out += '\b'; break;
          case 'f': out += '\f'; break;
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          case 't': out += '\t'; break;
          default: return false;
        }
        plain = ++at_;
      } else if (c >= 0x80) {
        const std::size_t length = Utf8Length();
        if (length == 0) return false;
        at_ += length;
      } else {
        ++at_;
      }
    }
    return false;
  }

  // The length of the well-formed UTF-8 sequence at at_ (no surrogates, nothing past U+10FFFF,
  // no overlong forms: the ranges nlohmann's lexer takes), or 0.
  std::size_t Utf8Length() const {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(at_[i]); };
    const auto in = [](unsigned char c, unsigned char low, unsigned char high) { return c >= low && c <= high; };
    const auto left = static_cast<std::size_t>(end_ - at_);
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (in(lead, 0xC2, 0xDF)) {
      length = 2;
    } else if (in(lead, 0xE0, 0xEF)) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (in(lead, 0xF0, 0xF4)) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return 0;
    }
    if (left < length || !in(byte(1), low, high)) return 0;
    for (std::size_t i = 2; i < length; ++i) {
      if (!in(byte(i), 0x80, 0xBF)) return 0;
    }
    return length;
  }

  // JSON's number form; whole numbers become signed (negative) or unsigned integers as nlohmann
  // makes them, the others doubles, both correctly rounded.
  bool Number(JsonValue& out) {
    const char* const start = at_;
    const bool negative = Take('-');
    if (!Take('0')) {  // a leading zero stands alone
      if (at_ == end_ || *at_ < '1' || *at_ > '9') return false;
      SkipDigits();
    }
    bool whole = true;
    if (Take('.')) {
      whole = false;
      if (at_ == end_ || !IsDigit(*at_)) return false;
      SkipDigits();
    }
    if (at_ != end_ && (*at_ == 'e' || *at_ == 'E')) {
      whole = false;
      ++at_;
      if (!Take('+')) Take('-');
      if (at_ == end_ || !IsDigit(*at_)) return false;
      SkipDigits();
    }
    if (whole && negative) return Converted<std::int64_t>(start, out);
    if (whole) return Converted<std::uint64_t>(start, out);
    double number = 0;
    const auto [end, problem] = std::from_chars(start, at_, number);
    if (problem != std::errc() || end != at_ || !std::isfinite(number)) return false;
    out = JsonValue(number);
    return true;
  }
  template <typename T>
  bool Converted(const char* start, JsonValue& out) const {
    T number = 0;
    const auto [end, problem] = std::from_chars(start, at_, number);
    if (problem != std::errc() || end != at_) return false;
    out = JsonValue(number);
    return true;
  }

  JsonDocument& document_;
  const char* at_ = nullptr;
  const char* end_ = nullptr;
};

void ParseBounded(std::string_view text, JsonDocument& document) {
  if (QuickJsonReader(document).Read(text)) return;
  document = JsonDocument();
  TreeBuilder builder(document);
  Json::sax_parse(text.begin(), text.end(), &builder);
}

// nlohmann's message without its "[json.exception.parse_error.101] " tag, in valid UTF-8 (it
// quotes the offending bytes).
std::string ParserMessage(const std::exception& error) {
  std::string_view message = error.what();
  if (const std::size_t tag_end = message.find("] "); message.starts_with("[json.") && tag_end != message.npos) {
    message.remove_prefix(tag_end + 2);
  }
  return ToUtf8(FromUtf8(message));
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

class FormReader {
 public:
  explicit FormReader(std::string_view source) : source_(source) {}

  std::vector<StoredControl> Read(std::string_view text) {
    if (text.size() > kMaxFormFileBytes) RaiseTooLarge(source_);
    JsonDocument parsed;
    Parse(text, parsed);
    const JsonValue& document = parsed.root;
    if (!document.IsObject()) Fail("", "not a JSON object");
    OnlyMembers(document, {"form", "version", "controls"}, "");
    const JsonValue& form = Member(document, "form", "");
    if (!form.IsString() || form.Text() != kFormTag) {
      Fail("", "\"form\" is not " + Quoted(kFormTag));
    }
    const JsonValue& version = Member(document, "version", "");
    if (!version.IsInteger()) Fail("", "\"version\" is not an integer");
    if (version.IsUnsigned() ? version.Unsigned() != static_cast<std::uint64_t>(kFormVersion)
                             : version.Signed() != kFormVersion) {
      Fail("", "unsupported version " + version.IntegerText());
    }
    const JsonValue& controls = Member(document, "controls", "");
    if (!controls.IsArray()) Fail("", "\"controls\" is not an array");

    std::vector<StoredControl> read;
    std::set<std::u16string> names;
    for (std::size_t i = 0; i < controls.Elements().size(); ++i) {
      read.push_back(Control(controls.Elements()[i], "controls[" + std::to_string(i) + "]"));
      if (!names.insert(read.back().name).second) {
        Fail("controls[" + std::to_string(i) + "]", "control name " + Quoted(ToUtf8(read.back().name)) + " used twice");
      }
    }
    return read;
  }

 private:
  [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
    throw HostError(errors::kInvalidFileFormat, source_ + ": " + (where.empty() ? "" : where + ": ") + what);
  }

  void Parse(std::string_view text, JsonDocument& document) const {
    try {
      ParseBounded(text, document);
    } catch (const NestedTooDeep&) {
      Fail("", "JSON nested deeper than " + std::to_string(kMaxFormNesting) + " levels");
    } catch (const RepeatedMember& repeated) {
      Fail("", "JSON object names member " + Quoted(repeated.name) + " twice");
    } catch (const Json::parse_error& error) {
      Fail("", "JSON syntax error at byte " + std::to_string(error.byte) + ": " + ParserMessage(error));
    } catch (const Json::exception& error) {
      Fail("", "JSON error: " + ParserMessage(error));  // numbers beyond the double range
    }
  }

  // Names the first unexpected member in name order, as it always has.
  void OnlyMembers(const JsonValue& object, std::initializer_list<std::string_view> allowed,
                   const std::string& where) const {
    const std::string* unexpected = nullptr;
    for (const JsonValue::Member& member : object.Members()) {
      bool known = false;
      for (std::string_view name : allowed) known = known || member.name == name;
      if (!known && (!unexpected || member.name < *unexpected)) unexpected = &member.name;
    }
    if (unexpected) Fail(where, "unexpected member " + Quoted(*unexpected));
  }

  const JsonValue* Find(const JsonValue& object, std::string_view name) const { return object.Find(name); }

  const JsonValue& Member(const JsonValue& object, std::string_view name, const std::string& where) const {
    const JsonValue* member = Find(object, name);
    if (!member) Fail(where, "missing " + Quoted(name));
    return *member;
  }

  const std::string& StringMember(const JsonValue& object, std::string_view name, const std::string& where) const {
    const JsonValue& member = Member(object, name, where);
    if (!member.IsString()) Fail(where, Quoted(name) + " is not a string");
    return member.Text();
  }

  StoredControl Control(const JsonValue& stored, const std::string& position) {
    if (!stored.IsObject()) Fail(position, "not a JSON object");
    StoredControl control;
    control.name = FromUtf8(StringMember(stored, "name", position));
    const std::string where = "control " + Quoted(ToUtf8(control.name));
    OnlyMembers(stored, {"name", "class", "properties"}, where);
    control.class_name = StringMember(stored, "class", where);
    const JsonValue& properties = Member(stored, "properties", where);
    if (!properties.IsArray()) Fail(where, "\"properties\" is not an array");
    for (std::size_t i = 0; i < properties.Elements().size(); ++i) {
      // Built in a kept buffer: a new string for every key cost more than reading the key.
      position_.assign(where).append(", properties[").append(std::to_string(i)).append("]");
      Property(properties.Elements()[i], where, position_, control.properties);
    }
    return control;
  }

  void Property(const JsonValue& stored, const std::string& control, const std::string& position, PropertyBag& bag) {
    if (!stored.IsObject()) Fail(position, "not a JSON object");
    const std::string& key = StringMember(stored, "key", position);
    std::string& where = key_place_.assign(control).append(", key \"").append(key).append("\"");
    OnlyMembers(stored, {"key", "type", "value"}, where);
    const std::string& type = StringMember(stored, "type", where);
    if (bag.Contains(key)) Fail(where, "key stored twice");
    const JsonValue* value = Find(stored, "value");
    const bool valueless = type == "Empty" || type == "Null" || type == "Nothing";
    if (valueless && value) Fail(where, type + " takes no \"value\"");
    if (!valueless && !value && IsKnownType(type)) Fail(where, "missing \"value\"");
    bag.WriteProperty(key, Value(type, value, where), Variant());
  }

  static bool IsKnownType(std::string_view type) {
    for (std::string_view known : {"Empty", "Null", "Nothing", "Integer", "Long", "Single", "Double", "Date",
                                   "String", "Boolean", "Font", "Picture"}) {
      if (type == known) return true;
    }
    return false;
  }

  Variant Value(const std::string& type, const JsonValue* value, const std::string& where) const {
    if (type == "Empty") return Variant();
    if (type == "Null") return Variant::Null();
    if (type == "Nothing") return Variant::Object(nullptr);
    if (!IsKnownType(type)) Fail(where, "unknown type " + Quoted(type));
    const JsonValue& stored = *value;
    if (type == "Integer") return Variant::Integer(Whole<std::int16_t>(stored, "Integer value", where));
    if (type == "Long") return Variant::Long(Whole<std::int32_t>(stored, "Long value", where));
    if (type == "Single") return Variant::Single(Single(stored, "Single value", where));
    if (type == "Double") {
      if (!stored.IsNumber()) Fail(where, "Double value is not a number");
      return Variant::Double(stored.Number());
    }
    if (type == "Date") {
      if (stored.IsNumber()) {
        const Date date{stored.Number()};
        if (!DateText(date)) Fail(where, "Date value out of range");
        return Variant::FromDate(date);
      }
      if (!stored.IsString()) Fail(where, "Date value is not a string or a serial number");
      const DateReading reading = DateFromText(stored.Text());
      if (reading.problem == DateProblem::kForm) Fail(where, "Date value is not YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS");
      if (reading.problem == DateProblem::kRange) Fail(where, "Date value out of range");
      return Variant::FromDate(reading.date);
    }
    if (type == "String") {
      if (!stored.IsString()) Fail(where, "String value is not a string");
      return Variant::String(FromUtf8(stored.Text()));
    }
    if (type == "Boolean") {
      if (!stored.IsBoolean()) Fail(where, "Boolean value is not true or false");
      return Variant::Boolean(stored.Flag());
    }
    if (type == "Font") return Variant::Object(ReadFont(stored, where));
    return Variant::Object(ReadPicture(stored, where));
  }

  // A JSON integer that fits T.
  template <typename T>
  T Whole(const JsonValue& stored, const std::string& what, const std::string& where) const {
    if (!stored.IsInteger()) Fail(where, what + " is not an integer");
    constexpr auto kLow = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    constexpr auto kHigh = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    std::int64_t whole = 0;
    if (stored.IsUnsigned()) {
      const auto unsigned_whole = stored.Unsigned();
      if (unsigned_whole > static_cast<std::uint64_t>(kHigh)) Fail(where, what + " out of range");
      whole = static_cast<std::int64_t>(unsigned_whole);
    } else {
      whole = stored.Signed();
    }
    if (whole < kLow || whole > kHigh) Fail(where, what + " out of range");
    return static_cast<T>(whole);
  }

  float Single(const JsonValue& stored, const std::string& what, const std::string& where) const {
    if (!stored.IsNumber()) Fail(where, what + " is not a number");
    const std::optional<float> single = SingleFromStored(stored.Number());
    if (!single) Fail(where, what + " out of range");
    return *single;
  }

  bool Flag(const JsonValue& object, std::string_view name, const std::string& where) const {
    const JsonValue& member = Member(object, name, where);
    if (!member.IsBoolean()) Fail(where, "Font " + Quoted(name) + " is not true or false");
    return member.Flag();
  }

  std::shared_ptr<Font> ReadFont(const JsonValue& stored, const std::string& where) const {
    if (!stored.IsObject()) Fail(where, "Font value is not a JSON object");
    OnlyMembers(stored, {"name", "size", "weight", "charset", "bold", "italic", "underline", "strikethrough"}, where);
    auto font = std::make_shared<Font>();
    font->name = FromUtf8(StringMember(stored, "name", where));
    font->size = Single(Member(stored, "size", where), "Font \"size\"", where);
    font->weight = Whole<std::int16_t>(Member(stored, "weight", where), "Font \"weight\"", where);
    font->charset = Whole<std::int16_t>(Member(stored, "charset", where), "Font \"charset\"", where);
    font->bold = Flag(stored, "bold", where);
    font->italic = Flag(stored, "italic", where);
    font->underline = Flag(stored, "underline", where);
    font->strikethrough = Flag(stored, "strikethrough", where);
    return font;
  }

  std::shared_ptr<Picture> ReadPicture(const JsonValue& stored, const std::string& where) const {
    if (!stored.IsObject()) Fail(where, "Picture value is not a JSON object");
    OnlyMembers(stored, {"width", "height", "bits"}, where);
    auto picture = std::make_shared<Picture>();
    picture->width = Whole<std::int32_t>(Member(stored, "width", where), "Picture \"width\"", where);
    picture->height = Whole<std::int32_t>(Member(stored, "height", where), "Picture \"height\"", where);
    std::optional<std::string> bits = Base64Decode(StringMember(stored, "bits", where));
    if (!bits) Fail(where, "Picture \"bits\" is not base64");
    picture->bits = std::move(*bits);
    return picture;
  }

  std::string source_;
  // Reused for the place of each property read, so that naming it costs no allocation.
  std::string position_;
  std::string key_place_;
};

std::string Reason(int error) { return std::system_category().message(error); }

[[noreturn]] void RaiseAccess(const std::filesystem::path& path, const std::string& what) {
  throw HostError(errors::kPathFileAccessError, "Path/File access error: " + path.string() + ": " + what);
}

}  // namespace

std::string FormatForm(const std::vector<StoredControl>& controls) {
  JsonText out;
  out.BeginObject();
  out.Key("form");
  out.String(kFormTag);
  out.Key("version");
  out.Integer(kFormVersion);
  out.Key("controls");
  out.BeginArray();
  std::set<std::string> names;
  FormWriter writer;
  for (const StoredControl& control : controls) {
    // A file naming a control twice would not read back. Compared as written, where unpaired
    // surrogates have all become U+FFFD.
    if (!names.insert(ToUtf8(control.name)).second) {
      throw HostError(errors::kInvalidPropertyValue,
                      "Invalid property value: control \"" + ToUtf8(control.name) + "\" named twice");
    }
    writer.Control(control, out);
  }
  out.EndArray();
  out.EndObject();
  std::string text = out.Take();
  text += '\n';
  return text;
}

std::vector<StoredControl> ParseForm(std::string_view json, std::string_view source) {
  return FormReader(source).Read(json);
}

std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path) {
  const std::string source = path.filename().string();
  RemoveStaleTemporaries(path);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      throw HostError(errors::kFileNotFound, "File not found: " + path.string() + ": " + Reason(error));
    }
    RaiseAccess(path, "cannot open the file: " + Reason(error));
  }
  const std::unique_ptr<int, void (*)(int*)> closing(&fd, [](int* open) { ::close(*open); });
  // The size on disk refuses a large file without reading it; the capped read below also stops a
  // file that grows, or a device that never ends.
  struct stat status {};
  if (::fstat(fd, &status) != 0) RaiseAccess(path, "cannot examine the file: " + Reason(errno));
  if (S_ISDIR(status.st_mode)) RaiseAccess(path, Reason(EISDIR));
  if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > kMaxFormFileBytes) {
    RaiseTooLarge(source);
  }
  std::string text;
  if (S_ISREG(status.st_mode)) text.reserve(static_cast<std::size_t>(status.st_size));
  std::array<char, 1 << 16> chunk{};
  while (text.size() <= kMaxFormFileBytes) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseAccess(path, "cannot read the file: " + Reason(errno));
    }
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
  return ParseForm(text, source);
}

void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls) {
  ReplaceFile(path, FormatForm(controls));  // FormatForm refuses an unstorable value before the disk is touched
}

}  // namespace kestrow::host
