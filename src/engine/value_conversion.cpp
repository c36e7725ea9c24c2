// Value: converts the edited text into a value of the field's type, and a written value into
// what the field stores and shows.
#include <cmath>
#include <optional>
#include <vector>

#include "engine/common_module.h"
#include "engine/text_engine.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "typed_number.h"

namespace kestrow::engine {

using host::Variant;

namespace {

constexpr int kSecondsPerDay = 86400;

// A part of a date, or nothing when its number does not fit a 16-bit integer.
std::optional<std::int16_t> ReadDatePart(std::u16string_view text) {
  try {
    return host::RoundToInteger(host::ReadNumber(text));
  } catch (const host::HostError&) {
    return std::nullopt;
  }
}

std::u16string_view Mid(std::u16string_view text, std::size_t start, std::size_t length) {
  return start - 1 < text.size() ? text.substr(start - 1, length) : std::u16string_view{};
}

bool AllBlanks(std::u16string_view text) {
  return !text.empty() && text.find_first_not_of(u' ') == std::u16string_view::npos;
}

Variant DateOrNull(std::int16_t day, std::int16_t month, std::int16_t year) {
  if (!CommonModule::IsValidDate(day, month, year)) return Variant::Null();
  return Variant::FromDate(host::DateSerial(year, month, day));
}

std::vector<std::u16string_view> SplitAtSlashes(std::u16string_view text) {
  std::vector<std::u16string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const auto slash = text.find(u'/', start);
    parts.push_back(text.substr(start, slash == std::u16string_view::npos ? std::u16string_view::npos : slash - start));
    if (slash == std::u16string_view::npos) return parts;
    start = slash + 1;
  }
}

// A date without its time of day; from noon on it is the next day.
host::Date NearestWholeDay(host::Date date) {
  const host::CivilDate civil = host::CivilOf(date);
  const int carry = host::SecondsOfDay(date) * 2 >= kSecondsPerDay ? 1 : 0;
  return host::DateSerial(civil.year, civil.month, civil.day + carry);
}

Variant FirstCharacters(const Variant& v, std::int16_t length) {
  if (!v.IsString()) return Variant::Null();
  return Variant::String(v.AsString().substr(0, static_cast<std::size_t>(std::max<std::int16_t>(length, 0))));
}

}  // namespace

Variant TextEngine::Value() {
  if (m_HasFocus && m_DataType >= dtAlphaNumeric && m_DataType <= dtLogical) {
    m_Value = ReadEditedValue();
  }
  return m_Value;
}

Variant TextEngine::ReadEditedValue() const {
  const std::u16string& t = text1_.Text();
  switch (m_DataType) {
    case dtAlphaNumeric: return Variant::String(std::u16string(host::TrimBlanks(StripLiterals(t))));
    case dtNumeric: return ReadEditedNumber();
    case dtDate: return ReadEditedDate();
    case dtPassword: return Variant::String(t);
    default: return Variant::Integer(t == u"Yes  " || t == u"True " ? 1 : 0);
  }
}

Variant TextEngine::ReadEditedNumber() const { return Variant::Double(ReadTypedNumber(StripLiterals(text1_.Text()))); }

Variant TextEngine::ReadEditedDate() const {
  const std::u16string_view t = text1_.Text();
  if (t == m_DisplayMask) return Variant::String(u"");
  std::u16string_view dayText, monthText, yearText;
  switch (m_InputFormat) {
    case dtAmericanDate: monthText = Mid(t, 1, 2), dayText = Mid(t, 4, 2), yearText = Mid(t, 7, 4); break;
    case dtBritishDate: dayText = Mid(t, 1, 2), monthText = Mid(t, 4, 2), yearText = Mid(t, 7, 4); break;
    case dtJapanDate: yearText = Mid(t, 1, 4), monthText = Mid(t, 6, 2), dayText = Mid(t, 9, 2); break;
    default: return DateOrNull(0, 0, 0);
  }
  const auto day = ReadDatePart(dayText);
  const auto month = ReadDatePart(monthText);
  const auto year = AllBlanks(yearText)
                        ? std::optional<std::int16_t>(static_cast<std::int16_t>(host::CivilOf(host::Today()).year))
                        : ReadDatePart(yearText);
  if (!day || !month || !year) return Variant::Null();
  return DateOrNull(*day, *month, *year);
}

