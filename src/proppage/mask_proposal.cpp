#include "proppage/mask_proposal.h"

#include <array>
#include <cstdint>
#include <utility>

#include "format_items.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::proppage {

namespace {

using Steps = std::vector<std::u16string>;

// The fields hold whole numbers; anything else counts as its nearest whole number.
std::int64_t Count(double value) { return static_cast<std::int64_t>(host::RoundHalfEven(value)); }

std::u16string Repeat(std::int64_t count, char16_t character) {
  return count > 0 ? std::u16string(static_cast<std::size_t>(count), character) : std::u16string();
}

std::u16string Nines(std::int64_t count) { return Repeat(count, u'9'); }

std::u16string WithDecimals(std::u16string whole, std::int64_t decimals) {
  return std::move(whole) + u"." + Nines(decimals);
}

Steps AlphaNumericProposal(std::u16string_view input_format, std::int64_t length) {
  struct CodeOfFormat {
    std::u16string_view item;
    char16_t code;
  };
  static constexpr std::array<CodeOfFormat, 6> kCodes{{
      {u"X - Alpha, Digits, Space & Symbol", u'X'},
      {u"A - Only Alphabets", u'A'},
      {u"S - Alphabets & Space", u'S'},
      {u"N - Alphabets, Digits & Space", u'N'},
      {u"9 - Digits", u'9'},
      {u"# - Digits, Space & Signs", u'#'},
  }};
  for (const CodeOfFormat& format : kCodes) {
    if (format.item == input_format) return {Repeat(length, format.code)};
  }
  return {};
}

Steps DigitsProposal(std::int64_t length, std::int64_t decimals) {
  if (decimals > 0) return {WithDecimals(Nines(length - (decimals + 1)), decimals)};
  return {Nines(length)};
}

Steps SignedProposal(std::int64_t length, std::int64_t decimals) {
  if (decimals > 0) {
    const std::u16string sign = decimals + 2 < length ? u"#" : u"";
    const std::int64_t whole = length - (decimals + 2) > 0 ? length - (decimals + 2) : 1;
    return {WithDecimals(sign + Nines(whole), decimals)};
  }
  if (length > 1) return {u"#" + Nines(length - 1)};
  return {Nines(length)};
}

// The last group before the point has three digits, each earlier one `group` digits; every
// group added is shown.
Steps GroupedProposal(std::int64_t length, std::int64_t decimals, std::int64_t group) {
  Steps steps;
  std::u16string mask;
  std::int64_t left = 0;
  if (decimals > 0 && decimals + 4 < length) {
    mask = WithDecimals(u"999", decimals);
    left = length - (decimals + 4);
  } else if (decimals > 0) {
    steps.push_back(WithDecimals(Nines(length - (decimals + 1)), decimals));
  } else if (length > 3) {
    mask = u"999";
    left = length - 3;
  } else {
    steps.push_back(Nines(length));
  }
  const std::u16string fullGroup = Nines(group) + u",";
  while (left != 0) {
    if (left > group) {
      mask = fullGroup + mask;
      left -= group;
    } else {
      mask = Nines(left) + u"," + mask;
      left = 0;
    }
    steps.push_back(mask);
  }
  if (!steps.empty() && steps.back().starts_with(u',')) steps.push_back(steps.back().substr(1));
  return steps;
}

Steps NumericProposal(std::u16string_view input_format, std::int64_t length, std::int64_t decimals) {
  if (input_format == u"9 - Digits") return DigitsProposal(length, decimals);
  if (input_format == u"# - Digits & Signs") return SignedProposal(length, decimals);
  if (input_format == u", - Amount in Thousands Format") return GroupedProposal(length, decimals, 2);
  if (input_format == u"M - Amount in Million Format") return GroupedProposal(length, decimals, 3);
  return {};
}

Steps DateProposal(std::u16string_view input_format, std::u16string_view display_format) {
  const std::u16string_view s = display_format.substr(0, 1);
  auto join = [&](std::u16string_view a, std::u16string_view b, std::u16string_view c) {
    return Steps{std::u16string(a) + std::u16string(s) + std::u16string(b) + std::u16string(s) + std::u16string(c)};
  };
  if (input_format == u"A - MM/DD/YYYY (American)") return join(u"MM", u"DD", u"YYYY");
  if (input_format == u"B - DD/MM/YYYY (British)") return join(u"DD", u"MM", u"YYYY");
  if (input_format == u"J - YYYY/MM/DD (Japan)") return join(u"YYYY", u"MM", u"DD");
  return {};
}

Steps PasswordProposal(std::u16string_view pad_char, std::int64_t length) {
  if (pad_char.empty()) return {};
  return {Repeat(length, pad_char.front())};
}

Steps LogicalProposal(std::u16string_view input_format) {
  if (input_format == u"T - True, False Format") return {u"True Or False"};
  if (input_format == u"Y - Yes, No Format") return {u"Yes or No"};
  return {};
}

}  // namespace

std::vector<std::u16string> MaskProposalSteps(const PageChoices& choices) {
  const std::int64_t length = Count(choices.length);
  const std::int64_t decimals = Count(choices.decimal_places);
  if (choices.data_type == kAlphaNumericItem) return AlphaNumericProposal(choices.input_format, length);
  if (choices.data_type == kNumericItem) return NumericProposal(choices.input_format, length, decimals);
  if (choices.data_type == kDateItem) return DateProposal(choices.input_format, choices.display_format);
  if (choices.data_type == kPasswordItem) return PasswordProposal(choices.pad_char, length);
  if (choices.data_type == kLogicalItem) return LogicalProposal(choices.input_format);
  return {};
}

}  // namespace kestrow::proppage
