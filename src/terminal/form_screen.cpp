#include "form_screen.h"

#include <algorithm>

#include "kestrow/control/text.h"
#include "kestrow/host/values/variant.h"
#include "kestrow/terminal/status_line.h"

namespace kestrow::terminal {

namespace {

constexpr std::int16_t kLeftButton = 1;

control::Text& TextNamed(host::Form& form, const std::u16string& name) {
  return dynamic_cast<control::Text&>(*form.ControlNamed(name));
}

}  // namespace

FormScreen::FormScreen(Screen& screen, Session& session)
    : screen_(screen), session_(session), memory_(session.fields.size()) {}

FormLayout FormScreen::CurrentLayout() const {
  std::vector<FieldPlace> places;
  for (const std::u16string& name : session_.fields) {
    control::Text& text = TextNamed(session_.form, name);
    // A custom mask can be longer than the field's length; its box is bounded by the mask.
    const host::EditBox& box = session_.form.Box(name);
    const std::int32_t placesNeeded = std::max(host::ToLong(text.GetProperty("Length")), box.MaxLength());
    places.push_back({name, box.Left(), text.Width(), placesNeeded});
  }
  return LayOutForm(places, screen_.Rows(), screen_.Columns());
}

void FormScreen::Draw() {
  const FormLayout layout = CurrentLayout();
  if (layout.Fits()) {
    screen_.Put(0, 1, session_.title, Style::Title);
    for (std::size_t i = 0; i < layout.fields.size(); ++i) DrawField(i, layout.fields[i]);
  }
  DrawStatus(layout);
}

void FormScreen::DrawField(std::size_t index, const FieldCells& cells) {
  const host::EditBox& box = session_.form.Box(session_.fields[index]);
  screen_.Put(cells.row, cells.label_column, session_.fields[index] + u":",
              box.Enabled() ? Style::Normal : Style::Disabled);

  DrawEditBox(screen_, box, memory_[index], cells.row, cells.box_column, cells.box_width, Style::Field);
}

void FormScreen::DrawStatus(const FormLayout& layout) {
  std::u16string text;
  if (!layout.Fits()) {
    text = TooSmallText(layout.needed_rows, layout.needed_columns, screen_.Columns());
  } else {
    std::optional<FieldStatus> status;
    if (const std::optional<std::u16string> focused = session_.form.FocusedName()) {
      control::Text& control = TextNamed(session_.form, *focused);
      status = FieldStatus{*focused, host::ToInteger(control.GetProperty("DataType")),
                           host::ToInteger(control.GetProperty("InputFormat"))};
    }
    text = StatusText(status ? &*status : nullptr, notice_, screen_.Columns());
  }
  screen_.Put(layout.status_row, 0, text, Style::Status);
  screen_.Put(layout.status_row + 1, 0, KeysText(screen_.Columns()), Style::Status);
  notice_.clear();
}

void FormScreen::Mouse(const MouseReport& report) {
  const FormLayout layout = CurrentLayout();
  if (!layout.Fits()) return;
  const std::optional<std::size_t> field = FieldAt(layout, report.row, report.column);
  host::Form& form = session_.form;
  const bool press = report.action != MouseReport::Action::Release;
  const bool release = report.action != MouseReport::Action::Press;
  if (press && field) {
    const std::u16string& name = session_.fields[*field];
    const FieldCells& cells = layout.fields[*field];
    const TwipsPoint at = TwipsInBox(cells, report.column);
    form.Focus(name);
    form.Mouse(name, host::Form::MouseAction::Down, kLeftButton, 0, at.x, at.y);
    // The focus arriving may have rebuilt the text: the caret goes where the pointer is now.
    if (form.FocusedName() == name) {
      form.Select(IndexUnderClick(form.Box(name), memory_[*field], cells.box_width, report.column - cells.box_column),
                  0);
    }
    pressed_ = field;
  }
  if (release && pressed_) {
    const std::u16string& name = session_.fields[*pressed_];
    const TwipsPoint at = TwipsInBox(layout.fields[*pressed_], report.column);
    form.Mouse(name, host::Form::MouseAction::Up, kLeftButton, 0, at.x, at.y);
    // A release away from the box is no click on it.
    if (field == pressed_) form.Click(name);
    pressed_.reset();
  }
}

}  // namespace kestrow::terminal
