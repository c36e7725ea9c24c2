#include "engine/edit_position_table.h"

namespace kestrow::engine {

EditPositionTable::EditPositionTable(std::u16string_view mask, std::u16string_view editTemplate) {
  const auto length = static_cast<std::int32_t>(editTemplate.size());
  const auto size = static_cast<std::size_t>(length) + 1;
  first_from_.assign(size, length);
  last_before_.assign(size, -1);
  auto isEdit = [&](std::size_t i) {
    return editTemplate[i] == u' ' && i < mask.size() && mask[i] != u'\0' && mask[i] != u' ';
  };
  for (std::int32_t j = length - 1; j >= 0; --j) {
    const auto i = static_cast<std::size_t>(j);
    first_from_[i] = isEdit(i) ? j : first_from_[i + 1];
  }
  for (std::int32_t j = 1; j <= length; ++j) {
    const auto i = static_cast<std::size_t>(j);
    last_before_[i] = isEdit(i - 1) ? j - 1 : last_before_[i - 1];
  }
  field_end_.resize(mask.size());
  for (std::size_t i = mask.size(); i-- > 0;) {
    const bool runGoesOn = i + 1 < mask.size() && mask[i] == mask[i + 1];
    field_end_[i] = runGoesOn ? field_end_[i + 1] : static_cast<std::int32_t>(i) + 1;
  }
  field_start_.resize(mask.size());
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const bool runGoesOn = i > 0 && mask[i] == mask[i - 1];
    field_start_[i] = runGoesOn ? field_start_[i - 1] : static_cast<std::int32_t>(i) + 1;
  }
}

}  // namespace kestrow::engine
