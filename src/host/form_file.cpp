// The JSON form file: writing every value with its subtype, and a strict reader that turns any
// malformed input into one error naming the file and the place.
#include "kestrow/host/form_file.h"

#include <unistd.h>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>

#include <nlohmann/json.hpp>

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

bool IsUtf8(std::string_view text) { return ToUtf8(FromUtf8(text)) == text; }

// --- Writing -------------------------------------------------------------------------------

class FormWriter {
 public:
  OrderedJson Control(const StoredControl& control) {
    control_ = ToUtf8(control.name);
    if (!IsUtf8(control.class_name)) Refuse("control \"" + control_ + "\": class name is not UTF-8");
    OrderedJson properties = OrderedJson::array();
    for (const auto& [key, value] : control.properties.Entries()) {
      if (!IsUtf8(key)) Refuse(key, "key is not UTF-8");
      properties.push_back(Property(key, value));
    }
    OrderedJson stored = OrderedJson::object();
    stored["name"] = control_;
    stored["class"] = control.class_name;
    stored["properties"] = std::move(properties);
    return stored;
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

  OrderedJson Property(std::string_view key, const Variant& value) const {
    OrderedJson property = OrderedJson::object();
    property["key"] = key;
    const std::string type = StoredType(key, value);
    property["type"] = type;
    if (std::optional<OrderedJson> stored = Value(key, value)) property["value"] = std::move(*stored);
    return property;
  }

  // TypeName, but only for the objects this file knows how to keep.
  std::string StoredType(std::string_view key, const Variant& value) const {
    if (value.Type() != VarType::Object || !value.AsObject()) return TypeName(value);
    const HostObject* object = value.AsObject().get();
    if (dynamic_cast<const Font*>(object)) return "Font";
    if (dynamic_cast<const Picture*>(object)) return "Picture";
    Refuse(key, "a " + std::string(object->KindName()) + " object cannot be stored");
  }

  std::optional<OrderedJson> Value(std::string_view key, const Variant& value) const {
    switch (value.Type()) {
      case VarType::Empty:
      case VarType::Null:
        return std::nullopt;
      case VarType::Integer:
        return OrderedJson(static_cast<std::int64_t>(value.AsInteger()));
      case VarType::Long:
        return OrderedJson(static_cast<std::int64_t>(value.AsLong()));
      case VarType::Single:
        return OrderedJson(StoredSingle(static_cast<float>(Finite(key, value.AsSingle(), "Single"))));
      case VarType::Double:
        return OrderedJson(Finite(key, value.AsDouble(), "Double"));
      case VarType::Date: {
        if (std::optional<std::string> text = DateText(value.AsDate())) return OrderedJson(*text);
        Refuse(key, "Date value outside the years 100 to 9999");
      }
      case VarType::String:
        return OrderedJson(ToUtf8(value.AsString()));
      case VarType::Boolean:
        return OrderedJson(value.AsBoolean());
      case VarType::Object:
        break;
    }
    const HostObject* object = value.AsObject().get();
    if (!object) return std::nullopt;
    if (const auto* font = dynamic_cast<const Font*>(object)) {
      OrderedJson stored = OrderedJson::object();
      stored["name"] = ToUtf8(font->name);
      stored["size"] = StoredSingle(static_cast<float>(Finite(key, font->size, "Font size")));
      stored["weight"] = font->weight;
      stored["charset"] = font->charset;
      stored["bold"] = font->bold;
      stored["italic"] = font->italic;
      stored["underline"] = font->underline;
      stored["strikethrough"] = font->strikethrough;
      return stored;
    }
    const auto& picture = dynamic_cast<const Picture&>(*object);  // StoredType let only these through
    OrderedJson stored = OrderedJson::object();
    stored["width"] = picture.width;
    stored["height"] = picture.height;
    stored["bits"] = Base64Encode(picture.bits);
    return stored;
  }

  std::string control_;
};

// --- Reading -------------------------------------------------------------------------------

[[noreturn]] void RaiseTooLarge(std::string_view source) {
  throw HostError(errors::kInvalidFileFormat, std::string(source) + ": larger than 64 MiB");
}

struct NestedTooDeep {};
struct RepeatedMember {
  std::string name;
};

// Parses with the nesting bounded: the callback sees every container open before it is built and
// stops the parse there, and it refuses an object naming a member twice (the parser would keep
// the last silently).
Json ParseBounded(std::string_view text) {
  std::vector<std::set<std::string, std::less<>>> open_objects;
  const Json::parser_callback_t check = [&open_objects](int depth, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
        if (depth >= kMaxFormNesting) throw NestedTooDeep{};
        open_objects.emplace_back();
        break;
      case Json::parse_event_t::array_start:
        if (depth >= kMaxFormNesting) throw NestedTooDeep{};
        break;
      case Json::parse_event_t::object_end:
        open_objects.pop_back();
        break;
      case Json::parse_event_t::key:
        if (parsed.is_string() && !open_objects.empty() &&
            !open_objects.back().insert(parsed.get_ref<const std::string&>()).second) {
          throw RepeatedMember{parsed.get_ref<const std::string&>()};
        }
        break;
      default:
        break;
    }
    return true;
  };
  return Json::parse(text.begin(), text.end(), check);
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
    const Json document = Parse(text);
    if (!document.is_object()) Fail("", "not a JSON object");
    OnlyMembers(document, {"form", "version", "controls"}, "");
    const Json& form = Member(document, "form", "");
    if (!form.is_string() || form.get_ref<const std::string&>() != kFormTag) {
      Fail("", "\"form\" is not " + Quoted(kFormTag));
    }
    const Json& version = Member(document, "version", "");
    if (!version.is_number_integer()) Fail("", "\"version\" is not an integer");
    if (version.is_number_unsigned() ? version.get<std::uint64_t>() != static_cast<std::uint64_t>(kFormVersion)
                                     : version.get<std::int64_t>() != kFormVersion) {
      Fail("", "unsupported version " + version.dump());
    }
    const Json& controls = Member(document, "controls", "");
    if (!controls.is_array()) Fail("", "\"controls\" is not an array");

