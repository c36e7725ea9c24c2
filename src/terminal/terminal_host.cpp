#include "kestrow/terminal/terminal_host.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <exception>

#include "form_screen.h"
#include "kestrow/control/text.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/terminal/message_box.h"
#include "kestrow/terminal/unsaved_changes.h"
#include "page_dialog.h"
#include "screen.h"
#include "terminal_dialogs.h"

namespace kestrow::terminal {

namespace {

// The form's text is UTF-16 and the terminal's UTF-8: curses needs a UTF-8 character type
// locale, the environment's own when it is one.
class Utf8Locale {
 public:
  Utf8Locale() : previous_(std::setlocale(LC_CTYPE, nullptr)) {
    if (!IsUtf8(std::setlocale(LC_CTYPE, ""))) std::setlocale(LC_CTYPE, "C.UTF-8");
  }
  ~Utf8Locale() { std::setlocale(LC_CTYPE, previous_.c_str()); }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;

 private:
  static bool IsUtf8(const char* locale) { return locale && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0; }
  std::string previous_;
};

// The form's message boxes and dialogs are the screen's while the session runs.
class DialogsHookup {
 public:
  DialogsHookup(host::Form& form, host::Dialogs& dialogs) : form_(form) { form_.SetDialogs(&dialogs); }
  ~DialogsHookup() { form_.SetDialogs(nullptr); }
  DialogsHookup(const DialogsHookup&) = delete;
  DialogsHookup& operator=(const DialogsHookup&) = delete;

 private:
  host::Form& form_;
};

class LiveSession {
 public:
  LiveSession(Session& session, Screen& screen)
      : session_(session),
        screen_(screen),
        dialogs_(screen),
        view_(screen, session),
        changes_(session.form, session.fields) {}

  void Run() {
    DialogsHookup hookup(session_.form, dialogs_);
    if (!session_.fields.empty()) session_.form.Focus(session_.fields.front());
    screen_.Push([this] { view_.Draw(); });
    while (!quit_) {
      screen_.Redraw();
      const KeyAction action = Decode(screen_.Read());
      const std::optional<MouseReport> mouse = screen_.TakeMouse();
      try {
        Act(action, mouse);
      } catch (const host::HostError& failure) {
        ShowFailure(failure, std::nullopt);
      }
    }
    screen_.Pop();
  }

 private:
  void Act(const KeyAction& action, const std::optional<MouseReport>& mouse) {
    host::Form& form = session_.form;
    if (const auto* command = std::get_if<Command>(&action)) return Do(*command, mouse);
    if (const auto* key = std::get_if<FieldKey>(&action); key && form.FocusedName())
      form.PressKey(key->name, key->shift);
    if (const auto* typed = std::get_if<TypedText>(&action); typed && form.FocusedName()) form.Type(typed->text);
    if (const auto* pasted = std::get_if<PastedText>(&action); pasted && form.FocusedName()) form.Paste(pasted->text);
    if (const auto* tab = std::get_if<TabMove>(&action)) form.Tab(tab->backwards);
  }

  void Do(Command command, const std::optional<MouseReport>& mouse) {
    switch (command) {
      case Command::Quit: return Quit();
      case Command::Save: Save(); return;
      case Command::About:
        if (control::Text* text = Focused()) session_.form.Handle([&] { text->ShowTalmoBox(); });
        return;
      case Command::Page:
        if (control::Text* text = Focused()) ShowFormatPage(screen_, session_.form, *text);
        return;
      case Command::Mouse:
        if (mouse) view_.Mouse(*mouse);
        return;
      case Command::Redraw:
      case Command::Resize: return;  // the loop draws again
    }
  }

  control::Text* Focused() {
    const std::optional<std::u16string> name = session_.form.FocusedName();
    return name ? dynamic_cast<control::Text*>(session_.form.ControlNamed(*name)) : nullptr;
  }

  // The description may name a file, in UTF-8 like every text of the system's.
  void ShowFailure(const host::HostError& failure, std::optional<std::u16string_view> caption) {
    session_.form.MsgBox(host::FromUtf8(failure.Description()), host::buttons::kCritical, caption);
  }

  bool Save() {
    try {
      session_.save();
    } catch (const host::HostError& failure) {
      ShowFailure(failure, u"Save");
      return false;
    }
    changes_.MarkSaved();
    view_.SetNotice(u"Saved.");
    return true;
  }

  void Quit() {
    if (changes_.Pending()) {
      const int answer = session_.form.MsgBox(u"The form has changes that are not saved. Save them before quitting?",
                                              msgbox::kYesNoCancel | host::buttons::kQuestion, std::nullopt);
      if (answer == msgbox::kCancel || (answer == msgbox::kYes && !Save())) return;
    }
    quit_ = true;
  }

  Session& session_;
  Screen& screen_;
  TerminalDialogs dialogs_;
  FormScreen view_;
  UnsavedChanges changes_;
  bool quit_ = false;
};

}  // namespace

int Run(Session& session, std::string& error) {
  try {
    Utf8Locale locale;
    Screen screen;
    LiveSession(session, screen).Run();
    return 0;
  } catch (const std::exception& failure) {
    error = failure.what();
    return 1;
  }
}

}  // namespace kestrow::terminal
