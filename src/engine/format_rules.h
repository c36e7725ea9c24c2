// The rules of the format model, written once: which input and display formats each data type
// admits, the bounds of its length and decimals, its mask codes and what each code admits, and
// what a change to the data type brings and reports. The setters, the keystroke filter, the mask
// construction and the property page all ask here.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/format_types.h"

namespace kestrow::engine {

inline constexpr std::int16_t kMaxNumericLength = 20;
inline constexpr std::int16_t kMaxDecimalPlaces = 16;

// The mask codes of the data types with a mask; every other character of a mask is a literal.
inline constexpr std::u16string_view kAlphaNumericCodes = u"XASN9#";
inline constexpr std::u16string_view kNumericCodes = u"9#";
inline constexpr std::u16string_view kDateCodes = u"DMY";

// The mask with each of `codes` replaced by a blank and its literals kept: the literal skeleton.
std::u16string BlankedCodes(std::u16string_view mask, std::u16string_view codes);

// What a change of data type puts in the value.
enum class InitialValue { EmptyText, Zero, Today };

struct DataTypeRules {
  std::int16_t data_type;
  // Admitted, in the order the property page lists them.
  std::span<const std::int16_t> input_formats;
  std::span<const std::int16_t> display_formats;
  std::u16string_view mask_codes;  // empty: the type has no mask codes
  std::optional<std::int16_t> fixed_length;
  bool decimals;  // only numbers have decimal places
  // A change to this type brings these settings (the length and decimals are then brought into
  // its bounds), the alignment, and these reports, in the order hosts have always heard them.
  std::int16_t input_format;
  std::int16_t display_format;
  std::u16string_view pad_char;
  InitialValue value;
  std::int16_t alignment;
  std::span<const std::string_view> reports;
};

// The rules of one of the five data types; null for any other.
const DataTypeRules* RulesOf(std::int32_t data_type);

bool InputFormatFits(std::int32_t data_type, std::int32_t input_format);
// A custom numeric mask shows its number plain.
bool DisplayFormatFits(std::int32_t data_type, std::int32_t input_format, std::int32_t display_format);

// Whether `code` is a mask code of the data type, and whether it admits the typed `character`.
bool IsCodeOf(std::int32_t data_type, char16_t code);
bool CodeAdmits(std::int32_t data_type, char16_t code, std::int16_t character);

}  // namespace kestrow::engine
