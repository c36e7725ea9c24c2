// The format properties: each setting is checked against the data type and refused with a
// message when it does not fit; what fits is stored, reported and, where it shapes the mask,
// followed by a mask rebuild.
#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <vector>

#include "engine/format_rules.h"
#include "engine/text_engine.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::engine {

using host::Variant;

namespace {

constexpr std::u16string_view kInvalid = u"Invalid Property Value";
constexpr std::u16string_view kReadOnly = u"Property is Read Only";
constexpr std::u16string_view kTooManyDigits = u"Invalid Property Value\r\n\r\n(Only 20 Digits Allowed)";
constexpr std::u16string_view kTooManyDecimals = u"Invalid Property Value\r\n\r\n(Only 16 Decimals Allowed)";
constexpr std::u16string_view kNoInputPosition = u"Invalid Property Value,\r\nNo Space to Input Data";

bool IsDigitCode(char16_t c) { return kNumericCodes.find(c) != std::u16string_view::npos; }

// Counts end up in 16-bit settings; a count that does not fit is the host's overflow.
std::int16_t ToCount(std::ptrdiff_t count) {
  if (count > INT16_MAX) host::errors::RaiseOverflow();
  return static_cast<std::int16_t>(count);
}

std::int16_t CountDigitCodes(std::u16string_view text) {
  return ToCount(std::count_if(text.begin(), text.end(), IsDigitCode));
}

struct MeasuredMask {
  std::u16string mask;
  std::int16_t length = 0;
  std::int16_t decimalPlaces = 0;
};

// A numeric mask keeps one decimal point, not at its end, with a digit before it.
MeasuredMask MeasureNumericMask(std::u16string s) {
  if (s.front() == u'.') s.insert(0, u"9");
  auto p = s.find(u'.');
  if (p != std::u16string::npos) {
    std::u16string after = s.substr(p + 1);
    std::erase(after, u'.');
    s = s.substr(0, p + 1) + after;
    if (p + 1 == s.size()) {
      s.pop_back();
      p = std::u16string::npos;
    }
  }
  MeasuredMask measured;
  if (p != std::u16string::npos) {
    if (CountDigitCodes(std::u16string_view(s).substr(0, p)) == 0) {
      s.insert(0, u"9");
      ++p;
    }
    measured.length = ToCount(CountDigitCodes(s) + 1);
    measured.decimalPlaces = CountDigitCodes(std::u16string_view(s).substr(p + 1));
  } else {
    measured.length = CountDigitCodes(s);
  }
  measured.mask = std::move(s);
  return measured;
}

MeasuredMask MeasureAlphaNumericMask(std::u16string_view s) {
  const auto codes = std::count_if(s.begin(), s.end(),
                                   [](char16_t c) { return kAlphaNumericCodes.find(c) != std::u16string_view::npos; });
  return {std::u16string(s), ToCount(codes), 0};
}

}  // namespace

// What was typed under the old settings cannot be taken back under the new ones.
void TextEngine::ReportSetting(std::string_view property) {
  history_.Forget();
  site_->PropertyChanged(property);
}

void TextEngine::Refuse(std::u16string_view prompt) {
  site_->MsgBox(prompt, host::buttons::kCritical, u"Valid Text Box");
}

void TextEngine::SetAlignment(std::int32_t New_Alignment) {
  if (New_Alignment < INT16_MIN || New_Alignment > INT16_MAX) host::errors::RaiseOverflow();
  text1_.SetAlignment(static_cast<std::int16_t>(New_Alignment));
  ReportSetting("Alignment");
}

void TextEngine::SetDataType(std::int32_t New_DataType) {
  if (New_DataType < dtAlphaNumeric || New_DataType > dtLogical) {
    site_->MsgBox(kInvalid, host::buttons::kOkOnly, std::nullopt);
    return;
  }
  if (New_DataType == m_DataType) return;
  m_DataType = static_cast<std::int16_t>(New_DataType);
  ApplyDataTypeDefaults(*RulesOf(New_DataType));
  ReportSetting("DataType");
  RebuildMask();
}

