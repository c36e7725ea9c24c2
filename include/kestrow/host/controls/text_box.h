// What the code that edits a field's text needs of the box that holds it, and no more: the text
// and its revision, the selection, the bound on typing, the password character, the alignment,
// the focus, and the host's clipboard. The format engine edits through this alone; the host's
// intrinsic edit box is one, and a toolkit can give the engine another by deriving its own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {

class TextBox;

// What a text box needs from the window it sits on.
class BoxHost {
 public:
  virtual const std::u16string& ClipboardText() const = 0;
  virtual void SetClipboardText(std::u16string text) = 0;
  // Queues a focus move to the box; the host carries it out after the current host event.
  virtual void RequestFocus(TextBox& box) = 0;

 protected:
  ~BoxHost() = default;
};

class TextBox {
 public:
  explicit TextBox(BoxHost& host) : host_(host) {}
  virtual ~TextBox() = default;
  TextBox(const TextBox&) = delete;
  TextBox& operator=(const TextBox&) = delete;

  const std::u16string& Text() const { return text_; }
  // Assigning a different text puts the caret at 0 with nothing selected and tells the box (its
  // Change event) once; assigning the text the box already holds does nothing. The box hears of
  // it before SetText returns, so an assignment made then nests, and its text stands.
  void SetText(std::u16string_view text);
  // Exactly SetText of the text with `count` characters from `start` replaced by `replacement`,
  // done in place: a write of a few characters into a long text costs only those characters.
  void ReplaceRange(std::int32_t start, std::int32_t count, std::u16string_view replacement);
  // Counts the changes of the text, each before the box hears of it: while it stays the same,
  // so does the text, and what a handler learnt about the text still holds.
  std::uint64_t TextRevision() const { return text_revision_; }

  std::int32_t SelStart() const { return std::min(anchor_, caret_); }
  // Negative raises invalid property value; past the end moves to the end. Clears the selection.
  void SetSelStart(std::int32_t start) {
    if (start < 0) errors::RaiseInvalidPropertyValue();
    anchor_ = caret_ = std::min(start, Length());
  }
  std::int32_t SelLength() const { return caret_ > anchor_ ? caret_ - anchor_ : anchor_ - caret_; }
  // Negative raises invalid property value; cut back to the end of the text.
  void SetSelLength(std::int32_t length);
  std::u16string SelText() const;

  // A bound on typing and pasting only; 0 means none. Negative raises invalid property value.
  std::int32_t MaxLength() const { return max_length_; }
  void SetMaxLength(std::int32_t length);
  // The character shown for each character of the text; empty shows the text. Only the first
  // character of the argument is kept.
  const std::u16string& PasswordChar() const { return password_char_; }
  void SetPasswordChar(std::u16string_view character);
  // 0 left, 1 right, 2 centre; anything else raises invalid property value.
  std::int16_t Alignment() const { return alignment_; }
  void SetAlignment(std::int16_t alignment);

  bool HasFocus() const { return has_focus_; }
  // Asks the host for the input focus; it arrives after the current host event.
  void SetFocus() { host_.RequestFocus(*this); }
  // Puts the selection on the host's clipboard; a password box and an empty selection leave the
  // clipboard alone.
  void Copy();
  const std::u16string& ClipboardText() const { return host_.ClipboardText(); }

 protected:
  // Each change of the text, once its revision counted it.
  virtual void TextChanged() = 0;
  void NoteChange() {
    ++text_revision_;
    TextChanged();
  }
  std::int32_t Length() const { return static_cast<std::int32_t>(text_.size()); }

  BoxHost& host_;
  std::u16string text_;
  std::int32_t anchor_ = 0;  // the fixed end of the selection
  std::int32_t caret_ = 0;   // the moving end
  bool has_focus_ = false;

 private:
  std::uint64_t text_revision_ = 0;
  std::int32_t max_length_ = 0;
  std::u16string password_char_;
  std::int16_t alignment_ = 0;
};

}  // namespace kestrow::host
