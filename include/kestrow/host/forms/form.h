// The host's form: controls and plain edit boxes in a tab order, one focused element, focus moves
// queued until the current host event has been handled, and a record of everything the controls
// and the host did, in order. Without a screen (the default) message boxes are answered OK and
// modal dialogs with Enter; a host with a screen plugs in its own dialogs and delivers the user's
// keys as the host events below.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/forms/dialogs.h"
#include "kestrow/host/forms/focus_chain.h"
#include "kestrow/host/forms/host_record.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::host {

struct KeyStroke;

// What a control on the form is to the form: something it keeps alive.
class Component {
 public:
  virtual ~Component() = default;
};

class Form final : private BoxHost {
 public:
  // The application's handler of the controls' events; it may change by-reference arguments.
  using EventHandler =
      std::function<void(std::u16string_view control, std::string_view event, std::span<EventArg> args)>;
  using ComponentFactory = std::function<std::unique_ptr<Component>(ControlSite& site, EditBox& box)>;

  Form();
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Adds a control at the end of the tab order (or just before the element `before`), built by
  // `make` on its own site and edit box.
  Component& AddControl(std::u16string name, const ComponentFactory& make, std::u16string_view before = {});
  // Takes a control off the form (the focus is dropped without events if it had it).
  void RemoveControl(std::u16string_view name);
  // Replaces a control by a new one at the same place in the tab order; the old one is dropped.
  Component& ReplaceControl(std::u16string_view name, const ComponentFactory& make);
  // Adds a plain edit box (the host's own editing) at the end of the tab order.
  EditBox& AddPlainBox(std::u16string name);

  EditBox& Box(std::u16string_view name);
  Component* ControlNamed(std::u16string_view name);
  bool Contains(std::u16string_view name) const;
  // The element that has the input focus; empty when none has.
  std::optional<std::u16string> FocusedName() const;

  void SetEventHandler(EventHandler handler) { event_handler_ = std::move(handler); }
  // On by default. A long-running application turns the record off so it does not grow without
  // bound; events still reach the handler and message boxes are still answered OK.
  void SetRecording(bool on) { recording_ = on; }
  bool Recording() const { return recording_; }
  // The font the controls get as the ambient font (each a copy of its own).
  void SetAmbientFont(Font font) { ambient_font_ = std::move(font); }
  // Who shows message boxes and modal dialogs (it outlives the form); null: answered at once.
  void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

  // --- Host events: each is handled completely, then the queued focus moves are carried out ---
  void Focus(std::u16string_view name);
  void Tab(bool backwards);
  void Type(std::u16string_view text);  // one host event per character
  // Returns false for an unknown key name.
  bool PressKey(std::string_view name, std::int16_t shift);
  void RawKeyDown(std::int16_t keyCode, std::int16_t shift);
  void RawKeyPress(std::int16_t keyAscii);
  void RawKeyUp(std::int16_t keyCode, std::int16_t shift);
  void Select(std::int32_t start, std::int32_t length);
  // The host's paste command (not a key): the focused element pastes `text`.
  void Paste(std::u16string_view text);
  void Click(std::u16string_view name);
  void DblClick(std::u16string_view name);
  enum class MouseAction { Down, Move, Up };
  void Mouse(std::u16string_view name, MouseAction action, std::int16_t button, std::int16_t shift, float x, float y);
  // Runs any host event given as a callable, followed by the queued focus moves.
  template <typename Event>
  void Handle(Event&& event) {
    focus_.Run(event, [this](const FocusChain::Move& move) { CarryOut(move); });
  }
  // Shows a message box for a control or another window of the host: recorded, then answered by
  // the host's dialogs (OK without them).
  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption);
  // Shows a dialog modally for the control `owner`: loaded, recorded, then answered by the host's
  // dialogs (without them, Enter, or closing through the frame for a dialog without a default
  // button). Nothing else reaches the form meanwhile, as under a real modal loop.
  void ShowModal(std::u16string_view owner, DialogForm& dialog);

  // --- What happened -------------------------------------------------------------------------
  const std::vector<HostRecord>& Records() const { return records_; }
  // Leaves as much room as the records taken had, so the next ones are not moved as they grow.
  std::vector<HostRecord> TakeRecords();
  const std::u16string& Clipboard() const { return clipboard_; }
  void SetClipboard(std::u16string text) { clipboard_ = std::move(text); }
  // Adds to the record (when recording): the windows the host shows beside the form, such as a
  // property page frame, report their message boxes and focus moves here, in the same order.
  void Record(HostRecord record) {
    if (recording_) records_.push_back(std::move(record));
  }

 private:
  class Site;
  struct Element;

  // BoxHost
  const std::u16string& ClipboardText() const override { return clipboard_; }
  void SetClipboardText(std::u16string text) override { clipboard_ = std::move(text); }
  void RequestFocus(TextBox& box) override;

  static Font DefaultAmbientFont();
  void QueueSendKeys(std::u16string_view keys);
  void DeliverStroke(const KeyStroke& stroke);
  EditBox& FocusedBox();
  void MoveFocusTo(Element* target);
  Element* Neighbour(const Element* from, bool backwards) const;
  void CarryOut(const FocusChain::Move& move);
  Element* Find(std::u16string_view name) const;
  // Throws std::out_of_range for an unknown name.
  Element& Get(std::u16string_view name) const;
  Element* FindByBox(const TextBox* box) const;
  // A control built by `make` on a site and box of its own, not yet on the form; nothing stays
  // queued for its box when the factory fails.
  std::unique_ptr<Element> MakeElement(std::u16string name, const ComponentFactory& make);
  // Gives the elements from `from` on their places in elements_ again.
  void Renumber(std::size_t from);

  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view>{}(name); }
  };

  std::vector<std::unique_ptr<Element>> elements_;
  // Every element by its name: forms of a thousand controls are loaded and saved by name.
  std::unordered_map<std::u16string, Element*, NameHash, std::equal_to<>> by_name_;
  Element* focused_ = nullptr;
  std::vector<HostRecord> records_;
  NameCache record_names_;
  std::u16string clipboard_;
  EventHandler event_handler_;
  Dialogs* dialogs_ = nullptr;
  Font ambient_font_ = DefaultAmbientFont();
  bool recording_ = true;
  FocusChain focus_;
};

}  // namespace kestrow::host
