#include "kestrow/host/forms/property_page_site.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

namespace {

constexpr int kSubscriptOutOfRange = 9;

}  // namespace

Dispatchable& PropertyPageSite::SelectedControl(std::size_t index) const {
  if (index >= selected_.size()) throw HostError(kSubscriptOutOfRange, "Subscript out of range");
  return *selected_[index];
}

void PropertyPageSite::Select(std::vector<Dispatchable*> controls) {
  if (std::ranges::find(controls, nullptr) != controls.end()) {
    throw std::invalid_argument("PropertyPageSite: a selected control is missing");
  }
  selected_ = std::move(controls);
  if (page_) page_->SelectionChanged();
}

void PropertyPageSite::Apply() {
  if (page_) page_->ApplyChanges();
}

}  // namespace kestrow::host
