// A caption at a place, taking neither focus nor keys: what the host's labels and frames hold.
#pragma once

#include <string>
#include <string_view>

#include "kestrow/host/placement.h"

namespace kestrow::host {

class CaptionedControl {
 public:
  CaptionedControl() = default;
  CaptionedControl(std::u16string_view caption, const Placement& placement) : caption_(caption), placement_(placement) {}

  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string_view caption) { caption_ = caption; }

  // Position and size in twips; the placement checks the size.
  Placement& Position() { return placement_; }
  const Placement& Position() const { return placement_; }

  // A disabled one is drawn greyed; a hidden one not at all.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  // Free for the program's own use; the host never reads it.
  const std::u16string& Tag() const { return tag_; }
  void SetTag(std::u16string_view tag) { tag_ = tag; }

 private:
  std::u16string caption_;
  Placement placement_;
  bool enabled_ = true;
  bool visible_ = true;
  std::u16string tag_;
};

}  // namespace kestrow::host
