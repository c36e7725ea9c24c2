#include "kestrow/host/forms/form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "host/controls/keyboard.h"

namespace kestrow::host {

namespace {

bool SameLetters(std::u16string_view a, std::u16string_view b) {
  return std::ranges::equal(a, b, [](char16_t x, char16_t y) {
    auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    return upper(x) == upper(y);
  });
}

}  // namespace

// --- Elements and their sites ------------------------------------------------------------------

struct Form::Element {
  Element(Form& form, std::u16string element_name) : name(std::move(element_name)), recorded_name(name), box(form) {}

  const std::u16string name;
  const SharedName recorded_name;  // what its records hold
  std::size_t index = 0;           // its place in the tab order, kept by Renumber
  EditBox box;
  std::unique_ptr<Site> site;            // controls only
  std::unique_ptr<Component> component;  // controls only; destroyed before its site and box
};

class Form::Site final : public ControlSite {
 public:
  Site(Form& form, const Element& element) : form_(form), element_(element) {}

  void PropertyChanged(std::string_view property) override {
    if (form_.recording_) NewRecord(HostRecord::Kind::PropertyChanged, form_.record_names_.Intern(property));
  }

  void RaiseEvent(EventName event, std::span<EventArg> args) override {
    if (form_.recording_ || form_.event_handler_) PassOn(event, args);
  }

  void SendKeys(std::u16string_view keys) override {
    if (form_.recording_) {
      HostRecord record;
      record.kind = HostRecord::Kind::SendKeys;
      record.text = keys;
      form_.Record(std::move(record));
    }
    form_.QueueSendKeys(keys);
  }

  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    return form_.MsgBox(prompt, buttons, caption);
  }

  std::shared_ptr<Font> AmbientFont() override { return form_.ambient_font_.Clone(); }

  void ShowModal(DialogForm& dialog) override { form_.ShowModal(element_.name, dialog); }

 private:
  // Apart from RaiseEvent, so that an event nobody records or handles costs two tests.
  [[gnu::noinline]] void PassOn(EventName event, std::span<EventArg> args) {
    if (form_.recording_) {
      HostRecord& record = NewRecord(HostRecord::Kind::Event, Kept(event));
      for (const EventArg& arg : args) record.args.emplace_back(Kept(arg.name), arg.value);
    }
    if (form_.event_handler_) form_.event_handler_(element_.name, event, args);
  }

  // A name the record may hold after the caller's text is gone.
  std::string_view Kept(EventName name) { return name.Lasting() ? name.View() : form_.record_names_.Intern(name); }

  // Made in its place at the end of the record.
  HostRecord& NewRecord(HostRecord::Kind kind, std::string_view kept_name) {
    HostRecord& record = form_.records_.emplace_back(kind);
    record.control = element_.recorded_name;
    record.name = kept_name;
    return record;
  }

  Form& form_;
  const Element& element_;
};

Form::Form() = default;

Font Form::DefaultAmbientFont() {
  Font font;
  font.name = u"MS Sans Serif";
  font.size = 8.25f;
  font.weight = 400;
  return font;
}

Form::~Form() {
  // Components go first, one at a time, while the rest of the form is still there for them.
  focused_ = nullptr;
  while (!elements_.empty()) {
    std::unique_ptr<Element> last = std::move(elements_.back());
    elements_.pop_back();
    by_name_.erase(last->name);
  }
}

Component& Form::AddControl(std::u16string name, const ComponentFactory& make, std::u16string_view before) {
  if (Contains(name)) throw std::invalid_argument("Form: an element of that name is already on the form");
  if (!before.empty()) Get(before);  // throws for a name not on the form
  std::unique_ptr<Element> element = MakeElement(std::move(name), make);
  Component& component = *element->component;
  Element* const added = element.get();
  // Looked up again: the factory may have added elements.
  const std::size_t index = before.empty() ? elements_.size() : Get(before).index;
  const auto position = elements_.insert(elements_.begin() + static_cast<std::ptrdiff_t>(index), std::move(element));
  Renumber(index);
  bool named = false;
  try {
    named = by_name_.emplace(added->name, added).second;
  } catch (...) {
    elements_.erase(position);
    Renumber(index);
    throw;
  }
  if (!named) {  // the factory placed an element of this name meanwhile
    elements_.erase(position);
    Renumber(index);
    throw std::invalid_argument("Form: an element of that name is already on the form");
  }
  return component;
}

