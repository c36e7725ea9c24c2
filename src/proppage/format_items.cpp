#include "format_items.h"

#include <algorithm>
#include <array>

namespace kestrow::proppage {

namespace {

constexpr std::array<std::u16string_view, 5> kDataTypes{kAlphaNumericItem, kNumericItem, kDateItem, kPasswordItem,
                                                        kLogicalItem};

// By value: the item of InputFormat n is kInputFormats[n].
constexpr std::array<std::u16string_view, 16> kInputFormats{
    kCustomFormatItem,
    u"X - Alpha, Digits, Space & Symbol",
    u"A - Only Alphabets",
    u"S - Alphabets & Space",
    u"N - Alphabets, Digits & Space",
    u"9 - Digits",
    u"# - Digits, Space & Signs",
    u"# - Digits & Signs",
    u", - Amount in Thousands Format",
    u"M - Amount in Million Format",
    u"A - MM/DD/YYYY (American)",
    u"B - DD/MM/YYYY (British)",
    u"J - YYYY/MM/DD (Japan)",
    kStarFormatItem,
    u"T - True, False Format",
    u"Y - Yes, No Format",
};

constexpr std::array<std::u16string_view, 9> kDisplayFormats{
    kNoDisplayFormatItem,
    u"! - Upper Case",
    u"L - Lower Case",
    u"P - Proper Case",
    u"C - Display Cr after +ve Value",
    u"( - Enclose -ve Value in Bracket",
    u"/ > DD/MM/YYYY",
    u"- > DD-MM-YYYY",
    u". > DD.MM.YYYY",
};

constexpr std::array<std::int16_t, 7> kAlphaNumericInputs{0, 1, 2, 3, 4, 5, 6};
constexpr std::array<std::int16_t, 5> kNumericInputs{0, 5, 7, 8, 9};
constexpr std::array<std::int16_t, 3> kDateInputs{10, 11, 12};
constexpr std::array<std::int16_t, 2> kPasswordInputs{0, 13};
constexpr std::array<std::int16_t, 2> kLogicalInputs{14, 15};

constexpr std::array<std::int16_t, 4> kAlphaNumericDisplays{0, 1, 2, 3};
constexpr std::array<std::int16_t, 3> kNumericDisplays{0, 4, 5};
constexpr std::array<std::int16_t, 3> kDateDisplays{6, 7, 8};
constexpr std::array<std::int16_t, 1> kPlainDisplays{0};

const std::array<DataTypeRules, 5> kRules{{
    {kAlphaNumericItem, kAlphaNumericInputs, kAlphaNumericDisplays, PadCharRule::EmptiedEnabled, false, u""},
    {kNumericItem, kNumericInputs, kNumericDisplays, PadCharRule::EmptiedEnabled, true, u""},
    {kDateItem, kDateInputs, kDateDisplays, PadCharRule::EmptiedDisabled, false, u"10"},
    {kPasswordItem, kPasswordInputs, kPlainDisplays, PadCharRule::KeptDisabled, false, u""},
    {kLogicalItem, kLogicalInputs, kPlainDisplays, PadCharRule::EmptiedDisabled, false, u"5"},
}};

template <std::size_t N>
std::u16string_view TextOf(const std::array<std::u16string_view, N>& items, std::int16_t value) {
  return value >= 0 && static_cast<std::size_t>(value) < N ? items[static_cast<std::size_t>(value)] : std::u16string_view();
}

template <std::size_t N>
std::optional<std::int16_t> ValueOf(const std::array<std::u16string_view, N>& items, std::u16string_view text) {
  const auto found = std::ranges::find(items, text);
  if (found == items.end()) return std::nullopt;
  return static_cast<std::int16_t>(found - items.begin());
}

}  // namespace

std::span<const std::u16string_view> DataTypeItems() { return kDataTypes; }

std::u16string_view InputFormatText(std::int16_t value) { return TextOf(kInputFormats, value); }
std::u16string_view DisplayFormatText(std::int16_t value) { return TextOf(kDisplayFormats, value); }
std::optional<std::int16_t> InputFormatValue(std::u16string_view text) { return ValueOf(kInputFormats, text); }
std::optional<std::int16_t> DisplayFormatValue(std::u16string_view text) { return ValueOf(kDisplayFormats, text); }

const DataTypeRules* RulesOf(std::u16string_view data_type_item) {
  const auto found = std::ranges::find(kRules, data_type_item, &DataTypeRules::item);
  return found == kRules.end() ? nullptr : &*found;
}

std::int32_t InputFormatPosition(std::int32_t value, std::u16string_view data_type_item) {
  switch (value) {
    case 0: case 1: case 2: case 3: case 4: case 6: return value;
    case 5:
      if (data_type_item == kAlphaNumericItem) return 5;
      if (data_type_item == kNumericItem) return 1;
      return -1;
    case 7: return 2;
    case 8: return 3;
    case 9: return 4;
    case 10: return 0;
    case 11: return 1;
    case 12: return 2;
    case 13: return 1;
    case 14: return 0;
    case 15: return 1;
    default: return -1;
  }
}

std::int32_t DisplayFormatPosition(std::int32_t value) {
  constexpr std::array<std::int32_t, 9> kPositions{0, 1, 2, 3, 1, 2, 0, 1, 2};
  return value >= 0 && value < 9 ? kPositions[static_cast<std::size_t>(value)] : -1;
}

}  // namespace kestrow::proppage
