// The variant's conversions between subtypes, with the host's errors.
#include "kestrow/host/values/variant.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// A complete number: blanks around, an optional sign, digits with at most one point (at least one
// digit in all), an optional exponent with digits. Nothing else, unlike ReadNumber's prefix rule.
bool IsNumberText(std::u16string_view text) {
  text = TrimBlanks(text);
  std::size_t i = 0;
  auto takeDigits = [&] {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i - start;
  };
  auto takeSign = [&] {
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  };
  takeSign();
  std::size_t mantissa = takeDigits();
  if (i < text.size() && text[i] == u'.') {
    ++i;
    mantissa += takeDigits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
    ++i;
    takeSign();
    if (takeDigits() == 0) return false;
  }
  return i == text.size();
}

double NumberOfText(const std::u16string& text) {
  if (!IsNumberText(text)) errors::RaiseTypeMismatch();
  return ReadNumber(text);
}

bool IsNumeric(VarType type) {
  return type == VarType::Integer || type == VarType::Long || type == VarType::Single || type == VarType::Double;
}

// Any subtype that has a numeric reading; raises for the others.
double NumberOf(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty: return 0.0;
    case VarType::Null: errors::RaiseInvalidUseOfNull();
    case VarType::Integer: return value.AsInteger();
    case VarType::Long: return value.AsLong();
    case VarType::Single: return static_cast<double>(value.AsSingle());
    case VarType::Double: return value.AsDouble();
    case VarType::Date: return value.AsDate().serial;
    case VarType::String: return NumberOfText(value.AsString());
    case VarType::Boolean: return value.AsBoolean() ? -1.0 : 0.0;
    case VarType::Object: break;
  }
  errors::RaiseTypeMismatch();
}

// Halves to even on the exact binary value, as the host's integer conversions do.
double RoundBinaryHalfEven(double x) {
  double rounded = std::round(x);
  if (std::fabs(rounded - x) == 0.5 && std::fmod(rounded, 2.0) != 0.0) rounded -= std::copysign(1.0, x);
  return rounded;
}

template <typename Int>
Int RoundedTo(double x) {
  const double rounded = RoundBinaryHalfEven(x);
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    errors::RaiseOverflow();
  }
  return static_cast<Int>(rounded);
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i] >= u'A' && text[i] <= u'Z' ? static_cast<char16_t>(text[i] + 32) : text[i];
    if (c != lower[i]) return false;
  }
  return true;
}

// Serials the host accepts as dates: 1 January 100 to the last moment of 31 December 9999.
Date CheckedDate(double serial) {
  static const double first = DateSerial(100, 1, 1).serial;
  static const double last = DateSerial(9999, 12, 31).serial;
  if (!(serial > first - 1.0 && serial < last + 1.0)) errors::RaiseOverflow();
  return Date{serial};
}

std::u16string DateText(Date date) {
  std::u16string text = FormatDate(date, u"DD/MM/YYYY");
  const int seconds = SecondsOfDay(date);
  if (seconds == 0) return text;
  const char16_t time[] = {
      u' ', static_cast<char16_t>(u'0' + seconds / 36000),   static_cast<char16_t>(u'0' + seconds / 3600 % 10),
      u':', static_cast<char16_t>(u'0' + seconds / 600 % 6), static_cast<char16_t>(u'0' + seconds / 60 % 10),
      u':', static_cast<char16_t>(u'0' + seconds % 60 / 10), static_cast<char16_t>(u'0' + seconds % 10),
  };
  return text.append(time, std::size(time));
}

}  // namespace

std::string TypeName(const Variant& value) {
  static constexpr const char* kNames[] = {"Empty",  "Null", "Integer", "Long",   "Single",
                                           "Double", "Date", "String",  "Boolean"};
  if (value.Type() != VarType::Object) return kNames[static_cast<std::size_t>(value.Type())];
  const auto& object = value.AsObject();
  return object ? std::string(object->KindName()) : "Nothing";
}

std::int16_t detail::ConvertedToInteger(const Variant& value) { return RoundedTo<std::int16_t>(NumberOf(value)); }

std::int32_t ToLong(const Variant& value) {
  if (value.Type() == VarType::Long) return value.AsLong();
  return RoundedTo<std::int32_t>(NumberOf(value));
}

float ToSingle(const Variant& value) {
  if (value.Type() == VarType::Single) return value.AsSingle();
  const double number = NumberOf(value);
  if (std::fabs(number) > static_cast<double>(FLT_MAX)) errors::RaiseOverflow();
  return static_cast<float>(number);
}

double ToDouble(const Variant& value) { return NumberOf(value); }

bool ToBoolean(const Variant& value) {
  if (value.IsString()) {
    const std::u16string_view text = TrimBlanks(value.AsString());
    if (EqualsIgnoringAsciiCase(text, u"true")) return true;
    if (EqualsIgnoringAsciiCase(text, u"false")) return false;
  }
  return NumberOf(value) != 0.0;
}

Date ToDate(const Variant& value) {
  switch (value.Type()) {
    case VarType::Date: return value.AsDate();
    case VarType::Null: errors::RaiseInvalidUseOfNull();
    case VarType::String: {
      if (const auto date = ParseDate(value.AsString())) return *date;
      errors::RaiseTypeMismatch();
    }
    default:
      if (IsNumeric(value.Type())) return CheckedDate(NumberOf(value));
      errors::RaiseTypeMismatch();
  }
}

std::u16string ToText(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty: return u"";
    case VarType::Null: errors::RaiseInvalidUseOfNull();
    case VarType::Integer: return FromUtf8(std::to_string(value.AsInteger()));
    case VarType::Long: return FromUtf8(std::to_string(value.AsLong()));
    case VarType::Single: return SingleText(value.AsSingle());
    case VarType::Double: return NumberText(value.AsDouble());
    case VarType::Date: return DateText(value.AsDate());
    case VarType::String: return value.AsString();
    case VarType::Boolean: return value.AsBoolean() ? u"True" : u"False";
    case VarType::Object: break;
  }
  errors::RaiseTypeMismatch();
}

bool NumericallyEquals(const Variant& value, double n) {
  if (value.IsEmpty()) return n == 0;  // Empty compares as 0, as the host's comparisons do
  if (IsNumeric(value.Type()) || value.Type() == VarType::Boolean) return NumberOf(value) == n;
  if (!value.IsString() || !IsNumberText(value.AsString())) return false;
  try {
    return ReadNumber(value.AsString()) == n;
  } catch (const HostError&) {  // too large to be any double
    return false;
  }
}

}  // namespace kestrow::host
