// The two status lines at the bottom of the screen: the focused field, its data type and input
// format by their constants' names and a notice of what the host just did; below, the host's keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrow::terminal {

struct FieldStatus {
  std::u16string name;
  std::int32_t data_type = 0;
  std::int32_t input_format = 0;
};

// The constant's name (dtNumeric), or the number for a value the type library does not name.
std::u16string DataTypeName(std::int32_t value);
std::u16string InputFormatName(std::int32_t value);

// Each exactly `columns` cells, cut at the end when longer.
std::u16string StatusText(const FieldStatus* focused, std::u16string_view notice, int columns);
std::u16string KeysText(int columns);
// The first status line of a screen too small for the form.
std::u16string TooSmallText(int needed_rows, int needed_columns, int columns);

}  // namespace kestrow::terminal