// The defaults of a new data type: the members first, then the reports.
void TextEngine::ApplyDataTypeDefaults(const DataTypeRules& rules) {
  m_InputFormat = rules.input_format;
  m_DisplayFormat = rules.display_format;
  m_PadChar = rules.pad_char;
  if (!rules.decimals) m_DecimalPlaces = 0;
  if (rules.fixed_length) m_Length = *rules.fixed_length;
  switch (rules.value) {
    case InitialValue::EmptyText: m_Value = Variant::String(u""); break;
    case InitialValue::Zero: m_Value = Variant::Integer(0); break;
    case InitialValue::Today: m_Value = Variant::FromDate(host::Today()); break;
  }
  // A length or decimal count the new type cannot hold would lose what is typed (a text's 400
  // places become 400 digits that no number can hold): they are brought into its bounds.
  const TypeBoundsChange bounded = BringIntoTypeBounds();
  // Characters stay hidden exactly while the field holds a password.
  text1_.SetPasswordChar(rules.data_type == dtPassword ? m_PadChar : u"");
  SetAlignment(rules.alignment);
  for (std::string_view report : rules.reports) ReportSetting(report);
  const auto reported = [&](std::string_view name) {
    return std::ranges::find(rules.reports, name) != rules.reports.end();
  };
  if (bounded.length && !reported("Length")) ReportSetting("Length");
  if (bounded.decimalPlaces && !reported("DecimalPlaces")) ReportSetting("DecimalPlaces");
}

TypeBoundsChange TextEngine::BringIntoTypeBounds() {
  const std::int16_t length = m_Length;
  const std::int16_t decimalPlaces = m_DecimalPlaces;
  const DataTypeRules* rules = RulesOf(m_DataType);
  if (rules != nullptr && rules->decimals) {
    // A custom mask measures its own length, which the 20-digit limit does not bind.
    if (m_InputFormat != dtCustomFormat) m_Length = std::min(m_Length, kMaxNumericLength);
    m_DecimalPlaces = std::clamp(m_DecimalPlaces, std::int16_t{0}, kMaxDecimalPlaces);
  } else {
    m_DecimalPlaces = 0;
  }
  if (rules != nullptr && rules->fixed_length) m_Length = *rules->fixed_length;
  m_Length = std::max(m_Length, std::int16_t{1});
  // Decimals need a digit before the point and the point itself.
  if (m_DecimalPlaces > 0 && m_Length < m_DecimalPlaces + 2) {
    m_DecimalPlaces = static_cast<std::int16_t>(std::max(0, m_Length - 2));
  }
  return {m_Length != length, m_DecimalPlaces != decimalPlaces};
}

void TextEngine::SetInputFormat(std::int32_t New_InputFormat) {
  const std::int32_t dataType = DataType();
  if (!InputFormatFits(dataType, New_InputFormat)) {
    Refuse(kInvalid);
    return;
  }
  if (dataType == dtNumeric && New_InputFormat == dtCustomFormat && m_DisplayFormat != dtNone) {
    m_DisplayFormat = dtNone;
    ReportSetting("DisplayFormat");
  }
  if (dataType == dtPassword && New_InputFormat == dtStarFormat) {
    m_PadChar = u"*";
    ReportSetting("PadChar");
    text1_.SetPasswordChar(u"*");
  }
  m_InputFormat = static_cast<std::int16_t>(New_InputFormat);
  ReportSetting("InputFormat");
  RebuildMask();
}

void TextEngine::SetDisplayFormat(std::int32_t New_DisplayFormat) {
  if (!DisplayFormatFits(m_DataType, InputFormat(), New_DisplayFormat)) {
    Refuse(kInvalid);
    return;
  }
  m_DisplayFormat = static_cast<std::int16_t>(New_DisplayFormat);
  ReportSetting("DisplayFormat");
  if (m_DataType == dtNumeric || m_DataType == dtDate) RebuildMask();
}

