// The host's standard font and picture objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kestrow/host/values/variant.h"

namespace kestrow::host {

class Font final : public HostObject {
 public:
  std::string_view KindName() const override { return "Font"; }

  std::u16string name = u"Courier New";
  float size = 9.75f;
  std::int16_t weight = 400;
  std::int16_t charset = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  std::shared_ptr<Font> Clone() const { return std::make_shared<Font>(*this); }
};

// A picture (the mouse icon); the host keeps its bits, the control only passes it on.
class Picture final : public HostObject {
 public:
  std::string_view KindName() const override { return "Picture"; }

  std::int32_t width = 0;   // in pixels
  std::int32_t height = 0;  // in pixels
  std::string bits;         // the host's encoded picture data
};

}  // namespace kestrow::host
