#include "kestrow/host/controls/edit_box.h"

#include "host/controls/box_text.h"

namespace kestrow::host {

EditBox::EditBox(BoxHost& host) : TextBox(host) {}

// --- Content and selection -------------------------------------------------------------------

// Programmatic, so MaxLength does not apply.
void EditBox::SetSelText(std::u16string_view text) { ReplaceSelectionByTyping(text); }

std::u16string EditBox::DisplayedText() const {
  if (PasswordChar().empty()) return text_;
  return std::u16string(text_.size(), PasswordChar().front());
}

// --- Appearance and behaviour ----------------------------------------------------------------

void EditBox::SetMousePointer(std::int16_t pointer) {
  if (pointer != 99) RequireRange(pointer, 0, 15);
  mouse_pointer_ = pointer;
}

void EditBox::SetOLEDragMode(std::int16_t mode) {
  RequireRange(mode, 0, 1);
  ole_drag_mode_ = mode;
}

void EditBox::SetOLEDropMode(std::int16_t mode) {
  RequireRange(mode, 0, 2);
  ole_drop_mode_ = mode;
}

void EditBox::SetLinkMode(std::int16_t mode) {
  RequireRange(mode, 0, 3);
  link_mode_ = mode;
}

void EditBox::SetFont(std::shared_ptr<Font> font) {
  if (!font) errors::RaiseInvalidPropertyValue();
  font_ = std::move(font);
}

void EditBox::SetFontName(std::u16string_view name) {
  if (!name.empty()) font_->name = name;
}

void EditBox::SetFontSize(float size) {
  // Written so that NaN is refused as well.
  if (!(size >= 0.0f && size <= 2160.0f)) errors::RaiseInvalidPropertyValue();
  if (size != 0.0f) font_->size = size;
}

void EditBox::SetFontBold(bool bold) {
  // Bold and weight are two views of one property of the font. Restating the bold state keeps
  // the weight, so a font read back with its FontBold key keeps a weight such as 600 or 0.
  if (font_->bold == bold) return;
  font_->bold = bold;
  font_->weight = bold ? std::int16_t{700} : std::int16_t{400};
}

void EditBox::SetFontItalic(bool italic) { font_->italic = italic; }
void EditBox::SetFontUnderline(bool underline) { font_->underline = underline; }
void EditBox::SetFontStrikethru(bool strikethrough) { font_->strikethrough = strikethrough; }

// --- Delivered by the host -------------------------------------------------------------------

void EditBox::DeliverGotFocus() {
  has_focus_ = true;
  if (handler_) handler_->GotFocus();
}

void EditBox::DeliverLostFocus() {
  has_focus_ = false;
  if (handler_) handler_->LostFocus();
}

void EditBox::DeliverKeyDown(std::int16_t keyCode, std::int16_t shift) {
  if (handler_) handler_->KeyDown(keyCode, shift);
  if (keyCode != 0) DefaultKeyDown(keyCode, shift);
}

void EditBox::DeliverKeyPress(std::int16_t keyAscii) {
  if (handler_) handler_->KeyPress(keyAscii);
  if (keyAscii != 0) DefaultKeyPress(keyAscii);
}

void EditBox::DeliverKeyUp(std::int16_t keyCode, std::int16_t shift) {
  if (handler_) handler_->KeyUp(keyCode, shift);
}

void EditBox::DeliverPaste(std::u16string text) {
  if (handler_) handler_->Paste(text);
  if (!text.empty()) DefaultPaste(text);
}

void EditBox::DeliverClick() {
  if (handler_) handler_->Click();
}

void EditBox::DeliverDblClick() {
  if (handler_) handler_->DblClick();
}

void EditBox::DeliverMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  if (handler_) handler_->MouseDown(button, shift, x, y);
}

void EditBox::DeliverMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  if (handler_) handler_->MouseMove(button, shift, x, y);
}

void EditBox::DeliverMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  if (handler_) handler_->MouseUp(button, shift, x, y);
}

void EditBox::UserSelect(std::int32_t start, std::int32_t length) {
  start = Clamp(start, 0, Length());
  length = Clamp(length, 0, Length() - start);
  anchor_ = start;
  caret_ = start + length;
}

// --- The box's own editing -------------------------------------------------------------------

