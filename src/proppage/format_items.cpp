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

const std::array<DataTypeChoice, 5> kChoices{{
    {kAlphaNumericItem, PadCharRule::EmptiedEnabled, *engine::RulesOf(engine::dtAlphaNumeric)},
    {kNumericItem, PadCharRule::EmptiedEnabled, *engine::RulesOf(engine::dtNumeric)},
    {kDateItem, PadCharRule::EmptiedDisabled, *engine::RulesOf(engine::dtDate)},
    {kPasswordItem, PadCharRule::KeptDisabled, *engine::RulesOf(engine::dtPassword)},
    {kLogicalItem, PadCharRule::EmptiedDisabled, *engine::RulesOf(engine::dtLogical)},
}};

template <std::size_t N>
std::u16string_view TextOf(const std::array<std::u16string_view, N>& items, std::int16_t value) {
  return value >= 0 && static_cast<std::size_t>(value) < N ? items[static_cast<std::size_t>(value)]
                                                           : std::u16string_view();
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

const DataTypeChoice* ChoiceOf(std::u16string_view data_type_item) {
  const auto found = std::ranges::find(kChoices, data_type_item, &DataTypeChoice::item);
  return found == kChoices.end() ? nullptr : &*found;
}

std::int32_t InputFormatPosition(std::int32_t value, std::u16string_view data_type_item) {
  switch (value) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 6: return value;
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
