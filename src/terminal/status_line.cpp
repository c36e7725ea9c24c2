#include "kestrow/terminal/status_line.h"

#include <algorithm>
#include <string>

#include "kestrow/control/type_library.h"
#include "kestrow/terminal/cells.h"
#include "kestrow/terminal/key_decoding.h"

namespace kestrow::terminal {

namespace {

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string ConstantName(control::ValueType type, std::int32_t value) {
  for (const control::ConstantInfo& constant : control::ConstantsOf(type)) {
    if (constant.value == value) return Widen(constant.name);
  }
  return Widen(std::to_string(value));
}

std::u16string PadToCells(std::u16string text, int columns) {
  text = FitToCells(text, columns);
  text.append(static_cast<std::size_t>(std::max(columns - CellWidth(text), 0)), u' ');
  return text;
}

}  // namespace

std::u16string DataTypeName(std::int32_t value) { return ConstantName(control::ValueType::DataTypes, value); }
std::u16string InputFormatName(std::int32_t value) { return ConstantName(control::ValueType::InputFormats, value); }

std::u16string StatusText(const FieldStatus* focused, std::u16string_view notice, int columns) {
  std::u16string left = u" ";
  if (focused)
    left += focused->name + u"  " + DataTypeName(focused->data_type) + u"  " + InputFormatName(focused->input_format);
  if (!notice.empty()) left += (focused ? u"  " : u"") + std::u16string(notice);
  return PadToCells(std::move(left), columns);
}

std::u16string KeysText(int columns) { return PadToCells(u" " + std::u16string(kKeyHelp), columns); }

std::u16string TooSmallText(int needed_rows, int needed_columns, int columns) {
  return PadToCells(u" Terminal too small: the form needs " + Widen(std::to_string(needed_columns)) + u"x" +
                        Widen(std::to_string(needed_rows)) + u" cells",
                    columns);
}

}  // namespace kestrow::terminal