void TextEngine::SetPadChar(std::u16string_view New_PadChar) {
  const bool customPassword = m_DataType == dtPassword && m_InputFormat == dtCustomFormat;
  if (m_DataType != dtAlphaNumeric && m_DataType != dtNumeric && !customPassword) {
    Refuse(kReadOnly);
    return;
  }
  // A password is shown as its padding character; without one it could not be shown at all.
  if (customPassword && New_PadChar.empty()) {
    Refuse(kInvalid);
    return;
  }
  m_PadChar = New_PadChar.empty() ? std::u16string() : std::u16string(1, New_PadChar.front());
  ReportSetting("PadChar");
  if (m_DataType == dtPassword) {
    text1_.SetPasswordChar(m_PadChar);
    RebuildMask();
  }
}

void TextEngine::SetMask(std::u16string_view New_Mask) {
  if (m_InputFormat != dtCustomFormat || m_DataType == dtPassword) {
    Refuse(kReadOnly);
    return;
  }
  if (New_Mask.empty()) {
    Refuse(kInvalid);
    return;
  }
  const bool numeric = DataType() == dtNumeric;
  const MeasuredMask measured =
      numeric ? MeasureNumericMask(std::u16string(New_Mask)) : MeasureAlphaNumericMask(New_Mask);
  if (measured.length == 0) {
    Refuse(kNoInputPosition);
    return;
  }
  m_Length = measured.length;
  m_DecimalPlaces = measured.decimalPlaces;
  ReportSetting("Length");
  ReportSetting("DecimalPlaces");
  m_Mask = measured.mask;
  ReportSetting("Mask");
  m_DisplayMask = BlankedCodes(m_Mask, numeric ? kNumericCodes : kAlphaNumericCodes);
  RebuildMask();
}

void TextEngine::SetAutoTab(bool New_AutoTab) {
  m_AutoTab = New_AutoTab;
  ReportSetting("AutoTab");
}

void TextEngine::SetAutoSelect(bool New_AutoSelect) {
  m_AutoSelect = New_AutoSelect;
  ReportSetting("AutoSelect");
}

void TextEngine::SetLength(std::int16_t New_Length) {
  if (New_Length <= 0 || (m_DecimalPlaces != 0 && New_Length < m_DecimalPlaces + 2)) {
    Refuse(kInvalid);
    return;
  }
  if (m_DataType == dtNumeric && New_Length > kMaxNumericLength) {
    Refuse(kTooManyDigits);
    return;
  }
  const DataTypeRules* rules = RulesOf(m_DataType);
  const bool fits = (rules == nullptr || !rules->fixed_length || New_Length == *rules->fixed_length) &&
                    (m_InputFormat != dtCustomFormat || m_DataType == dtPassword);
  if (!fits) {
    Refuse(kReadOnly);
    return;
  }
  m_Length = New_Length;
  ReportSetting("Length");
  RebuildMask();
}

void TextEngine::SetDecimalPlaces(std::int16_t New_DecimalPlaces) {
  const DataTypeRules* rules = RulesOf(m_DataType);
  const bool decimals = rules != nullptr && rules->decimals;
  if ((!decimals && New_DecimalPlaces != 0) || (decimals && New_DecimalPlaces < 0) ||
      New_DecimalPlaces + 2 > m_Length) {
    Refuse(kInvalid);
    return;
  }
  if (New_DecimalPlaces > kMaxDecimalPlaces) {
    Refuse(kTooManyDecimals);
    return;
  }
  m_DecimalPlaces = New_DecimalPlaces;
  ReportSetting("DecimalPlaces");
  RebuildMask();
}

}  // namespace kestrow::engine
