// The host's variant: a value that carries its own subtype, with the host's conversions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace kestrow::host {

// An object held by a variant (a font, a picture, ...); its kind names it in type names.
class HostObject {
 public:
  virtual ~HostObject() = default;
  virtual std::string_view KindName() const = 0;
};

// A point in time as the host keeps it: days since 30 December 1899, the time of day as the
// fraction. Negative serials count back from that day; their fraction still runs forward.
struct Date {
  double serial = 0.0;
  friend bool operator==(const Date&, const Date&) = default;
};

enum class VarType { Empty, Null, Integer, Long, Single, Double, Date, String, Boolean, Object };

class Variant {
 public:
  struct EmptyTag {
    friend bool operator==(EmptyTag, EmptyTag) = default;
  };
  struct NullTag {
    friend bool operator==(NullTag, NullTag) = default;
  };
  struct BooleanValue {
    bool value = false;
    friend bool operator==(BooleanValue, BooleanValue) = default;
  };

  Variant() = default;
  static Variant Null() { return Variant(NullTag{}); }
  static Variant Integer(std::int16_t value) { return Variant(value); }
  static Variant Long(std::int32_t value) { return Variant(value); }
  static Variant Single(float value) { return Variant(value); }
  static Variant Double(double value) { return Variant(value); }
  static Variant FromDate(host::Date value) { return Variant(value); }
  static Variant String(std::u16string value) { return Variant(std::move(value)); }
  static Variant Boolean(bool value) { return Variant(BooleanValue{value}); }
  static Variant Object(std::shared_ptr<HostObject> value) { return Variant(std::move(value)); }

  VarType Type() const { return static_cast<VarType>(value_.index()); }
  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsNull() const { return Type() == VarType::Null; }
  bool IsString() const { return Type() == VarType::String; }

  // Direct access; each requires the matching subtype (checked by the caller through Type()).
  std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
  std::int32_t AsLong() const { return std::get<std::int32_t>(value_); }
  float AsSingle() const { return std::get<float>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  host::Date AsDate() const { return std::get<host::Date>(value_); }
  const std::u16string& AsString() const { return std::get<std::u16string>(value_); }
  bool AsBoolean() const { return std::get<BooleanValue>(value_).value; }
  const std::shared_ptr<HostObject>& AsObject() const { return std::get<std::shared_ptr<HostObject>>(value_); }

  // Same subtype and same value (objects: the same object).
  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  using Storage = std::variant<EmptyTag, NullTag, std::int16_t, std::int32_t, float, double, host::Date, std::u16string,
                               BooleanValue, std::shared_ptr<HostObject>>;
  template <typename T>
  explicit Variant(T value) : value_(std::move(value)) {}

  Storage value_;
};

// The host's name for the subtype: "Empty", "Null", "Integer", "Long", "Single", "Double", "Date",
// "String", "Boolean", or the object's kind ("Font", "Picture"); an object variant holding no
// object is "Nothing".
std::string TypeName(const Variant& value);

// Conversions between subtypes. They raise HostError 13 (type mismatch) for a value that cannot be
// read as the target, 6 (overflow) for one outside its range and 94 (invalid use of Null) for
// Null; integers round halves to even (on the exact binary value).
namespace detail {
std::int16_t ConvertedToInteger(const Variant& value);
}
// An Integer is read in place: every event's key code goes back through here.
inline std::int16_t ToInteger(const Variant& value) {
  return value.Type() == VarType::Integer ? value.AsInteger() : detail::ConvertedToInteger(value);
}
std::int32_t ToLong(const Variant& value);
float ToSingle(const Variant& value);
double ToDouble(const Variant& value);
bool ToBoolean(const Variant& value);
// Numbers are taken as serials (overflow outside the years 100 to 9999), strings through ParseDate.
Date ToDate(const Variant& value);
// Text form: numbers in general format (at most 15 significant digits, 7 for a Single), dates as
// DD/MM/YYYY (with " HH:MM:SS" when there is a time of day), booleans "True"/"False", Empty "".
// Null raises invalid use of Null, objects type mismatch.
std::u16string ToText(const Variant& value);

// True when the value is a number (or Boolean, numeric text, or Empty as 0) equal to n.
bool NumericallyEquals(const Variant& value, double n);

}  // namespace kestrow::host
