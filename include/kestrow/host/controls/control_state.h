// What every intrinsic control of the host has: whether it is enabled and visible, and a tag.
#pragma once

#include <string>
#include <string_view>

namespace kestrow::host {

class ControlState {
 public:
  // A disabled control is drawn greyed and ignores the user; the program can still use it. A
  // hidden one is not drawn and cannot be reached.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  // Free for the program's own use; the host never reads it.
  const std::u16string& Tag() const { return tag_; }
  void SetTag(std::u16string_view tag) { tag_ = tag; }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::u16string tag_;
};

}  // namespace kestrow::host
