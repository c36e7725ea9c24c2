// The page's controls hand their events to the page's handlers through these.
#pragma once

#include <cstdint>

#include "kestrow/host/controls/drop_down_list.h"
#include "kestrow/host/controls/edit_box.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::proppage {

class FormatPage::ListEvents final : public host::DropDownListEvents {
 public:
  ListEvents(FormatPage& page, void (FormatPage::*click)()) : page_(page), click_(click) {}
  void Click() override { (page_.*click_)(); }

 private:
  FormatPage& page_;
  void (FormatPage::*click_)();
};

// A field's own handlers; the ones left null do nothing.
struct FieldHandlers {
  void (FormatPage::*change)() = nullptr;
  void (FormatPage::*lost_focus)() = nullptr;
  void (FormatPage::*key_press)(std::int16_t& KeyAscii) = nullptr;
};

class FormatPage::FieldEvents final : public host::EditBoxEvents {
 public:
  FieldEvents(FormatPage& page, host::EditBox& box, FieldHandlers handlers)
      : page_(page), box_(box), handlers_(handlers) {}

  // Every field selects its whole text when the designer moves into it.
  void GotFocus() override {
    box_.SetSelStart(0);
    box_.SetSelLength(static_cast<std::int32_t>(box_.Text().size()));
  }
  void Change() override { Run(handlers_.change); }
  void LostFocus() override { Run(handlers_.lost_focus); }
  void KeyPress(std::int16_t& KeyAscii) override {
    if (handlers_.key_press) (page_.*handlers_.key_press)(KeyAscii);
  }

 private:
  void Run(void (FormatPage::*handler)()) {
    if (handler) (page_.*handler)();
  }

  FormatPage& page_;
  host::EditBox& box_;
  FieldHandlers handlers_;
};

}  // namespace kestrow::proppage