void Form::RemoveControl(std::u16string_view name) {
  const std::size_t index = Get(name).index;  // throws for a name not on the form
  const auto position = elements_.begin() + static_cast<std::ptrdiff_t>(index);
  if ((*position)->box.HasFocus() || focused_ == position->get()) focused_ = nullptr;
  focus_.Forget(&(*position)->box);
  std::unique_ptr<Element> removed = std::move(*position);
  elements_.erase(position);
  Renumber(index);
  by_name_.erase(removed->name);
}

Component& Form::ReplaceControl(std::u16string_view name, const ComponentFactory& make) {
  Element& old = Get(name);
  Element* const wasFocused = focused_;
  if (focused_ == &old) focused_ = nullptr;

  std::unique_ptr<Element> element;
  try {
    element = MakeElement(old.name, make);
  } catch (...) {
    focused_ = wasFocused;
    throw;
  }

  focus_.Forget(&old.box);
  Component& component = *element->component;
  element->index = old.index;  // kept up to date if the factory added elements
  auto position = elements_.begin() + static_cast<std::ptrdiff_t>(old.index);
  std::unique_ptr<Element> dropped = std::exchange(*position, std::move(element));
  by_name_.find(dropped->name)->second = position->get();
  dropped.reset();  // only once the new control is in its place
  return component;
}

std::unique_ptr<Form::Element> Form::MakeElement(std::u16string name, const ComponentFactory& make) {
  auto element = std::make_unique<Element>(*this, std::move(name));
  element->site = std::make_unique<Site>(*this, *element);
  try {
    element->component = make(*element->site, element->box);
    if (!element->component) throw std::invalid_argument("Form: the factory made no control");
  } catch (...) {
    focus_.Forget(&element->box);
    throw;
  }
  return element;
}

EditBox& Form::AddPlainBox(std::u16string name) {
  if (Contains(name)) throw std::invalid_argument("Form: an element of that name is already on the form");
  elements_.push_back(std::make_unique<Element>(*this, std::move(name)));
  elements_.back()->index = elements_.size() - 1;
  try {
    by_name_.emplace(elements_.back()->name, elements_.back().get());
  } catch (...) {
    elements_.pop_back();
    throw;
  }
  return elements_.back()->box;
}

EditBox& Form::Box(std::u16string_view name) { return Get(name).box; }

Component* Form::ControlNamed(std::u16string_view name) { return Get(name).component.get(); }

bool Form::Contains(std::u16string_view name) const { return Find(name) != nullptr; }

std::optional<std::u16string> Form::FocusedName() const {
  if (!focused_) return std::nullopt;
  return focused_->name;
}

// --- Host events -------------------------------------------------------------------------------

void Form::Focus(std::u16string_view name) {
  Handle([&] {
    Element& target = Get(name);
    if (target.box.Enabled()) MoveFocusTo(&target);
  });
}

void Form::Tab(bool backwards) {
  Handle([&] {
    if (Element* target = Neighbour(focused_, backwards)) MoveFocusTo(target);
  });
}

void Form::Type(std::u16string_view text) {
  for (const char16_t character : text) {
    Handle([&] { DeliverStroke(StrokeForCharacter(character)); });
  }
}

bool Form::PressKey(std::string_view name, std::int16_t shift) {
  if (IsTabKey(name)) {
    Tab((shift & keys::kShiftMask) != 0);
    return true;
  }
  const std::optional<KeyStroke> stroke = StrokeForNamedKey(name, shift);
  if (!stroke) return false;
  Handle([&] { DeliverStroke(*stroke); });
  return true;
}

void Form::RawKeyDown(std::int16_t keyCode, std::int16_t shift) {
  Handle([&] { FocusedBox().DeliverKeyDown(keyCode, shift); });
}

void Form::RawKeyPress(std::int16_t keyAscii) {
  Handle([&] { FocusedBox().DeliverKeyPress(keyAscii); });
}

void Form::RawKeyUp(std::int16_t keyCode, std::int16_t shift) {
  Handle([&] { FocusedBox().DeliverKeyUp(keyCode, shift); });
}

void Form::Select(std::int32_t start, std::int32_t length) {
  Handle([&] { FocusedBox().UserSelect(start, length); });
}

void Form::Paste(std::u16string_view text) {
  Handle([&] { FocusedBox().DeliverPaste(std::u16string(text)); });
}

void Form::Click(std::u16string_view name) {
  Handle([&] { Get(name).box.DeliverClick(); });
}

void Form::DblClick(std::u16string_view name) {
  Handle([&] { Get(name).box.DeliverDblClick(); });
}

