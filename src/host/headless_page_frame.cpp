#include "kestrow/host/headless_page_frame.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "kestrow/host/keyboard.h"
#include "kestrow/host/runtime.h"

namespace kestrow::host {

namespace {

// As on the form: only a page sending the focus back and forth forever gets near it.
constexpr int kMaxFocusMovesPerEvent = 1000;

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

HeadlessPageFrame::HeadlessPageFrame(HeadlessForm& form, const PageMaker& make) : form_(form), page_(make(*this)) {
  if (!page_) throw std::invalid_argument("HeadlessPageFrame: the maker made no page");
  site_.SetPage(page_.get());
}

const PageControl* HeadlessPageFrame::Find(std::string_view name) const {
  const auto controls = page_->Controls();
  const auto found = std::ranges::find(controls, name, &PageControl::name);
  return found == controls.end() ? nullptr : &*found;
}

std::optional<std::string_view> HeadlessPageFrame::FocusedName() const {
  if (!focused_) return std::nullopt;
  return focused_->name;
}

// --- Host events -------------------------------------------------------------------------------

void HeadlessPageFrame::Handle(const std::function<void()>& event) {
  // Inside one of the form's host events, so that focus moves the selected controls ask for
  // while the page writes to them are carried out too.
  form_.Handle([&] { nesting_.Run(event, [this] { RunFocusRequests(); }, [this] { focus_requests_.clear(); }); });
}

void HeadlessPageFrame::Select(std::vector<Dispatchable*> controls) {
  Handle([&] { site_.Select(std::move(controls)); });
}

void HeadlessPageFrame::Apply() {
  Handle([&] { site_.Apply(); });
}

void HeadlessPageFrame::Focus(std::string_view name) {
  Handle([&] {
    const PageControl* target = Find(name);
    if (!target) throw std::out_of_range("HeadlessPageFrame: no page control of that name");
    if (Reachable(*target)) MoveFocusTo(target);
  });
}

void HeadlessPageFrame::Leave() {
  Handle([&] { MoveFocusTo(nullptr); });
}

bool HeadlessPageFrame::Pick(std::string_view list_name, std::u16string_view item) {
  const PageControl* target = Find(list_name);
  DropDownList* list = target ? As<DropDownList>(*target) : nullptr;
  if (!list) throw std::out_of_range("HeadlessPageFrame: no list of that name");
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

void HeadlessPageFrame::Type(std::u16string_view text) {
  for (const char16_t character : text) {
    Handle([&] { DeliverStroke(StrokeForCharacter(character), [this] { return FocusedBox(); }); });
  }
}

bool HeadlessPageFrame::PressKey(std::string_view name, std::int16_t shift) {
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

void HeadlessPageFrame::RunFocusRequests() {
  for (int moves = 0; !focus_requests_.empty() && moves < kMaxFocusMovesPerEvent; ++moves) {
    const PageControl* target = FindByBox(focus_requests_.front());
    focus_requests_.pop_front();
    if (target && Reachable(*target)) MoveFocusTo(target);
  }
  focus_requests_.clear();
}

void HeadlessPageFrame::MoveFocusTo(const PageControl* target) {
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

void HeadlessPageFrame::Tab(bool backwards) {
  const auto controls = page_->Controls();
  const auto count = static_cast<std::ptrdiff_t>(controls.size());
  // From nothing, start just outside the end so the first step lands on the first (or last).
  std::ptrdiff_t index = focused_ ? focused_ - controls.data() : (backwards ? count : -1);
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    index = backwards ? (index + count - 1) % count : (index + 1) % count;
    if (Reachable(controls[static_cast<std::size_t>(index)])) {
      MoveFocusTo(&controls[static_cast<std::size_t>(index)]);
      return;
    }
  }
}

EditBox* HeadlessPageFrame::FocusedBox() const { return focused_ ? As<EditBox>(*focused_) : nullptr; }

const PageControl* HeadlessPageFrame::FindByBox(const EditBox* box) const {
  for (const PageControl& control : page_->Controls()) {
    if (As<EditBox>(control) == box) return &control;
  }
  return nullptr;
}

}  // namespace kestrow::host
