// A field's format as the application sets it: scoped, so that only a real data type, input
// format or display format compiles. The values are those the control stores and the late-bound
// interface takes (dtNumeric is 1 there, DataType::Numeric here).
#pragma once

#include <cstdint>

namespace kestrow::control {

enum class DataType : std::int16_t {
  AlphaNumeric = 0,
  Numeric = 1,
  Date = 2,
  Password = 3,
  Logical = 4,
};

enum class InputFormat : std::int16_t {
  CustomFormat = 0,           // the designer's own mask
  AlphaDigitSpaceSymbol = 1,  // X: every printable character
  Alphabets = 2,              // A
  AlphabetsSpace = 3,         // S
  AlphabetsDigitsSpace = 4,   // N
  Digits = 5,                 // 9
  DigitsSpaceSigns = 6,       // #
  DigitsSigns = 7,            // a number with a sign position
  ThousandsFormat = 8,        // grouped 99,99,999
  MillionsFormat = 9,         // grouped 999,999,999
  AmericanDate = 10,          // MM/DD/YYYY
  BritishDate = 11,           // DD/MM/YYYY
  JapanDate = 12,             // YYYY/MM/DD
  StarFormat = 13,            // a password of stars
  TrueFalseFormat = 14,
  YesNoFormat = 15,
};

enum class DisplayFormat : std::int16_t {
  None = 0,
  UpperCase = 1,
  LowerCase = 2,
  ProperCase = 3,
  AccountsFormat1 = 4,  // " Cr." and " Db." after the amount
  AccountsFormat2 = 5,  // negative amounts in brackets
  SlashSeparator = 6,
  DashSeparator = 7,
  DotSeparator = 8,
};

}  // namespace kestrow::control
