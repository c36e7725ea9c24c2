// Enter, Delete, Home, End and the arrow keys: the caret stays on edit positions, deletion keeps
// the literals in place, and the edges of the field move the focus.
#include <array>

#include "engine/text_engine.h"
#include "kestrow/host/controls/keys.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::engine {

namespace keys = host::keys;

namespace {

void RaiseKeyEvent(host::ControlSite& site, host::EventName event, std::int16_t& KeyCode, std::int16_t& Shift) {
  std::array<host::EventArg, 2> args{
      {{"KeyCode", host::Variant::Integer(KeyCode)}, {"Shift", host::Variant::Integer(Shift)}}};
  site.RaiseEvent(event, args);
  KeyCode = host::ToInteger(args[0].value);
  Shift = host::ToInteger(args[1].value);
}

}  // namespace

void TextEngine::Text1_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
  RaiseKeyEvent(*site_, "KeyUp", KeyCode, Shift);
}

// Enter in a numeric field keeps only what was typed before the caret.
void TextEngine::NumericEnter() {
  UserStep step(*this);
  const std::u16string text = text1_.Text();
  const auto caret = static_cast<std::size_t>(text1_.SelStart());
  const std::u16string typed = StripLiterals(std::u16string_view(text).substr(0, caret));
  if (!host::TrimBlanks(typed).empty()) WriteText(typed);
}

void TextEngine::Text1_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
  RaiseKeyEvent(*site_, "KeyDown", KeyCode, Shift);
  const bool shift = (Shift & keys::kShiftMask) != 0;
  const bool ctrl = (Shift & keys::kCtrlMask) != 0;
  const bool alt = (Shift & keys::kAltMask) != 0;

  if (ctrl && !alt && (KeyCode == keys::kZ || KeyCode == keys::kY)) {
    const bool redo = KeyCode == keys::kY || shift;
    KeyCode = 0;
    redo ? Redo() : Undo();
    return;
  }
  if (KeyCode == keys::kEnter) {
    KeyCode = 0;
    if (m_DataType == dtNumeric) NumericEnter();
    site_->SendKeys(shift ? u"+{TAB}" : u"{TAB}");
    return;
  }
  if (ctrl && (KeyCode == keys::kC || KeyCode == keys::kX)) {
    if (m_DataType == dtPassword) {
      KeyCode = 0;
    } else if (KeyCode == keys::kX && !alt) {
      KeyCode = 0;
      Cut();
    }
    return;
  }
  const bool onlyShift = shift && !ctrl && !alt;
  if (onlyShift && KeyCode == keys::kDelete && !NothingSelected()) {
    KeyCode = 0;
    Cut();
    return;
  }
  const bool pasteKey = (ctrl && !alt && KeyCode == keys::kV) || (onlyShift && KeyCode == keys::kInsert);
  // Every Insert with Shift is the field's: the box never pastes around the mask.
  if (pasteKey || (shift && KeyCode == keys::kInsert)) {
    KeyCode = 0;
    if (pasteKey) Paste(text1_.ClipboardText());
    return;
  }
  const bool leftToBox = (KeyCode == keys::kF4 && (ctrl || alt)) ||
                         (shift && (KeyCode == keys::kLeft || KeyCode == keys::kRight)) ||
                         (ctrl && KeyCode == keys::kA);
  if (leftToBox) return;

  const std::int32_t s = text1_.SelStart();
  switch (KeyCode) {
    case keys::kDelete: DeleteSelectionOrNext(); break;
    case keys::kHome:
      if (NothingSelected() && s == FirstEditPos()) {
        site_->SendKeys(u"+{TAB}");
      } else {
        MoveCaret(FirstEditPos());
      }
      break;
    case keys::kLeft:
      if (s != FirstEditPos()) {
        MoveCaret(PrevEditPos(s));
      } else if (NothingSelected()) {
        site_->SendKeys(u"+{TAB}");
      } else {
        MoveCaret(FirstEditPos());
      }
      break;
    case keys::kEnd:
      if (NothingSelected() && s == LastEditPos() && m_AutoTab) {
        site_->SendKeys(u"{TAB}");
      } else {
        MoveCaret(LastEditPos());
      }
      break;
    case keys::kRight:
      if (s != LastEditPos()) {
        MoveCaret(NextEditPos(s));
      } else if (m_AutoTab) {
        site_->SendKeys(u"{TAB}");
      } else {
        MoveCaret(s);
      }
      break;
    case keys::kUp: site_->SendKeys(u"+{TAB}"); break;
    case keys::kDown: site_->SendKeys(u"{TAB}"); break;
    default: return;  // every other key is the keystroke filter's or the box's
  }
  KeyCode = 0;
}

// Delete: the selection, or the character after the caret, with the literals kept in place.
void TextEngine::DeleteSelectionOrNext() {
  if (m_DataType == dtLogical) return;
  UserStep step(*this);
  const std::int32_t s = text1_.SelStart();
  WriteText(DeleteAndShift(text1_.Text(), s, std::max(text1_.SelLength(), 1)));
  MoveCaret(s);
}

// The selection goes to the clipboard as it shows, literals included, and is then deleted as
// Delete deletes it, so the mask stays whole. A password gives nothing away.
void TextEngine::Cut() {
  if (NothingSelected() || m_DataType == dtPassword) return;
  text1_.Copy();
  DeleteSelectionOrNext();
}

void TextEngine::Undo() { Restore(history_.Undo(text1_.Text(), text1_.TextRevision())); }

void TextEngine::Redo() { Restore(history_.Redo(text1_.Text(), text1_.TextRevision())); }

// A step back or forth is one ordinary write of the text, then the selection it had.
void TextEngine::Restore(const std::optional<EditHistory::Restored>& step) {
  if (!step) return;
  const std::uint64_t before = text1_.TextRevision();
  text1_.SetText(step->text);
  // A Change handler that wrote the text again leaves a text the history does not know.
  if (text1_.TextRevision() - before <= 1) history_.Settle(text1_.TextRevision());
  text1_.SetSelStart(step->selection.start);
  text1_.SetSelLength(step->selection.length);
}

}  // namespace kestrow::engine