    std::vector<StoredControl> read;
    std::set<std::u16string> names;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      read.push_back(Control(controls[i], "controls[" + std::to_string(i) + "]"));
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

  Json Parse(std::string_view text) const {
    try {
      return ParseBounded(text);
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

  void OnlyMembers(const Json& object, std::initializer_list<std::string_view> allowed,
                   const std::string& where) const {
    for (const auto& member : object.items()) {
      bool known = false;
      for (std::string_view name : allowed) known = known || member.key() == name;
      if (!known) Fail(where, "unexpected member " + Quoted(member.key()));
    }
  }

  const Json* Find(const Json& object, std::string_view name) const {
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
  }

  const Json& Member(const Json& object, std::string_view name, const std::string& where) const {
    const Json* member = Find(object, name);
    if (!member) Fail(where, "missing " + Quoted(name));
    return *member;
  }

  const std::string& StringMember(const Json& object, std::string_view name, const std::string& where) const {
    const Json& member = Member(object, name, where);
    if (!member.is_string()) Fail(where, Quoted(name) + " is not a string");
    return member.get_ref<const std::string&>();
  }

  StoredControl Control(const Json& stored, const std::string& position) const {
    if (!stored.is_object()) Fail(position, "not a JSON object");
    StoredControl control;
    control.name = FromUtf8(StringMember(stored, "name", position));
    const std::string where = "control " + Quoted(ToUtf8(control.name));
    OnlyMembers(stored, {"name", "class", "properties"}, where);
    control.class_name = StringMember(stored, "class", where);
    const Json& properties = Member(stored, "properties", where);
    if (!properties.is_array()) Fail(where, "\"properties\" is not an array");
    for (std::size_t i = 0; i < properties.size(); ++i) {
      Property(properties[i], where, where + ", properties[" + std::to_string(i) + "]", control.properties);
    }
    return control;
  }

  void Property(const Json& stored, const std::string& control, const std::string& position, PropertyBag& bag) const {
    if (!stored.is_object()) Fail(position, "not a JSON object");
    const std::string& key = StringMember(stored, "key", position);
    const std::string where = control + ", key " + Quoted(key);
    OnlyMembers(stored, {"key", "type", "value"}, where);
    const std::string& type = StringMember(stored, "type", where);
    if (bag.Contains(key)) Fail(where, "key stored twice");
    const Json* value = Find(stored, "value");
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

  Variant Value(const std::string& type, const Json* value, const std::string& where) const {
    if (type == "Empty") return Variant();
    if (type == "Null") return Variant::Null();
    if (type == "Nothing") return Variant::Object(nullptr);
    if (!IsKnownType(type)) Fail(where, "unknown type " + Quoted(type));
    const Json& stored = *value;
    if (type == "Integer") return Variant::Integer(Whole<std::int16_t>(stored, "Integer value", where));
    if (type == "Long") return Variant::Long(Whole<std::int32_t>(stored, "Long value", where));
    if (type == "Single") return Variant::Single(Single(stored, "Single value", where));
    if (type == "Double") {
      if (!stored.is_number()) Fail(where, "Double value is not a number");
      return Variant::Double(stored.get<double>());
    }
    if (type == "Date") {
      if (!stored.is_string()) Fail(where, "Date value is not a string");
      const DateReading reading = DateFromText(stored.get_ref<const std::string&>());
      if (reading.problem == DateProblem::kForm) Fail(where, "Date value is not YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS");
      if (reading.problem == DateProblem::kRange) Fail(where, "Date value out of range");
      return Variant::FromDate(reading.date);
    }
    if (type == "String") {
      if (!stored.is_string()) Fail(where, "String value is not a string");
      return Variant::String(FromUtf8(stored.get_ref<const std::string&>()));
    }
    if (type == "Boolean") {
      if (!stored.is_boolean()) Fail(where, "Boolean value is not true or false");
      return Variant::Boolean(stored.get<bool>());
    }
    if (type == "Font") return Variant::Object(ReadFont(stored, where));
    return Variant::Object(ReadPicture(stored, where));
  }

  // A JSON integer that fits T.
  template <typename T>
  T Whole(const Json& stored, const std::string& what, const std::string& where) const {
    if (!stored.is_number_integer()) Fail(where, what + " is not an integer");
    constexpr auto kLow = static_cast<std::int64_t>(std::numeric_limits<T>::min());
    constexpr auto kHigh = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    std::int64_t whole = 0;
    if (stored.is_number_unsigned()) {
      const auto unsigned_whole = stored.get<std::uint64_t>();
      if (unsigned_whole > static_cast<std::uint64_t>(kHigh)) Fail(where, what + " out of range");
      whole = static_cast<std::int64_t>(unsigned_whole);
    } else {
      whole = stored.get<std::int64_t>();
    }
    if (whole < kLow || whole > kHigh) Fail(where, what + " out of range");
    return static_cast<T>(whole);
  }

  float Single(const Json& stored, const std::string& what, const std::string& where) const {
    if (!stored.is_number()) Fail(where, what + " is not a number");
    const std::optional<float> single = SingleFromStored(stored.get<double>());
    if (!single) Fail(where, what + " out of range");
    return *single;
  }

  bool Flag(const Json& object, std::string_view name, const std::string& where) const {
    const Json& member = Member(object, name, where);
    if (!member.is_boolean()) Fail(where, "Font " + Quoted(name) + " is not true or false");
    return member.get<bool>();
  }

  std::shared_ptr<Font> ReadFont(const Json& stored, const std::string& where) const {
    if (!stored.is_object()) Fail(where, "Font value is not a JSON object");
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

  std::shared_ptr<Picture> ReadPicture(const Json& stored, const std::string& where) const {
    if (!stored.is_object()) Fail(where, "Picture value is not a JSON object");
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
};

[[noreturn]] void RaiseAccess(const std::filesystem::path& path, const std::string& what) {
  throw HostError(errors::kPathFileAccessError, "Path/File access error: " + path.string() + ": " + what);
}

}  // namespace

std::string FormatForm(const std::vector<StoredControl>& controls) {
  OrderedJson stored_controls = OrderedJson::array();
  std::set<std::string> names;
  FormWriter writer;
  for (const StoredControl& control : controls) {
    // A file naming a control twice would not read back. Compared as written, where unpaired
    // surrogates have all become U+FFFD.
    if (!names.insert(ToUtf8(control.name)).second) {
      throw HostError(errors::kInvalidPropertyValue,
                      "Invalid property value: control \"" + ToUtf8(control.name) + "\" named twice");
    }
    stored_controls.push_back(writer.Control(control));
  }
  OrderedJson document = OrderedJson::object();
  document["form"] = kFormTag;
  document["version"] = kFormVersion;
  document["controls"] = std::move(stored_controls);
  return document.dump(2) + "\n";
}

std::vector<StoredControl> ParseForm(std::string_view json, std::string_view source) {
  return FormReader(source).Read(json);
}

std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path) {
  const std::string source = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw HostError(errors::kFileNotFound, "File not found: " + path.string());
  // The size on disk refuses a large file without reading it; the capped read below also stops a
  // file that grows, or a device that never ends.
  std::error_code size_error;
  const std::uintmax_t size = std::filesystem::file_size(path, size_error);
  if (!size_error && size > kMaxFormFileBytes) RaiseTooLarge(source);
  std::string text;
  std::array<char, 1 << 16> chunk{};
  while (text.size() <= kMaxFormFileBytes && in.read(chunk.data(), chunk.size()).gcount() > 0) {
    text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) RaiseAccess(path, "cannot read the file");
  return ParseForm(text, source);
}

void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls) {
  const std::string text = FormatForm(controls);  // refuses an unstorable value before touching the disk

  // The temporary file is named for this process, so writers within it take turns.
  static std::mutex writing;
  const std::lock_guard<std::mutex> lock(writing);
  std::filesystem::path temporary = path;
  temporary += ".tmp-" + std::to_string(::getpid());
  std::error_code ignored;

  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) RaiseAccess(path, "cannot create " + temporary.string());
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  const bool written = out.good();
  out.close();
  if (!written || out.fail()) {
    std::filesystem::remove(temporary, ignored);
    RaiseAccess(path, "cannot write " + temporary.string());
  }
  // A replaced file keeps its permissions.
  if (const auto status = std::filesystem::status(path, ignored); std::filesystem::is_regular_file(status)) {
    std::filesystem::permissions(temporary, status.permissions(), ignored);
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, path, renamed);
  if (renamed) {
    std::filesystem::remove(temporary, ignored);
    RaiseAccess(path, renamed.message());
  }
}

}  // namespace kestrow::host
