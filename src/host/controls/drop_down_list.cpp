#include "kestrow/host/controls/drop_down_list.h"

#include <algorithm>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

namespace {

std::size_t Index(std::int32_t position) { return static_cast<std::size_t>(position); }

}  // namespace

// --- Items -----------------------------------------------------------------------------------

void DropDownList::AddItem(std::u16string_view text) { items_.emplace_back(text); }

void DropDownList::RemoveItem(std::int32_t index) {
  if (index < 0 || index >= ListCount()) errors::RaiseInvalidProcedureCall();
  items_.erase(items_.begin() + index);
  if (index == selected_) {
    selected_ = -1;
  } else if (index < selected_) {
    --selected_;
  }
}

void DropDownList::Clear() {
  items_.clear();
  selected_ = -1;
}

std::u16string DropDownList::List(std::int32_t index) const {
  if (index < 0 || index >= ListCount()) return {};
  return items_[Index(index)];
}

// --- Selection -------------------------------------------------------------------------------

void DropDownList::SetListIndex(std::int32_t index) {
  if (index < -1 || index >= ListCount()) errors::RaiseInvalidPropertyValue();
  Select(index);
}

std::u16string DropDownList::Text() const { return List(selected_); }

void DropDownList::SetText(std::u16string_view text) {
  const auto found = std::ranges::find(items_, text);
  Select(found == items_.end() ? -1 : static_cast<std::int32_t>(found - items_.begin()));
}

// --- Delivered by the host -------------------------------------------------------------------

void DropDownList::UserPick(std::int32_t index) {
  if (!Enabled() || !Visible() || index < 0 || index >= ListCount()) return;
  Select(index);
}

// The selection is in place before Click, so a handler reads the new Text and ListIndex, and a
// selection made inside the handler runs the handler again, nested, and stands when it returns.
void DropDownList::Select(std::int32_t index) {
  const bool hadSelection = selected_ != -1;
  selected_ = index;
  if (index != -1 || hadSelection) RaiseClick();
}

void DropDownList::RaiseClick() {
  if (handler_) handler_->Click();
}

}  // namespace kestrow::host
