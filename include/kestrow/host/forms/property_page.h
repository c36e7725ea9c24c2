// A property page as the designer's page frame sees it, and what a page needs from that frame.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "kestrow/host/controls/captioned_control.h"
#include "kestrow/host/controls/drop_down_list.h"
#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/forms/property_page_site.h"

namespace kestrow::host {

// One control of a page: what the frame draws and delivers the designer's input to.
struct PageControl {
  std::string_view name;
  std::variant<CaptionedControl*, DropDownList*, EditBox*> control;
  // The frame the control sits in (its position is relative to it); empty: the page itself.
  std::string_view container;
};

// A page hears the container's notifications and lists its controls; the frame owns it for as
// long as it is shown.
class PropertyPage : public PropertyPageEvents {
 public:
  virtual ~PropertyPage() = default;

  virtual std::u16string_view Caption() const = 0;
  // The client area in twips.
  virtual std::int32_t ClientWidth() const = 0;
  virtual std::int32_t ClientHeight() const = 0;
  // Every control, in tab-index order.
  virtual std::span<const PageControl> Controls() const = 0;
};

// The frame a page is shown in: the container site, the host of the page's text boxes (focus,
// clipboard) and message boxes.
class PageFrame : public BoxHost {
 public:
  virtual PropertyPageSite& Site() = 0;
  // Modal; without a caption the host's default caption shows. Returns the button pressed.
  virtual int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) = 0;

 protected:
  ~PageFrame() = default;
};

}  // namespace kestrow::host
