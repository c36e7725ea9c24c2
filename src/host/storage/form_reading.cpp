// Reading a form's JSON text in one pass over nlohmann's SAX events. Each member is checked as it
// is read, so the first fault in the text is the one reported, with its line and column, and
// reading stops there: nothing the form has no place for is ever held, and what is kept is the
// controls read so far, however large or deep a hostile file is.
#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <memory>
#include <span>
#include <unordered_set>

#include <nlohmann/json.hpp>

#include "host/storage/form_values.h"
#include "kestrow/host/storage/form_file.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using Json = nlohmann::json;
using namespace form_values;

// The parser's input: the text's bytes, with how far it has read kept where the reader sees it,
// so a fault found at an event is placed at the last byte read.
class TrackedInput {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using reference = const char&;

  TrackedInput(const char* at, const char** read_to) : at_(at), read_to_(read_to) {}
  const char& operator*() const { return *at_; }
  TrackedInput& operator++() {
    *read_to_ = ++at_;
    return *this;
  }
  bool operator==(const TrackedInput& other) const { return at_ == other.at_; }

 private:
  const char* at_;
  const char** read_to_;
};

// Where the parser is in the form's shape.
enum class Level { kDocument, kRoot, kControls, kControl, kProperties, kProperty, kValue };

constexpr std::array<std::string_view, 3> kRootMembers{"form", "version", "controls"};
constexpr std::array<std::string_view, 3> kControlMembers{"name", "class", "properties"};
constexpr std::array<std::string_view, 3> kPropertyMembers{"key", "type", "value"};
constexpr std::array<std::string_view, 8> kFontMembers{"name", "size",   "weight",    "charset",
                                                       "bold", "italic", "underline", "strikethrough"};
constexpr std::array<std::string_view, 3> kPictureMembers{"width", "height", "bits"};

// An object being read: the members it may have, those it has named, and the one being read.
struct OpenObject {
  std::span<const std::string_view> members;
  unsigned named = 0;  // a bit a member
  std::size_t current = 0;

  bool Current(std::string_view name) const { return members[current] == name; }
};

bool IsValueless(std::string_view type) { return type == "Empty" || type == "Null" || type == "Nothing"; }

