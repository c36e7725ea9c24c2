// The host's property page container: it shows one page for the controls selected in the
// designer, tells the page when that selection changes and when the designer applies the page,
// and keeps the page's flag for unapplied changes, which enables the frame's Apply button.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "kestrow/host/values/dispatchable.h"

namespace kestrow::host {

class PropertyPageEvents {
 public:
  virtual void SelectionChanged() {}
  virtual void ApplyChanges() {}

 protected:
  ~PropertyPageEvents() = default;
};

class PropertyPageSite {
 public:
  PropertyPageSite() = default;
  PropertyPageSite(const PropertyPageSite&) = delete;
  PropertyPageSite& operator=(const PropertyPageSite&) = delete;

  void SetPage(PropertyPageEvents* page) { page_ = page; }

  // --- For the page --------------------------------------------------------------------------
  // The selected controls in the designer's order. They belong to the form; the site only
  // points at them for as long as they are selected.
  std::span<Dispatchable* const> SelectedControls() const { return selected_; }
  // The control at a 0-based index; an index outside the selection raises subscript out of range.
  Dispatchable& SelectedControl(std::size_t index) const;
  // The site never changes the flag itself: neither a new selection nor applying clears it.
  bool Changed() const { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }

  // --- Delivered by the host -----------------------------------------------------------------
  // The designer's selection becomes `controls` (null entries are not allowed) and the page
  // hears SelectionChanged, also when the selection is the one it already had.
  void Select(std::vector<Dispatchable*> controls);
  // The designer presses Apply or OK: the page hears ApplyChanges, whatever Changed says, since
  // the designer can apply a page whose flag the page never set.
  void Apply();

 private:
  PropertyPageEvents* page_ = nullptr;
  std::vector<Dispatchable*> selected_;
  bool changed_ = false;
};

}  // namespace kestrow::host
