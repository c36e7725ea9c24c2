// The items of the page's three lists: the text each shows, the value of the control's
// enumeration it stands for, and which data type offers which formats.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/format_rules.h"

namespace kestrow::proppage {

// The data-type items; an item's position is the DataType value it stands for.
inline constexpr std::u16string_view kAlphaNumericItem = u"0 - AlphaNumeric";
inline constexpr std::u16string_view kNumericItem = u"1 - Numeric";
inline constexpr std::u16string_view kDateItem = u"2 - Date";
inline constexpr std::u16string_view kPasswordItem = u"3 - Password";
inline constexpr std::u16string_view kLogicalItem = u"4 - Logical";
std::span<const std::u16string_view> DataTypeItems();

inline constexpr std::u16string_view kCustomFormatItem = u"(Custom Format)";
inline constexpr std::u16string_view kStarFormatItem = u"* - Password Format";
inline constexpr std::u16string_view kNoDisplayFormatItem = u"(None)";

// The text of an InputFormat or DisplayFormat value, and the value of a text; empty for a value
// or text that is none of the items.
std::u16string_view InputFormatText(std::int16_t value);
std::u16string_view DisplayFormatText(std::int16_t value);
std::optional<std::int16_t> InputFormatValue(std::u16string_view text);
std::optional<std::int16_t> DisplayFormatValue(std::u16string_view text);

// How choosing a data type sets the padding character field.
enum class PadCharRule { EmptiedEnabled, EmptiedDisabled, KeptDisabled };

// A data-type item: how choosing it sets the padding character field, and what the data type
// admits (its formats in list order, its decimals, a fixed length), as the control's rules say.
struct DataTypeChoice {
  std::u16string_view item;
  PadCharRule pad_char;
  const engine::DataTypeRules& format;
};

// The choice of a data-type item; null for any other text.
const DataTypeChoice* ChoiceOf(std::u16string_view data_type_item);

// Where a stored InputFormat or DisplayFormat value is selected in the lists of the data type
// shown; -1 (no selection) where the value has no place.
std::int32_t InputFormatPosition(std::int32_t value, std::u16string_view data_type_item);
std::int32_t DisplayFormatPosition(std::int32_t value);

}  // namespace kestrow::proppage
