// The enumerations of the format model.
#pragma once

#include <cstdint>

namespace kestrow::engine {

enum dtDataTypes : std::int32_t {
  dtAlphaNumeric = 0,
  dtNumeric = 1,
  dtDate = 2,
  dtPassword = 3,
  dtLogical = 4,
};

enum dtInputFormats : std::int32_t {
  dtCustomFormat = 0,
  dtAlphaDigitSpaceSymbol = 1,
  dtAlphabets = 2,
  dtAlphabetsSpace = 3,
  dtAlphabetsDigitsSpace = 4,
  dtDigits = 5,
  dtDigitsSpaceSigns = 6,
  dtDigitsSigns = 7,
  dtThousandsFormat = 8,
  dtMillionsFormat = 9,
  dtAmericanDate = 10,
  dtBritishDate = 11,
  dtJapanDate = 12,
  dtStarFormat = 13,
  dtTrueFalseFormat = 14,
  dtYesNoFormat = 15,
};

enum dtDisplayFormats : std::int32_t {
  dtNone = 0,
  dtUpperCase = 1,
  dtLowerCase = 2,
  dtProperCase = 3,
  dtAccountsFormat1 = 4,
  dtAccountsFormat2 = 5,
  dtSlashSeparator = 6,
  dtDashSeparator = 7,
  dtDotSeparator = 8,
};

}  // namespace kestrow::engine