bool IsKnownType(std::string_view type) {
  constexpr std::array<std::string_view, 12> kTypes{"Empty",  "Null", "Nothing", "Integer", "Long", "Single",
                                                    "Double", "Date", "String",  "Boolean", "Font", "Picture"};
  return std::ranges::find(kTypes, type) != kTypes.end();
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// nlohmann's message without its "[json.exception.parse_error.101] " tag and the place it
// gives (the reader gives its own), in valid UTF-8: it quotes the offending bytes.
std::string ParserMessage(const std::exception& error) {
  std::string_view message = error.what();
  if (const std::size_t tagEnd = message.find("] "); message.starts_with("[json.") && tagEnd != message.npos) {
    message.remove_prefix(tagEnd + 2);
  }
  if (const std::size_t placeEnd = message.find(": "); message.starts_with("parse error") && placeEnd != message.npos) {
    message.remove_prefix(placeEnd + 2);
  }
  return ToUtf8(FromUtf8(message));
}

class FormReader {
 public:
  FormReader(std::string_view text, std::string_view source) : text_(text), source_(source), read_to_(text.data()) {}

  std::vector<StoredControl> Read() {
    if (text_.size() > kMaxFormFileBytes) RaiseTooLarge(source_);
    // Every fault raises, so the parse only returns once the whole form is read.
    static_cast<void>(Json::sax_parse(TrackedInput(text_.data(), &read_to_),
                                      TrackedInput(text_.data() + text_.size(), &read_to_), this));
    return std::move(controls_);
  }

  // --- The parser's events ---------------------------------------------------------------------
  bool null() { return Scalar(Json()); }
  bool boolean(bool value) { return Scalar(Json(value)); }
  bool number_integer(std::int64_t value) { return Scalar(Json(value)); }
  bool number_unsigned(std::uint64_t value) { return Scalar(Json(value)); }
  bool number_float(double value, const std::string& /*text*/) { return Scalar(Json(value)); }
  bool string(std::string& text) { return Scalar(Json(std::move(text))); }
  bool binary(Json::binary_t& /*bytes*/) { return true; }  // JSON text has none

  bool start_object(std::size_t /*size*/) {
    switch (level_) {
      case Level::kDocument: return Enter(Level::kRoot, root_, kRootMembers);
      case Level::kControls:
        control_stored_ = StoredControl();
        name_read_ = false;
        return Enter(Level::kControl, control_, kControlMembers);
      case Level::kProperties:
        key_read_ = false;
        type_.clear();
        value_read_ = Variant();
        return Enter(Level::kProperty, property_, kPropertyMembers);
      case Level::kProperty:
        if (property_.Current("value") && (type_ == "Font" || type_ == "Picture")) {
          ValueAllowed();
          if (type_ == "Font") {
            font_ = std::make_shared<Font>();
            return Enter(Level::kValue, value_, kFontMembers);
          }
          picture_ = std::make_shared<Picture>();
          return Enter(Level::kValue, value_, kPictureMembers);
        }
        return Scalar(Json(Json::value_t::object));
      default: return Scalar(Json(Json::value_t::object));
    }
  }
  bool start_array(std::size_t /*size*/) {
    if (level_ == Level::kRoot && root_.Current("controls")) return Entered(Level::kControls);
    if (level_ == Level::kControl && control_.Current("properties")) return Entered(Level::kProperties);
    return Scalar(Json(Json::value_t::array));
  }
  bool end_array() { return Entered(level_ == Level::kControls ? Level::kRoot : Level::kControl); }

  bool key(std::string& name) {
    OpenObject& object = Open();
    std::size_t index = 0;
    while (index < object.members.size() && object.members[index] != name) ++index;
    if (index == object.members.size()) Fail("unexpected member " + Quoted(name));
    if ((object.named >> index & 1u) != 0) Fail("JSON object names member " + Quoted(name) + " twice");
    object.named |= 1u << index;
    object.current = index;
    return true;
  }

  bool end_object() {
    const OpenObject& object = Open();
    for (std::size_t i = 0; i < object.members.size(); ++i) {
      const bool optional = level_ == Level::kProperty && object.members[i] == "value" && IsValueless(type_);
      if ((object.named >> i & 1u) == 0 && !optional) Fail("missing " + Quoted(object.members[i]));
    }
    switch (level_) {
      case Level::kRoot: return Entered(Level::kDocument);
      case Level::kControl: controls_.push_back(std::move(control_stored_)); return Entered(Level::kControls);
      case Level::kProperty:
        if (type_ == "Null") value_read_ = Variant::Null();
        if (type_ == "Nothing") value_read_ = Variant::Object(nullptr);
        control_stored_.properties.WriteProperty(key_, value_read_, Variant());
        return Entered(Level::kProperties);
      default:
        value_read_ = font_ ? Variant::Object(std::move(font_)) : Variant::Object(std::move(picture_));
        return Entered(Level::kProperty);
    }
  }

  // Syntax errors and numbers out of range, at the byte the parser reached.
  template <typename Exception>
  [[noreturn]] bool parse_error(std::size_t position, const std::string& /*token*/, const Exception& error) {
    read_to_ = text_.data() + std::min(position, text_.size());
    Fail("invalid JSON: " + ParserMessage(error));
  }

 private:
  // Names the file, the line and column, and the control and key being read.
  [[noreturn]] void Fail(const std::string& what) const {
    const std::string where = Place();
    throw HostError(errors::kInvalidFileFormat,
                    source_ + ": " + LineAndColumn() + ": " + (where.empty() ? "" : where + ": ") + what);
  }

  // Of the last byte read, counted from 1.
  std::string LineAndColumn() const {
    const std::string_view read(text_.data(), static_cast<std::size_t>(read_to_ - text_.data()));
    const std::size_t last = read.empty() ? 0 : read.size() - 1;
    const std::size_t lineStart = last == 0 ? 0 : read.rfind('\n', last - 1) + 1;  // npos + 1 is 0
    const auto line = std::count(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(lineStart), '\n') + 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(last - lineStart + 1);
  }

  bool Enter(Level level, OpenObject& object, std::span<const std::string_view> members) {
    object = OpenObject{members};
    return Entered(level);
  }
  bool Entered(Level level) {
    level_ = level;
    return true;
  }

  OpenObject& Open() {
    switch (level_) {
      case Level::kRoot: return root_;
      case Level::kControl: return control_;
      case Level::kProperty: return property_;
      default: return value_;
    }
  }

  // The control or property being read, as messages name it: by its name or key once read, else
  // by its index.
  std::string Place() const {
    if (level_ == Level::kDocument || level_ == Level::kRoot) return "";
    const bool named = name_read_ && level_ != Level::kControls;
    const std::string control = named ? "control " + Quoted(ToUtf8(control_stored_.name))
                                      : "controls[" + std::to_string(controls_.size()) + "]";
    if (level_ == Level::kControls || level_ == Level::kControl) return control;
    if (key_read_ && level_ != Level::kProperties) return control + ", key " + Quoted(key_);
    return control + ", properties[" + std::to_string(control_stored_.properties.Entries().size()) + "]";
  }

  // A value outside any container, an element of the form's arrays, or a member's value.
  bool Scalar(const Json& value) {
    switch (level_) {
      case Level::kDocument:
      case Level::kControls:
      case Level::kProperties: Fail("not a JSON object");
      case Level::kRoot: RootMember(value); break;
      case Level::kControl: ControlMember(value); break;
      case Level::kProperty: PropertyMember(value); break;
      case Level::kValue:
        if (font_) {
          FontMember(value);
        } else {
          PictureMember(value);
        }
        break;
    }
    return true;
  }

  void RootMember(const Json& value) const {
    if (root_.Current("form")) {
      if (!value.is_string() || value.get_ref<const std::string&>() != kFormTag)
        Fail("\"form\" is not " + Quoted(kFormTag));
    } else if (root_.Current("version")) {
      if (!value.is_number_integer()) Fail("\"version\" is not an integer");
      if (value != kFormVersion) Fail("unsupported version " + value.dump());
    } else {
      Fail("\"controls\" is not an array");
    }
  }

  void ControlMember(const Json& value) {
    if (control_.Current("properties")) Fail("\"properties\" is not an array");
    const std::string& text = Text(value, control_.members[control_.current]);
    if (control_.Current("class")) {
      control_stored_.class_name = text;
      return;
    }
    control_stored_.name = FromUtf8(text);
    if (!names_.insert(control_stored_.name).second) Fail("control name " + Quoted(text) + " used twice");
    name_read_ = true;
  }

  void PropertyMember(const Json& value) {
    if (property_.Current("key")) {
      key_ = Text(value, "key");
      key_read_ = true;
      if (control_stored_.properties.Contains(key_)) Fail("key stored twice");
    } else if (property_.Current("type")) {
      type_ = Text(value, "type");
      if (!IsKnownType(type_)) Fail("unknown type " + Quoted(type_));
    } else {
      ValueAllowed();
      value_read_ = Value(value);
    }
  }

  // The type says how to read the value, so it comes first, as every file written has it.
  void ValueAllowed() const {
    if (type_.empty()) Fail("\"value\" before \"type\"");  // an empty type is refused as unknown
    if (IsValueless(type_)) Fail(type_ + " takes no \"value\"");
  }

  const std::string& Text(const Json& value, std::string_view name) const {
    if (!value.is_string()) Fail(Quoted(name) + " is not a string");
    return value.get_ref<const std::string&>();
  }

  Variant Value(const Json& value) const {
    if (type_ == "Integer") return Variant::Integer(Whole<std::int16_t>(value, "Integer value"));
    if (type_ == "Long") return Variant::Long(Whole<std::int32_t>(value, "Long value"));
    if (type_ == "Single") return Variant::Single(Single(value, "Single value"));
    if (type_ == "Double") {
      if (!value.is_number()) Fail("Double value is not a number");
      return Variant::Double(value.get<double>());
    }
    if (type_ == "Date") return Variant::FromDate(DateValue(value));
    if (type_ == "String") {
      if (!value.is_string()) Fail("String value is not a string");
      return Variant::String(FromUtf8(value.get_ref<const std::string&>()));
    }
    if (type_ == "Boolean") {
      if (!value.is_boolean()) Fail("Boolean value is not true or false");
      return Variant::Boolean(value.get<bool>());
    }
    Fail(type_ + " value is not a JSON object");  // Font and Picture
  }

  Date DateValue(const Json& value) const {
    if (value.is_number()) {
      const Date date{value.get<double>()};
      if (!DateText(date)) Fail("Date value out of range");
      return date;
    }
    if (!value.is_string()) Fail("Date value is not a string or a serial number");
    const DateReading reading = DateFromText(value.get_ref<const std::string&>());
    if (reading.problem == DateProblem::kForm) Fail("Date value is not YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS");
    if (reading.problem == DateProblem::kRange) Fail("Date value out of range");
    return reading.date;
  }

  // A JSON integer that fits T.
  template <typename T>
  T Whole(const Json& value, const std::string& what) const {
    if (!value.is_number_integer()) Fail(what + " is not an integer");
    constexpr auto kHigh = static_cast<std::uint64_t>(std::numeric_limits<T>::max());
    if (value.is_number_unsigned()) {
      if (value.get<std::uint64_t>() > kHigh) Fail(what + " out of range");
      return static_cast<T>(value.get<std::uint64_t>());
    }
    if (value.get<std::int64_t>() < std::numeric_limits<T>::min()) Fail(what + " out of range");
    return static_cast<T>(value.get<std::int64_t>());
  }

  float Single(const Json& value, const std::string& what) const {
    if (!value.is_number()) Fail(what + " is not a number");
    const std::optional<float> single = SingleFromStored(value.get<double>());
    if (!single) Fail(what + " out of range");
    return *single;
  }

  // By the member's place in kFontMembers.
  void FontMember(const Json& value) {
    const std::string_view name = value_.members[value_.current];
    const std::string what = "Font " + Quoted(name);
    switch (value_.current) {
      case 0: font_->name = FromUtf8(Text(value, name)); break;
      case 1: font_->size = Single(value, what); break;
      case 2: font_->weight = Whole<std::int16_t>(value, what); break;
      case 3: font_->charset = Whole<std::int16_t>(value, what); break;
      default: {
        if (!value.is_boolean()) Fail(what + " is not true or false");
        bool* const flags[] = {&font_->bold, &font_->italic, &font_->underline, &font_->strikethrough};
        *flags[value_.current - 4] = value.get<bool>();
      }
    }
  }

  // By the member's place in kPictureMembers.
  void PictureMember(const Json& value) {
    if (value_.current == 2) {
      std::optional<std::string> bits = Base64Decode(Text(value, "bits"));
      if (!bits) Fail("Picture \"bits\" is not base64");
      picture_->bits = std::move(*bits);
      return;
    }
    const std::string what = "Picture " + Quoted(value_.members[value_.current]);
    (value_.current == 0 ? picture_->width : picture_->height) = Whole<std::int32_t>(value, what);
  }

  std::string_view text_;
  std::string source_;
  const char* read_to_;
  Level level_ = Level::kDocument;
  OpenObject root_, control_, property_, value_;
  std::vector<StoredControl> controls_;
  std::unordered_set<std::u16string> names_;
  // The control and property being read.
  StoredControl control_stored_;
  bool name_read_ = false;
  std::string key_;
  bool key_read_ = false;
  std::string type_;
  Variant value_read_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Picture> picture_;
};

}  // namespace

std::vector<StoredControl> ParseForm(std::string_view json, std::string_view source) {
  return FormReader(json, source).Read();
}

}  // namespace kestrow::host
