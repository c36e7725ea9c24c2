// A caption at a place, taking neither focus nor keys: what the host's labels and frames hold.
#pragma once

#include <string>
#include <string_view>

#include "kestrow/host/controls/control_state.h"
#include "kestrow/host/controls/placement.h"

namespace kestrow::host {

class CaptionedControl : public ControlState {
 public:
  CaptionedControl() = default;
  CaptionedControl(std::u16string_view caption, const Placement& placement)
      : caption_(caption), placement_(placement) {}

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string_view caption) { caption_ = caption; }

  // Position and size in twips; the placement checks the size.
  Placement& Position() { return placement_; }
  const Placement& Position() const { return placement_; }

 private:
  std::u16string caption_;
  Placement placement_;
};

}  // namespace kestrow::host
