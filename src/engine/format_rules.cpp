#include "engine/format_rules.h"

#include <algorithm>
#include <array>

#include "engine/common_module.h"

namespace kestrow::engine {

namespace {

constexpr std::int16_t kBackspace = 8;

constexpr std::array<std::int16_t, 7> kAlphaNumericInputs{dtCustomFormat,    dtAlphaDigitSpaceSymbol, dtAlphabets,
                                                          dtAlphabetsSpace,  dtAlphabetsDigitsSpace,  dtDigits,
                                                          dtDigitsSpaceSigns};
constexpr std::array<std::int16_t, 5> kNumericInputs{dtCustomFormat, dtDigits, dtDigitsSigns, dtThousandsFormat,
                                                     dtMillionsFormat};
constexpr std::array<std::int16_t, 3> kDateInputs{dtAmericanDate, dtBritishDate, dtJapanDate};
constexpr std::array<std::int16_t, 2> kPasswordInputs{dtCustomFormat, dtStarFormat};
constexpr std::array<std::int16_t, 2> kLogicalInputs{dtTrueFalseFormat, dtYesNoFormat};

constexpr std::array<std::int16_t, 4> kCaseDisplays{dtNone, dtUpperCase, dtLowerCase, dtProperCase};
constexpr std::array<std::int16_t, 3> kAccountDisplays{dtNone, dtAccountsFormat1, dtAccountsFormat2};
constexpr std::array<std::int16_t, 3> kSeparatorDisplays{dtSlashSeparator, dtDashSeparator, dtDotSeparator};
constexpr std::array<std::int16_t, 1> kPlainDisplay{dtNone};

constexpr std::array<std::string_view, 6> kAlphaNumericReports{"Alignment",     "InputFormat",   "PadChar",
                                                               "DecimalPlaces", "DisplayFormat", "Value"};
constexpr std::array<std::string_view, 5> kNumericReports{"InputFormat", "PadChar", "DisplayFormat", "Value",
                                                          "Alignment"};
constexpr std::array<std::string_view, 7> kDateReports{"InputFormat",   "PadChar", "Length",   "DecimalPlaces",
                                                       "DisplayFormat", "Value",   "Alignment"};
constexpr std::array<std::string_view, 6> kPasswordReports{"InputFormat",   "PadChar", "DecimalPlaces",
                                                           "DisplayFormat", "Value",   "Alignment"};
constexpr std::array<std::string_view, 7> kLogicalReports{"InputFormat", "PadChar",   "DecimalPlaces", "DisplayFormat",
                                                          "Value",       "Alignment", "Length"};

// By data type value.
constexpr std::array<DataTypeRules, 5> kRules{{
    {dtAlphaNumeric, kAlphaNumericInputs, kCaseDisplays, kAlphaNumericCodes, std::nullopt, false,
     dtAlphaDigitSpaceSymbol, dtNone, u"", InitialValue::EmptyText, 0, kAlphaNumericReports},
    {dtNumeric, kNumericInputs, kAccountDisplays, kNumericCodes, std::nullopt, true, dtDigits, dtNone, u"",
     InitialValue::Zero, 1, kNumericReports},
    {dtDate, kDateInputs, kSeparatorDisplays, kDateCodes, 10, false, dtBritishDate, dtSlashSeparator, u"",
     InitialValue::Today, 0, kDateReports},
    {dtPassword, kPasswordInputs, kPlainDisplay, u"", std::nullopt, false, dtStarFormat, dtNone, u"*",
     InitialValue::EmptyText, 0, kPasswordReports},
    {dtLogical, kLogicalInputs, kPlainDisplay, u"", 5, false, dtYesNoFormat, dtNone, u"", InitialValue::Zero, 0,
     kLogicalReports},
}};

bool Contains(std::span<const std::int16_t> values, std::int32_t value) {
  return std::ranges::find(values, value) != values.end();
}

bool IsDigit(std::int16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(std::int16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsOneOf(std::int16_t c, std::u16string_view set) {
  return c > 0 && set.find(static_cast<char16_t>(c)) != std::u16string_view::npos;
}

bool AlphaNumericCodeAdmits(char16_t code, std::int16_t c) {
  switch (code) {
    case u'X': return c >= 32 && c <= 126;  // every printable ASCII character
    case u'A': return IsLetter(c) || c == u'.';
    case u'S': return IsLetter(c) || c == u' ';
    case u'N': return IsLetter(c) || IsDigit(c) || IsOneOf(c, u" ,.");
    case u'9': return IsDigit(c);
    case u'#': return IsDigit(c) || IsOneOf(c, u" +-.");
    default: return false;
  }
}

bool NumericCodeAdmits(char16_t code, std::int16_t c) {
  switch (code) {
    case u'9': return IsDigit(c) || c == u'.';
    case u'#': return IsDigit(c) || c == u'+' || c == u'-';  // the sign position
    default: return false;
  }
}

}  // namespace

std::u16string BlankedCodes(std::u16string_view mask, std::u16string_view codes) {
  return CommonModule::TranslateChars(mask, codes, std::u16string(codes.size(), u' '));
}

const DataTypeRules* RulesOf(std::int32_t data_type) {
  return data_type >= dtAlphaNumeric && data_type <= dtLogical ? &kRules[static_cast<std::size_t>(data_type)] : nullptr;
}

bool InputFormatFits(std::int32_t data_type, std::int32_t input_format) {
  const DataTypeRules* rules = RulesOf(data_type);
  return rules != nullptr && Contains(rules->input_formats, input_format);
}

bool DisplayFormatFits(std::int32_t data_type, std::int32_t input_format, std::int32_t display_format) {
  const DataTypeRules* rules = RulesOf(data_type);
  if (rules == nullptr) return false;
  if (data_type == dtNumeric && input_format == dtCustomFormat) return display_format == dtNone;
  return Contains(rules->display_formats, display_format);
}

bool IsCodeOf(std::int32_t data_type, char16_t code) {
  const DataTypeRules* rules = RulesOf(data_type);
  return rules != nullptr && code != u'\0' && rules->mask_codes.find(code) != std::u16string_view::npos;
}

bool CodeAdmits(std::int32_t data_type, char16_t code, std::int16_t character) {
  // Backspace passes every code; control characters none.
  if (character == kBackspace) return IsCodeOf(data_type, code);
  switch (data_type) {
    case dtAlphaNumeric: return AlphaNumericCodeAdmits(code, character);
    case dtNumeric: return NumericCodeAdmits(code, character);
    case dtDate: return IsCodeOf(dtDate, code) && IsDigit(character);
    default: return false;
  }
}

}  // namespace kestrow::engine
