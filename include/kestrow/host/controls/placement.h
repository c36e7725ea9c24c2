// Where an intrinsic control sits on its container: left, top, width and height in twips.
#pragma once

#include <cstdint>

namespace kestrow::host {

// Left and top may be negative (a control partly outside its container); a negative width or
// height has no meaning and raises invalid property value, leaving the placement as it was.
class Placement {
 public:
  Placement() = default;
  Placement(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

  std::int32_t Left() const { return left_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  void SetLeft(std::int32_t left) { left_ = left; }
  void SetTop(std::int32_t top) { top_ = top; }
  void SetWidth(std::int32_t width);
  void SetHeight(std::int32_t height);

  friend bool operator==(const Placement&, const Placement&) = default;

 private:
  std::int32_t left_ = 0;
  std::int32_t top_ = 0;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace kestrow::host
