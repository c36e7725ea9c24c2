// The state of a scenario run and its commands. Commands check their words completely before they
// act, so a malformed line changes nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/host/storage/property_bag.h"

namespace kestrow::script {

using Words = std::vector<std::string>;

class Runner {
 public:
  explicit Runner(std::ostream& out);

  // One line's words (at least one). Raises ScriptError for a malformed line; a host error is
  // printed and the run goes on.
  void Execute(const Words& words);
  // Prints what the host recorded so far.
  void FlushRecords();
  // How each command is written, in the order of the command table.
  static std::vector<std::string_view> Usages();

 private:
  struct Command {
    std::string_view name;
    void (Runner::*run)(const Words&);
    std::size_t min_words;
    std::size_t max_words;
    std::string_view usage;
  };
  static const std::vector<Command>& Commands();
  // Raises ScriptError, with the usage, for too many or too few words.
  static void CheckWordCount(const Command& command, const Words& words);

  // --- Controls and their settings (form_commands.cpp) ----------------------------------------
  void Today(const Words& words);
  void New(const Words& words);
  void Use(const Words& words);
  void Bag(const Words& words);
  void Read(const Words& words);
  void Save(const Words& words);
  void Reload(const Words& words);
  void Set(const Words& words);
  void Get(const Words& words);
  void Call(const Words& words);
  void Resize(const Words& words);
  void Show(const Words& words);

  // --- The user at the keyboard and the mouse (input_commands.cpp) ----------------------------
  void Focus(const Words& words);
  void Blur(const Words& words);
  void Type(const Words& words);
  void Key(const Words& words);
  void KeyDown(const Words& words);
  void KeyPress(const Words& words);
  void KeyUp(const Words& words);
  void Select(const Words& words);
  void Clipboard(const Words& words);
  void Mouse(const Words& words);
  void Click(const Words& words);
  void DblClick(const Words& words);

  // --- The property page Format (page_commands.cpp) -----------------------------------------
  void Page(const Words& words);
  void PageOpen(const Words& words);
  void PagePick(const Words& words);
  void PageFocus(const Words& words);
  void PageType(const Words& words);
  void PageKey(const Words& words);
  void PageLeave(const Words& words);
  void PageApply(const Words& words);
  void PageShow(const Words& words);
  void PageClose(const Words& words);
  host::FormPageFrame& OpenPage();
  // Moves into a page field unless it has the focus; false when the user cannot reach it.
  bool EnterPageField(std::string_view field);
  // Selects the named controls again after one of them was replaced.
  void ReselectPageControls();

  // --- Helpers ---------------------------------------------------------------------------------
  const std::u16string& CurrentName() const;
  control::Text& Current();
  void RequireFocus() const;
  // Places a control from `make` just before `other` and makes it current; the default name is
  // used up only when the control is placed.
  void Place(const Words& words, const host::Form::ComponentFactory& make);
  // Prints one line after the records so far.
  void Emit(const std::string& line);
  void EmitError(int number, const std::string& description);

  host::Form form_;
  std::ostream& out_;
  std::optional<std::u16string> current_;
  host::PropertyBag pending_;
  int unnamed_ = 0;  // the number of the last default name given
  // The open property page and the controls it was opened on; destroyed before the form.
  std::unique_ptr<host::FormPageFrame> page_;
  std::vector<std::u16string> page_selection_;
};

// A control or element name: a bare word or a quoted string.
std::u16string ParseName(std::string_view word);

}  // namespace kestrow::script
