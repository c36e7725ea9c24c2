// The form's layer of the screen: the title, every field's label and box at its place with its
// text, selection and caret, and the status line; and the mouse on the fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "edit_box_view.h"
#include "kestrow/terminal/form_layout.h"
#include "kestrow/terminal/terminal_host.h"
#include "screen.h"

namespace kestrow::terminal {

class FormScreen {
 public:
  FormScreen(Screen& screen, Session& session);

  void Draw();
  // A notice in the status line until the next key.
  void SetNotice(std::u16string notice) { notice_ = std::move(notice); }
  // A press on a field gives it the focus, its MouseDown and the caret under the pointer; the
  // release its MouseUp, and its Click when over the same field.
  void Mouse(const MouseReport& report);

 private:
  FormLayout CurrentLayout() const;
  void DrawField(std::size_t index, const FieldCells& cells);
  void DrawStatus(const FormLayout& layout);

  Screen& screen_;
  Session& session_;
  std::vector<BoxMemory> memory_;
  std::u16string notice_;
  std::optional<std::size_t> pressed_;  // the field a button went down on
};

}  // namespace kestrow::terminal
