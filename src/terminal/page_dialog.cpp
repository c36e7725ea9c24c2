#include "page_dialog.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "edit_box_view.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/proppage/format_page.h"
#include "kestrow/terminal/cells.h"
#include "kestrow/terminal/dialog_layout.h"
#include "kestrow/terminal/message_box.h"
#include "terminal_dialogs.h"

namespace kestrow::terminal {

namespace {

enum class Button { Ok, Apply, Cancel };
constexpr std::array<std::pair<Button, std::u16string_view>, 3> kButtons{
    {{Button::Ok, u"OK"}, {Button::Apply, u"Apply"}, {Button::Cancel, u"Cancel"}}};
constexpr int kButtonRows = 2;  // a blank row, then the buttons

class PageDialog {
 public:
  PageDialog(Screen& screen, host::Form& form)
      : screen_(screen),
        frame_(form, [](host::PageFrame& frame) { return std::make_unique<proppage::FormatPage>(frame); }) {}

  void Show(host::Dispatchable& control) {
    frame_.Select({&control});
    const std::vector<std::string_view> stops = PageStops();
    if (!stops.empty()) frame_.Focus(stops.front());
    RunModal(
        screen_, [this] { Draw(); },
        [this](const KeyAction& action, const std::optional<MouseReport>& mouse) {
          if (mouse)
            Mouse(*mouse);
          else
            Key(action);
          return closed_;
        });
  }

 private:
  // --- Focus --------------------------------------------------------------------------------------
  std::vector<std::string_view> PageStops() {
    std::vector<std::string_view> stops;
    for (const host::PageControl& control : frame_.Page().Controls()) {
      if (!std::holds_alternative<host::CaptionedControl*>(control.control) && host::Reachable(control))
        stops.push_back(control.name);
    }
    return stops;
  }

  void Tab(bool backwards) {
    const std::vector<std::string_view> stops = PageStops();
    const std::size_t count = stops.size() + kButtons.size();
    std::size_t at = 0;
    if (const auto focused = frame_.FocusedName()) {
      at = static_cast<std::size_t>(std::find(stops.begin(), stops.end(), *focused) - stops.begin());
    } else {
      at = stops.size() + button_;
    }
    const std::size_t next = Cycle(at, count, backwards);
    if (next < stops.size()) {
      frame_.Focus(stops[next]);
    } else if (LeavePage()) {
      button_ = next - stops.size();
    }
  }

  // The page's focused control loses the focus, as a click on a button takes it; false when the
  // page keeps it (a field that refuses what it holds).
  bool LeavePage() {
    if (frame_.FocusedName()) frame_.Leave();
    return !frame_.FocusedName();
  }

  // --- Input --------------------------------------------------------------------------------------
  void Key(const KeyAction& action) {
    if (const auto* tab = std::get_if<TabMove>(&action)) return Tab(tab->backwards);
    if (action == KeyAction{FieldKey{"Escape", 0}}) return Press(Button::Cancel);
    const std::optional<std::string_view> focused = frame_.FocusedName();
    if (!focused) {
      if (action == KeyAction{FieldKey{"Enter", 0}} || action == KeyAction{TypedText{u" "}})
        Press(kButtons[button_].first);
      const bool left = action == KeyAction{FieldKey{"Left", 0}};
      if (left || action == KeyAction{FieldKey{"Right", 0}}) button_ = Cycle(button_, kButtons.size(), left);
      return;
    }
    const host::PageControl* control = frame_.Find(*focused);
    if (auto* const* list = std::get_if<host::DropDownList*>(&control->control))
      return ListKey(*focused, **list, action);
    if (action == KeyAction{FieldKey{"Enter", 0}}) return Press(Button::Ok);
    if (const auto* key = std::get_if<FieldKey>(&action)) frame_.PressKey(key->name, key->shift);
    if (const auto* typed = std::get_if<TypedText>(&action)) frame_.Type(typed->text);
    if (const auto* pasted = std::get_if<PastedText>(&action)) frame_.Type(FirstLine(pasted->text));
  }

  // The page's boxes have no paste command: the first line goes in as typed, all a box takes of a
  // paste.
  static std::u16string_view FirstLine(std::u16string_view text) { return text.substr(0, text.find_first_of(u"\r\n")); }

  void ListKey(std::string_view name, const host::DropDownList& list, const KeyAction& action) {
    const auto* key = std::get_if<FieldKey>(&action);
    if (!key) return;
    if (key->name == "Enter") return OpenList(name, list);
    const int step = key->name == "Down" ? 1 : key->name == "Up" ? -1 : 0;
    const std::int32_t index = std::clamp(list.ListIndex() + step, 0, list.ListCount() - 1);
    if (step != 0 && list.ListCount() > 0 && index != list.ListIndex()) frame_.Pick(name, list.List(index));
  }

  // The open list below its control: Up/Down choose, Enter picks, Esc closes it unchanged.
  void OpenList(std::string_view name, const host::DropDownList& list) {
    if (list.ListCount() == 0) return;
    std::int32_t chosen = std::max(list.ListIndex(), 0);
    RunModal(
        screen_, [&] { DrawOpenList(name, list, chosen); },
        [&](const KeyAction& action, const std::optional<MouseReport>&) {
          if (action == KeyAction{FieldKey{"Down", 0}}) chosen = std::min(chosen + 1, list.ListCount() - 1);
          if (action == KeyAction{FieldKey{"Up", 0}}) chosen = std::max(chosen - 1, 0);
          if (action == KeyAction{FieldKey{"Enter", 0}}) frame_.Pick(name, list.List(chosen));
          return action == KeyAction{FieldKey{"Enter", 0}} || action == KeyAction{FieldKey{"Escape", 0}};
        });
  }

