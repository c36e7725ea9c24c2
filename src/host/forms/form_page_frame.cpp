#include "kestrow/host/forms/form_page_frame.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "host/controls/keyboard.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {

namespace {

template <typename Control>
Control* As(const PageControl& control) {
  const auto* held = std::get_if<Control*>(&control.control);
  return held ? *held : nullptr;
}

}  // namespace

bool Reachable(const PageControl& control) {
  if (const auto* list = As<DropDownList>(control)) return list->Enabled() && list->Visible();
  if (const auto* box = As<EditBox>(control)) return box->Enabled() && box->Visible();
  return false;
}

FormPageFrame::FormPageFrame(Form& form, const PageMaker& make) : form_(form), page_(make(*this)) {
  if (!page_) throw std::invalid_argument("FormPageFrame: the maker made no page");
  site_.SetPage(page_.get());
}

const PageControl* FormPageFrame::Find(std::string_view name) const {
  const auto controls = page_->Controls();
  const auto found = std::ranges::find(controls, name, &PageControl::name);
  return found == controls.end() ? nullptr : &*found;
}

std::optional<std::string_view> FormPageFrame::FocusedName() const {
  if (!focused_) return std::nullopt;
  return focused_->name;
}

// --- Host events -------------------------------------------------------------------------------

void FormPageFrame::Handle(const std::function<void()>& event) {
  // Inside one of the form's host events, so that focus moves the selected controls ask for
  // while the page writes to them are carried out too.
  form_.Handle([&] { focus_.Run(event, [this](const FocusChain::Move& move) { CarryOut(move); }); });
}

void FormPageFrame::Select(std::vector<Dispatchable*> controls) {
  Handle([&] { site_.Select(std::move(controls)); });
}

void FormPageFrame::Apply() {
  Handle([&] { site_.Apply(); });
}

void FormPageFrame::Focus(std::string_view name) {
  Handle([&] {
    const PageControl* target = Find(name);
    if (!target) throw std::out_of_range("FormPageFrame: no page control of that name");
    if (Reachable(*target)) MoveFocusTo(target);
  });
}

void FormPageFrame::Leave() {
  Handle([&] { MoveFocusTo(nullptr); });
}

bool FormPageFrame::Pick(std::string_view list_name, std::u16string_view item) {
  const PageControl* target = Find(list_name);
  DropDownList* list = target ? As<DropDownList>(*target) : nullptr;
  if (!list) throw std::out_of_range("FormPageFrame: no list of that name");
  std::int32_t index = 0;
  while (index < list->ListCount() && list->List(index) != item) ++index;
  if (index == list->ListCount()) return false;
  Handle([&] {
    if (!Reachable(*target)) return;
    MoveFocusTo(target);
    list->UserPick(index);
  });
  return true;
}

void FormPageFrame::Type(std::u16string_view text) {
  for (const char16_t character : text) {
    Handle([&] { DeliverStroke(StrokeForCharacter(character), [this] { return FocusedBox(); }); });
  }
}

bool FormPageFrame::PressKey(std::string_view name, std::int16_t shift) {
  if (IsTabKey(name)) {
    Handle([&] { Tab((shift & keys::kShiftMask) != 0); });
    return true;
  }
  const std::optional<KeyStroke> stroke = StrokeForNamedKey(name, shift);
  if (!stroke) return false;
  Handle([&] { DeliverStroke(*stroke, [this] { return FocusedBox(); }); });
  return true;
}

// --- Focus -------------------------------------------------------------------------------------

void FormPageFrame::CarryOut(const FocusChain::Move& move) {
  const PageControl* target = FindByBox(move.box);
  if (target && Reachable(*target)) MoveFocusTo(target);
}

void FormPageFrame::MoveFocusTo(const PageControl* target) {
  if (target == focused_) return;
  if (target) {
    HostRecord record;
    record.kind = HostRecord::Kind::Focus;
    record.text = FromUtf8(target->name);
    form_.Record(std::move(record));
  }
  const PageControl* old = std::exchange(focused_, nullptr);
  if (EditBox* box = old ? As<EditBox>(*old) : nullptr) box->DeliverLostFocus();
  focused_ = target;
  if (EditBox* box = target ? As<EditBox>(*target) : nullptr) box->DeliverGotFocus();
}

void FormPageFrame::Tab(bool backwards) {
  const auto controls = page_->Controls();
  std::optional<std::size_t> from;
  if (focused_) from = static_cast<std::size_t>(focused_ - controls.data());
  const auto next = FocusChain::Neighbour(from, controls.size(), backwards,
                                          [&](std::size_t index) { return Reachable(controls[index]); });
  if (next) MoveFocusTo(&controls[*next]);
}

EditBox* FormPageFrame::FocusedBox() const { return focused_ ? As<EditBox>(*focused_) : nullptr; }

const PageControl* FormPageFrame::FindByBox(const TextBox* box) const {
  for (const PageControl& control : page_->Controls()) {
    if (As<EditBox>(control) == box) return &control;
  }
  return nullptr;
}

}  // namespace kestrow::host