void EditBox::DefaultKeyDown(std::int16_t keyCode, std::int16_t shift) {
  const bool extend = (shift & keys::kShiftMask) != 0;
  const bool ctrl = (shift & keys::kCtrlMask) != 0 && (shift & keys::kAltMask) == 0;
  // The clipboard keys take their modifier alone: Shift+Alt+Insert is no paste.
  const bool onlyShift = shift == keys::kShiftMask;
  const bool onlyCtrl = shift == keys::kCtrlMask;
  switch (keyCode) {
    case keys::kLeft:
      if (extend || SelLength() == 0) {
        MoveCaret(caret_ - 1, extend);
      } else {
        MoveCaret(SelStart(), false);
      }
      return;
    case keys::kRight:
      if (extend || SelLength() == 0) {
        MoveCaret(caret_ + 1, extend);
      } else {
        MoveCaret(SelStart() + SelLength(), false);
      }
      return;
    case keys::kHome: MoveCaret(0, extend); return;
    case keys::kEnd: MoveCaret(Length(), extend); return;
    case keys::kInsert:
      // The older clipboard keys: Shift+Insert pastes, Ctrl+Insert copies.
      if (onlyShift) DefaultPaste(host_.ClipboardText());
      if (onlyCtrl) Copy();
      return;
    case keys::kDelete:
      if (onlyShift && SelLength() > 0) return Cut();
      if (locked_) return;
      if (SelLength() > 0) {
        DeleteSelection();
      } else if (caret_ < Length()) {
        text_.erase(Index(caret_), 1);
        anchor_ = caret_;
        NoteChange();
      }
      return;
    default: break;
  }
  if (!ctrl) return;
  switch (keyCode) {
    case keys::kC: Copy(); return;
    case keys::kX: Cut(); return;
    case keys::kA:
      anchor_ = 0;
      caret_ = Length();
      return;
    default: return;
  }
}

void EditBox::DefaultKeyPress(std::int16_t keyAscii) {
  const auto character = static_cast<char16_t>(static_cast<std::uint16_t>(keyAscii));
  if (character == keys::kBackspace) {
    if (locked_) return;
    if (SelLength() > 0) {
      DeleteSelection();
    } else if (caret_ > 0) {
      text_.erase(Index(caret_ - 1), 1);
      anchor_ = --caret_;
      NoteChange();
    }
    return;
  }
  if (character == keys::kCtrlV) return DefaultPaste(host_.ClipboardText());
  if (character < u' ') return;
  if (locked_) return;
  if (MaxLength() == 0 || Length() - SelLength() + 1 <= MaxLength()) {
    ReplaceSelectionByTyping(std::u16string_view(&character, 1));
  }
}

void EditBox::DefaultPaste(std::u16string_view text) {
  if (locked_) return;
  std::u16string_view pasted = text.substr(0, std::min(text.find(u'\r'), text.find(u'\n')));
  if (MaxLength() > 0) {
    const std::int32_t room = std::max(MaxLength() - (Length() - SelLength()), 0);
    pasted = pasted.substr(0, Index(room));
  }
  // Nothing that fits: leave the selection alone, as a typed character that does not fit does.
  if (!pasted.empty()) ReplaceSelectionByTyping(pasted);
}

// A cut that could not delete would look like a move that lost the text; refuse it whole.
void EditBox::Cut() {
  if (locked_ || !PasswordChar().empty() || SelLength() == 0) return;
  Copy();
  DeleteSelection();
}

void EditBox::MoveCaret(std::int32_t position, bool extend) {
  caret_ = Clamp(position, 0, Length());
  if (!extend) anchor_ = caret_;
}

void EditBox::ReplaceSelectionByTyping(std::u16string_view text) {
  const std::int32_t start = SelStart();
  const std::size_t removed = Index(SelLength());
  const bool changed = !SameText(std::u16string_view(text_).substr(Index(start), removed), text);
  const std::u16string inserted(text);  // the argument may be a view into the text itself
  text_.replace(Index(start), removed, inserted);
  anchor_ = caret_ = start + Count(inserted.size());
  if (changed) NoteChange();
}

void EditBox::DeleteSelection() {
  if (SelLength() == 0) return;
  const std::int32_t start = SelStart();
  text_.erase(Index(start), Index(SelLength()));
  anchor_ = caret_ = start;
  NoteChange();
}

void EditBox::TextChanged() {
  if (handler_) handler_->Change();
}

}  // namespace kestrow::host
