// The services the host's container gives a control placed on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kestrow/host/forms/dialog.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::host {

// The name of an event or of one of its arguments. A string literal lasts as long as the program,
// so a record may keep it as it is; any other text stays the caller's, and a record keeps a copy.
class EventName {
 public:
  EventName() = default;
  template <std::size_t N>
  consteval EventName(const char (&literal)[N])  // NOLINT(google-explicit-constructor)
      : data_(literal), size_(static_cast<std::uint32_t>(N - 1)), lasting_(1) {}
  EventName(std::string_view name)
      : data_(name.data()), size_(static_cast<std::uint32_t>(name.size())) {}  // NOLINT(google-explicit-constructor)
  EventName(const std::string& name) : EventName(std::string_view(name)) {}    // NOLINT(google-explicit-constructor)

  std::string_view View() const { return {data_, size_}; }
  operator std::string_view() const { return View(); }  // NOLINT(google-explicit-constructor)
  bool Lasting() const { return lasting_ != 0; }
  friend bool operator==(EventName a, std::string_view b) { return a.View() == b; }

 private:
  // Two words, so that a name goes in registers and a literal's size and mark are stored at
  // once: every event passes names.
  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  std::uint32_t lasting_ = 0;
};

// One argument of a raised event. Arguments go by reference: what the application leaves in
// `value` comes back to the control.
struct EventArg {
  EventName name;
  Variant value;
};

namespace buttons {
inline constexpr int kOkOnly = 0;
inline constexpr int kCritical = 16;  // OK with the critical-stop icon
inline constexpr int kQuestion = 32;  // the question icon, added to a button set
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kIconMask = 0x70;
}  // namespace buttons

inline constexpr int kMsgBoxOk = 1;

// The button sets a message box may be asked for (the low bits of its buttons) and the buttons it
// answers with.
namespace msgbox {
inline constexpr int kOk = kMsgBoxOk;
inline constexpr int kCancel = 2;
inline constexpr int kAbort = 3;
inline constexpr int kRetry = 4;
inline constexpr int kIgnore = 5;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kButtonSetMask = 0x7;
}  // namespace msgbox

// The caption a host gives a message box given none or an empty one.
inline constexpr std::u16string_view kDefaultCaption = u"Kestrow";

class ControlSite {
 public:
  // Tells the host a property changed (it then saves the control again).
  virtual void PropertyChanged(std::string_view property) = 0;
  // Raises one of the control's events to the application.
  virtual void RaiseEvent(EventName event, std::span<EventArg> args) = 0;
  // "{TAB}" or "+{TAB}": a focus move to the next or previous control, after the current host event.
  virtual void SendKeys(std::u16string_view keys) = 0;
  // Shows a modal message box; without a caption the host's default caption shows. Returns the
  // button pressed.
  virtual int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) = 0;
  // The container's font, the default of a new control.
  virtual std::shared_ptr<Font> AmbientFont() = 0;
  // Shows a dialog modally, without an owner, and returns once it is unloaded.
  virtual void ShowModal(DialogForm& dialog) = 0;

 protected:
  ~ControlSite() = default;
};

}  // namespace kestrow::host
