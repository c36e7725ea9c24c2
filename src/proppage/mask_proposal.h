// The mask the page Format proposes for its current choices: what a predefined input format
// amounts to for the chosen length and decimal places.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrow::proppage {

// What the proposal is made from: the texts of the page's lists and fields.
struct PageChoices {
  std::u16string_view data_type;       // the data-type item
  std::u16string_view input_format;    // the input-format item
  std::u16string_view display_format;  // the display-format item; a date's separator is its first character
  double length = 0;                   // the numeric values of the length and decimal places fields
  double decimal_places = 0;
  std::u16string_view pad_char;  // a password's mask repeats its first character
};

// The texts the page writes into its mask field, in turn; the last is the proposal. The grouped
// amounts show each group as it is added. None for a custom alphanumeric or numeric format (the
// designer's own mask stands) and for choices that match no format.
std::vector<std::u16string> MaskProposalSteps(const PageChoices& choices);

}  // namespace kestrow::proppage