void Form::Mouse(std::u16string_view name, MouseAction action, std::int16_t button, std::int16_t shift, float x,
                 float y) {
  Handle([&] {
    EditBox& box = Get(name).box;
    switch (action) {
      case MouseAction::Down: box.DeliverMouseDown(button, shift, x, y); break;
      case MouseAction::Move: box.DeliverMouseMove(button, shift, x, y); break;
      case MouseAction::Up: box.DeliverMouseUp(button, shift, x, y); break;
    }
  });
}

int Form::MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) {
  if (recording_) {
    HostRecord record;
    record.kind = HostRecord::Kind::MsgBox;
    record.text = prompt;
    record.buttons = buttons;
    if (caption) record.caption = std::u16string(*caption);
    Record(std::move(record));
  }
  return dialogs_ ? dialogs_->MsgBox(prompt, buttons, caption) : kMsgBoxOk;
}

void Form::ShowModal(std::u16string_view owner, DialogForm& dialog) {
  dialog.Load();
  if (recording_) {
    HostRecord record;
    record.kind = HostRecord::Kind::Dialog;
    record.control = SharedName(owner);
    record.text = dialog.Caption();
    record.labels = dialog.LabelsInTabOrder();
    for (const DialogControl& control : dialog.Controls()) record.captions.emplace_back(control.name, control.caption);
    Record(std::move(record));
  }
  if (dialogs_) {
    dialogs_->ShowModal(dialog);
    return;
  }
  dialog.PressEnter();
  if (!dialog.Unloaded()) dialog.Close();
}

std::vector<HostRecord> Form::TakeRecords() {
  std::vector<HostRecord> taken = std::exchange(records_, {});
  records_.reserve(taken.capacity());
  return taken;
}

// --- Focus -------------------------------------------------------------------------------------

void Form::RequestFocus(TextBox& box) { focus_.Ask({FocusChain::Move::Kind::To, &box}); }

void Form::QueueSendKeys(std::u16string_view keys) {
  if (SameLetters(keys, u"{TAB}")) {
    focus_.Ask({FocusChain::Move::Kind::Next, nullptr});
  } else if (SameLetters(keys, u"+{TAB}")) {
    focus_.Ask({FocusChain::Move::Kind::Previous, nullptr});
  }
}

void Form::DeliverStroke(const KeyStroke& stroke) {
  FocusedBox();
  host::DeliverStroke(stroke, [this] { return focused_ ? &focused_->box : nullptr; });
}

EditBox& Form::FocusedBox() {
  if (!focused_) throw std::logic_error("Form: a key event with no element focused");
  return focused_->box;
}

void Form::MoveFocusTo(Element* target) {
  if (!target || target == focused_) return;
  if (recording_) {
    HostRecord record;
    record.kind = HostRecord::Kind::Focus;
    record.text = target->name;
    Record(std::move(record));
  }
  if (Element* old = std::exchange(focused_, nullptr)) old->box.DeliverLostFocus();
  focused_ = target;
  target->box.DeliverGotFocus();
}

Form::Element* Form::Neighbour(const Element* from, bool backwards) const {
  std::optional<std::size_t> place;
  if (from) {
    if (from->index >= elements_.size() || elements_[from->index].get() != from) return nullptr;
    place = from->index;
  }
  const auto next = FocusChain::Neighbour(place, elements_.size(), backwards,
                                          [this](std::size_t index) { return elements_[index]->box.Enabled(); });
  return next ? elements_[*next].get() : nullptr;
}

void Form::CarryOut(const FocusChain::Move& move) {
  Element* target = nullptr;
  switch (move.kind) {
    case FocusChain::Move::Kind::Next: target = Neighbour(focused_, false); break;
    case FocusChain::Move::Kind::Previous: target = Neighbour(focused_, true); break;
    case FocusChain::Move::Kind::To:
      target = FindByBox(move.box);
      if (target && !target->box.Enabled()) target = nullptr;
      break;
  }
  MoveFocusTo(target);
}

// --- Lookup ------------------------------------------------------------------------------------

Form::Element* Form::Find(std::u16string_view name) const {
  const auto found = by_name_.find(name);
  return found == by_name_.end() ? nullptr : found->second;
}

Form::Element& Form::Get(std::u16string_view name) const {
  Element* element = Find(name);
  if (!element) throw std::out_of_range("Form: no element of that name");
  return *element;
}

Form::Element* Form::FindByBox(const TextBox* box) const {
  auto position = std::ranges::find_if(elements_, [&](const auto& e) { return &e->box == box; });
  return position == elements_.end() ? nullptr : position->get();
}

// Costs what moving the elements after `from` cost the vector, so placing a control before the
// last element stays constant time.
void Form::Renumber(std::size_t from) {
  for (std::size_t i = from; i < elements_.size(); ++i) elements_[i]->index = i;
}

}  // namespace kestrow::host
