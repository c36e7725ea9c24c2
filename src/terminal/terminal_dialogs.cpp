#include "terminal_dialogs.h"

#include <algorithm>

#include "kestrow/terminal/cells.h"
#include "kestrow/terminal/dialog_layout.h"
#include "kestrow/terminal/message_box.h"

namespace kestrow::terminal {

DialogPlace CentreDialog(const Screen& screen, int client_rows, int client_columns) {
  DialogPlace place;
  place.rows = std::min(client_rows + 2, screen.Rows());
  place.columns = std::min(client_columns + 2, screen.Columns());
  place.top = std::max((screen.Rows() - place.rows) / 2, 0);
  place.left = std::max((screen.Columns() - place.columns) / 2, 0);
  return place;
}

void DrawLabel(Screen& screen, const PlacedDialog& dialog, std::size_t item, const DialogPlace& place, Style style) {
  const std::vector<std::u16string> lines = LabelLines(dialog, item);
  const CellRect& cells = dialog.items[item].place;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    screen.Put(place.Row(cells.row + static_cast<int>(l)), place.Column(cells.column), lines[l], style);
  }
}

int TerminalDialogs::MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) {
  const MessageBoxShape shape = DescribeMessageBox(buttons, caption);
  std::size_t chosen = shape.default_button;
  int answer = shape.escape_code;
  auto draw = [&] {
    const MessageBoxLayout layout = LayOutMessageBox(shape, prompt, screen_.Rows(), screen_.Columns());
    screen_.Frame(layout.top, layout.left, layout.rows, layout.columns, shape.caption, Style::Dialog);
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
      screen_.Put(layout.top + 2 + static_cast<int>(i), layout.left + 3, layout.lines[i], Style::Dialog,
                  layout.columns - 4);
    }
    for (std::size_t i = 0; i < shape.buttons.size(); ++i) {
      screen_.Put(layout.button_row, layout.button_columns[i], ButtonLabel(shape.buttons[i].label),
                  i == chosen ? Style::ChosenButton : Style::Dialog);
    }
  };
  RunModal(screen_, draw, [&](const KeyAction& action, const std::optional<MouseReport>&) {
    const std::optional<int> pressed = AnswerKey(shape, chosen, action);
    if (pressed) answer = *pressed;
    return pressed.has_value();
  });
  return answer;
}

void TerminalDialogs::ShowModal(host::DialogForm& dialog) {
  const PlacedDialog placed = PlaceDialog(dialog);
  const std::vector<std::size_t> buttons = ButtonOrder(dialog, placed);
  std::size_t chosen = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (placed.items[buttons[i]].is_default) chosen = i;
  }
  auto draw = [&] {
    const DialogPlace place = CentreDialog(screen_, placed.rows, placed.columns);
    screen_.Frame(place.top, place.left, place.rows, place.columns, dialog.Caption(), Style::Dialog);
    for (std::size_t i = 0; i < placed.items.size(); ++i) {
      const PlacedItem& item = placed.items[i];
      const int row = place.Row(item.place.row);
      const int column = place.Column(item.place.column);
      switch (item.kind) {
        case PlacedItem::Kind::Label: DrawLabel(screen_, placed, i, place, Style::Dialog); break;
        case PlacedItem::Kind::Button: {
          const bool isChosen = !buttons.empty() && buttons[chosen] == i;
          const std::u16string label = ButtonLabel(item.caption);
          screen_.Put(row, column + std::max((item.place.columns - CellWidth(label)) / 2, 0), label,
                      isChosen ? Style::ChosenButton : Style::Dialog);
          break;
        }
        case PlacedItem::Kind::Line: screen_.HorizontalLine(row, column, item.place.columns, Style::Dialog); break;
        default: break;  // pictures have no cells to show them in
      }
    }
  };
  RunModal(screen_, draw, [&](const KeyAction& action, const std::optional<MouseReport>&) {
    if (const auto* tab = std::get_if<TabMove>(&action); tab && !buttons.empty()) {
      chosen = Cycle(chosen, buttons.size(), tab->backwards);
    } else if (action == KeyAction{FieldKey{"Escape", 0}}) {
      dialog.PressEscape();
    } else if (action == KeyAction{TypedText{u" "}} && !buttons.empty()) {
      dialog.Click(placed.items[buttons[chosen]].name);
    } else if (action == KeyAction{FieldKey{"Enter", 0}}) {
      if (buttons.empty())
        dialog.PressEnter();
      else
        dialog.Click(placed.items[buttons[chosen]].name);
    }
    // A dialog that ignores its keys (no default or cancel button) still closes on Esc.
    if (!dialog.Unloaded() && action == KeyAction{FieldKey{"Escape", 0}}) dialog.Close();
    return dialog.Unloaded();
  });
}

}  // namespace kestrow::terminal