void TextEngine::SetValue(const Variant& New_Value) {
  Variant v = New_Value;
  switch (m_DataType) {
    case dtAlphaNumeric:
    case dtPassword: v = FirstCharacters(v, m_Length); break;
    case dtNumeric: v = ConvertForNumeric(v); break;
    case dtDate: v = ConvertForDate(v); break;
    case dtLogical: v = ConvertForLogical(v); break;
    default: break;
  }
  if (v.IsNull()) {
    site_->MsgBox(u"Invalid Property Value", host::buttons::kCritical, u"Valid Text Box");
    return;
  }
  m_Value = v;
  site_->PropertyChanged("Value");
  RefreshDisplay();
}

Variant TextEngine::ConvertForNumeric(const Variant& v) const {
  Variant result = Variant::Integer(0);
  if (!v.IsNull()) {
    const double number = host::ReadNumber(host::ToText(v));
    if (number < 0 && m_InputFormat == dtDigits) return Variant::Null();
    const int d = m_DecimalPlaces;
    const double f =
        host::ReadNumber(std::u16string(static_cast<std::size_t>(std::max(d, 0)), u'9')) * std::pow(10.0, -d);
    const int a = d > 0 ? m_Length - d - 2 : m_Length - 1;
    const int b = d > 0 ? m_Length - d - 1 : m_Length;
    if (number < 0 && std::fabs(number) > std::pow(10.0, a) - 1 + f) return Variant::Null();
    if (number > std::pow(10.0, b) - 1 + f) return Variant::Null();
    result = Variant::Double(number == 0 ? 0.0 : number);
  }
  // A mask without a sign position stores no negative value.
  const auto sign = m_Mask.find(u'#');
  if (sign == std::u16string::npos || static_cast<std::int32_t>(sign) != FirstEditPos()) {
    if (result.Type() == host::VarType::Double) result = Variant::Double(std::fabs(result.AsDouble()));
  }
  return result;
}

Variant TextEngine::ConvertForDate(const Variant& v) const {
  if (v.Type() == host::VarType::Date) return Variant::FromDate(NearestWholeDay(v.AsDate()));
  if (!v.IsString()) return Variant::Null();
  if (v.AsString().empty()) return Variant::String(m_DisplayMask);
  return DateFromParts(v.AsString());
}

// A date text in the field's own order of day, month and year, with "/", "-" or "." between
// them; anything else goes to the host's general conversion.
Variant TextEngine::DateFromParts(std::u16string_view text) const {
  std::u16string t(text);
  for (char16_t& c : t) {
    if (c == u'-' || c == u'.') c = u'/';
  }
  const auto parts = SplitAtSlashes(t);
  if (parts.size() >= 3) {
    std::u16string_view dayText, monthText, yearText;
    switch (m_InputFormat) {
      case dtAmericanDate: monthText = parts[0], dayText = parts[1], yearText = parts[2]; break;
      case dtBritishDate: dayText = parts[0], monthText = parts[1], yearText = parts[2]; break;
      case dtJapanDate: yearText = parts[0], monthText = parts[1], dayText = parts[2]; break;
      default: break;
    }
    if (yearText.find_first_not_of(u' ') == std::u16string_view::npos) return Variant::Null();
    const auto day = ReadDatePart(dayText);
    const auto month = ReadDatePart(monthText);
    const auto year = ReadDatePart(yearText);
    if (!day || !month || !year) return Variant::Null();
    const Variant date = DateOrNull(*day, *month, *year);
    if (!date.IsNull()) return date;
  }
  const auto general = host::ParseDate(text);
  return general ? Variant::FromDate(*general) : Variant::Null();
}

Variant TextEngine::ConvertForLogical(const Variant& v) const {
  switch (v.Type()) {
    case host::VarType::String: {
      const std::u16string first = host::ToUpperCase(v.AsString().substr(0, 1));
      if (first == u"1" || first == u"T" || first == u"Y") return Variant::Integer(1);
      if (first == u"0" || first == u"F" || first == u"N") return Variant::Integer(0);
      return Variant::Null();
    }
    case host::VarType::Boolean: return Variant::Integer(v.AsBoolean() ? 1 : 0);
    case host::VarType::Integer:
    case host::VarType::Long:
    case host::VarType::Double: {
      const double number = host::ToDouble(v);
      if (number == 1) return Variant::Integer(1);
      if (number == 0) return Variant::Integer(0);
      return Variant::Null();
    }
    default: return v;
  }
}

}  // namespace kestrow::engine
