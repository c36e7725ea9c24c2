// A property page's frame beside a form: the page's lists and text boxes in their tab order, one
// of them focused (or none), focus moves the page asks for carried out after the current host
// event (by a focus chain of its own, as the form's), and the page's message boxes and focus moves
// in the form's record. Its focus is the page window's own; the form's focused element keeps the
// focus it has.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "kestrow/host/forms/focus_chain.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/property_page.h"
#include "kestrow/host/values/dispatchable.h"

namespace kestrow::host {

class FormPageFrame final : public PageFrame {
 public:
  using PageMaker = std::function<std::unique_ptr<PropertyPage>(PageFrame& frame)>;

  FormPageFrame(Form& form, const PageMaker& make);
  FormPageFrame(const FormPageFrame&) = delete;
  FormPageFrame& operator=(const FormPageFrame&) = delete;

  PropertyPage& Page() { return *page_; }
  const PageControl* Find(std::string_view name) const;
  std::optional<std::string_view> FocusedName() const;

  // PageFrame
  PropertyPageSite& Site() override { return site_; }
  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    return form_.MsgBox(prompt, buttons, caption);
  }

  // --- Host events: each is handled completely, then the queued focus moves are carried out ---
  // The designer's selection becomes `controls`; the page loads the first.
  void Select(std::vector<Dispatchable*> controls);
  void Apply();
  // The user moves into a list or text box; a disabled or hidden one cannot be reached.
  void Focus(std::string_view name);
  // The focus leaves the page's controls.
  void Leave();
  // The user opens a list and picks the item of that text; false when the list has no such item.
  // The list takes the focus first, as a click on it does.
  bool Pick(std::string_view list, std::u16string_view item);
  // Keys go to the focused text box. Tab moves to the next list or text box the user can reach
  // (Shift: the previous one), wrapping around. False for an unknown key name.
  void Type(std::u16string_view text);
  bool PressKey(std::string_view name, std::int16_t shift);

 private:
  // BoxHost
  const std::u16string& ClipboardText() const override { return form_.Clipboard(); }
  void SetClipboardText(std::u16string text) override { form_.SetClipboard(std::move(text)); }
  void RequestFocus(TextBox& box) override { focus_.Ask({FocusChain::Move::Kind::To, &box}); }

  void Handle(const std::function<void()>& event);
  void CarryOut(const FocusChain::Move& move);
  void MoveFocusTo(const PageControl* target);
  void Tab(bool backwards);
  EditBox* FocusedBox() const;
  const PageControl* FindByBox(const TextBox* box) const;

  Form& form_;
  PropertyPageSite site_;
  std::unique_ptr<PropertyPage> page_;
  const PageControl* focused_ = nullptr;
  FocusChain focus_;
};

// A list or text box the user can move into: enabled and visible.
bool Reachable(const PageControl& control);

}  // namespace kestrow::host
