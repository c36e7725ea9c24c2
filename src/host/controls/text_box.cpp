#include "kestrow/host/controls/text_box.h"

#include "host/controls/box_text.h"

namespace kestrow::host {

void TextBox::SetText(std::u16string_view text) {
  if (SameText(text, text_)) return;
  text_.assign(text);
  anchor_ = caret_ = 0;
  NoteChange();
}

void TextBox::ReplaceRange(std::int32_t start, std::int32_t count, std::u16string_view replacement) {
  start = Clamp(start, 0, Length());
  count = Clamp(count, 0, Length() - start);
  // Writing what is already there must stay silent, as SetText of the same text is.
  if (SameText(std::u16string_view(text_).substr(Index(start), Index(count)), replacement)) return;
  if (Index(count) == replacement.size()) {
    // The common typed key: written over in place (move, as the replacement may be taken from
    // the text itself).
    std::char_traits<char16_t>::move(text_.data() + start, replacement.data(), replacement.size());
  } else if (start == Length() && replacement.size() == 1) {
    text_.push_back(replacement.front());  // typing at the end of a plain field
  } else {
    text_.replace(Index(start), Index(count), replacement);
  }
  anchor_ = caret_ = 0;
  NoteChange();
}

void TextBox::SetSelLength(std::int32_t length) {
  if (length < 0) errors::RaiseInvalidPropertyValue();
  const std::int32_t start = SelStart();
  anchor_ = start;
  caret_ = start + std::min(length, Length() - start);
}

std::u16string TextBox::SelText() const { return text_.substr(Index(SelStart()), Index(SelLength())); }

void TextBox::SetMaxLength(std::int32_t length) {
  if (length < 0) errors::RaiseInvalidPropertyValue();
  max_length_ = length;
}

void TextBox::SetPasswordChar(std::u16string_view character) {
  // Built apart and moved in: assigning a view here trips a false -Wrestrict in GCC 12 at -O2.
  password_char_ = character.empty() ? std::u16string() : std::u16string(1, character.front());
}

void TextBox::SetAlignment(std::int16_t alignment) {
  RequireRange(alignment, 0, 2);
  alignment_ = alignment;
}

void TextBox::Copy() {
  if (!password_char_.empty() || SelLength() == 0) return;
  host_.SetClipboardText(SelText());
}

}  // namespace kestrow::host