  void Press(Button button) {
    if (button != Button::Cancel && !LeavePage()) return;
    if (button == Button::Apply && !frame_.Site().Changed()) return;
    if (button != Button::Cancel) frame_.Apply();
    closed_ = button != Button::Apply;
  }

  void Mouse(const MouseReport& mouse) {
    if (mouse.action == MouseReport::Action::Release) return;
    const DialogPlace place = Place();
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
      if (mouse.row == ButtonRow(place) && mouse.column >= ButtonColumn(place, i) &&
          mouse.column < ButtonColumn(place, i) + CellWidth(ButtonLabel(kButtons[i].second))) {
        return Press(kButtons[i].first);
      }
    }
    for (const PlacedItem& item : PlacePage(frame_.Page()).items) {
      const int row = place.Row(item.place.row);
      const int column = place.Column(item.place.column);
      const bool inside = mouse.row == row && mouse.column >= column && mouse.column < column + item.place.columns;
      if (inside && (item.kind == PlacedItem::Kind::List || item.kind == PlacedItem::Kind::Field))
        return frame_.Focus(item.name);
    }
  }

  // --- Drawing ------------------------------------------------------------------------------------
  DialogPlace Place() {
    const PlacedDialog placed = PlacePage(frame_.Page());
    return CentreDialog(screen_, placed.rows + kButtonRows, placed.columns);
  }
  static int ButtonRow(const DialogPlace& place) { return place.top + place.rows - 2; }
  static int ButtonColumn(const DialogPlace& place, std::size_t index) {
    int column = place.left + place.columns - 1;
    for (std::size_t i = kButtons.size(); i-- > index;) column -= CellWidth(ButtonLabel(kButtons[i].second)) + 1;
    return column;
  }

  void Draw() {
    const PlacedDialog placed = PlacePage(frame_.Page());
    const DialogPlace place = Place();
    screen_.Frame(place.top, place.left, place.rows, place.columns, frame_.Page().Caption(), Style::Dialog);
    for (std::size_t i = 0; i < placed.items.size(); ++i) {
      const PlacedItem& item = placed.items[i];
      const int row = place.Row(item.place.row);
      const int column = place.Column(item.place.column);
      const Style style = item.enabled ? Style::Dialog : Style::Disabled;
      switch (item.kind) {
        case PlacedItem::Kind::Frame:
          screen_.Frame(row, column, item.place.rows, item.place.columns, LabelLines(placed, i).front(), style);
          break;
        case PlacedItem::Kind::Label: DrawLabel(screen_, placed, i, place, style); break;
        default: break;
      }
    }
    // The page's own controls over the captions and frames they sit in.
    for (const PlacedItem& item : placed.items) {
      const int row = place.Row(item.place.row);
      const int column = place.Column(item.place.column);
      const host::PageControl* control = frame_.Find(item.name);
      if (item.kind == PlacedItem::Kind::List)
        DrawList(item, *std::get<host::DropDownList*>(control->control), row, column);
      if (item.kind == PlacedItem::Kind::Field)
        DrawField(item, *std::get<host::EditBox*>(control->control), row, column);
    }
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
      const bool chosen = !frame_.FocusedName() && button_ == i;
      const bool enabled = kButtons[i].first != Button::Apply || frame_.Site().Changed();
      screen_.Put(ButtonRow(place), ButtonColumn(place, i), ButtonLabel(kButtons[i].second),
                  chosen    ? Style::ChosenButton
                  : enabled ? Style::Dialog
                            : Style::Disabled);
    }
  }

  bool Focused(const PlacedItem& item) { return frame_.FocusedName() == std::string_view(item.name); }

  void DrawList(const PlacedItem& item, const host::DropDownList& list, int row, int column) {
    const Style style = !item.enabled ? Style::Disabled : Focused(item) ? Style::Selection : Style::Field;
    screen_.Fill(row, column, item.place.columns, style);
    screen_.Put(row, column, list.Text(), style, item.place.columns - 2);
    screen_.Put(row, column + item.place.columns - 1, u"\u25BE", style, 1);
    if (Focused(item)) screen_.PlaceCaret(row, column);
  }

  void DrawOpenList(std::string_view name, const host::DropDownList& list, std::int32_t chosen) {
    const DialogPlace place = Place();
    for (const PlacedItem& item : PlacePage(frame_.Page()).items) {
      if (item.name != name) continue;
      const int rows = std::min(list.ListCount(), std::max(screen_.Rows() - 2, 1));
      const int first = std::clamp(chosen - rows + 1, 0, std::max(list.ListCount() - rows, 0));
      const int top = std::min(place.Row(item.place.row) + 1, std::max(screen_.Rows() - rows - 2, 0));
      const int column = place.Column(item.place.column);
      screen_.Frame(top, column, rows + 2, item.place.columns + 2, u"", Style::Dialog);
      for (int r = 0; r < rows; ++r) {
        const std::int32_t index = first + r;
        screen_.Put(top + 1 + r, column + 1, list.List(index), index == chosen ? Style::ChosenButton : Style::Dialog,
                    item.place.columns);
      }
    }
  }

  void DrawField(const PlacedItem& item, const host::EditBox& box, int row, int column) {
    DrawEditBox(screen_, box, memory_[item.name], row, column, item.place.columns,
                item.enabled ? Style::Field : Style::Disabled);
  }

  Screen& screen_;
  host::FormPageFrame frame_;
  std::map<std::string, BoxMemory, std::less<>> memory_;
  std::size_t button_ = 0;
  bool closed_ = false;
};

}  // namespace

void ShowFormatPage(Screen& screen, host::Form& form, host::Dispatchable& control) {
  PageDialog(screen, form).Show(control);
}

}  // namespace kestrow::terminal
