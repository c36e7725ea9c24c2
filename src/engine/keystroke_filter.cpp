// Every character typed into Text1: admitted or refused by the mask code under the caret, passed
// on to the application, then placed by the control itself.
#include <array>
#include <cstring>

#include "engine/common_module.h"
#include "engine/format_rules.h"
#include "engine/text_engine.h"
#include "kestrow/host/values/runtime.h"
#include "typed_number.h"

namespace kestrow::engine {

using host::Variant;

namespace {

constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kCarriageReturn = 13;
constexpr std::int16_t kPoint = 46;

bool IsOneOf(std::int16_t c, std::u16string_view set) {
  return c > 0 && set.find(static_cast<char16_t>(c)) != std::u16string_view::npos;
}

}  // namespace

std::int32_t TextEngine::TypingPosition() const {
  const std::int32_t s = text1_.SelStart();
  if (NothingSelected() || IsEditPos(s)) return s;
  return NextEditPos(s);  // s itself when no edit position follows
}

bool TextEngine::PassesClassFilter(std::int16_t keyAscii, std::int32_t position) const {
  // A Ctrl chord's character (Ctrl+V is 22, Escape 27) never enters a text; Backspace is the
  // one control key that edits.
  if (keyAscii > 0 && keyAscii < 32 && keyAscii != kBackspace) return false;
  const auto caret = static_cast<std::size_t>(position);
  const char16_t code = caret < m_Mask.size() ? m_Mask[caret] : u'\0';
  switch (m_DataType) {
    case dtAlphaNumeric:
    case dtNumeric:
    case dtDate: return CodeAdmits(m_DataType, code, keyAscii);
    case dtPassword: return keyAscii != 0;
    default: return true;
  }
}

void TextEngine::PressLogicalKey(std::int16_t keyAscii) {
  if (IsOneOf(keyAscii, u"TYty+")) {
    ChooseLogical(1);
  } else if (IsOneOf(keyAscii, u"FNfn-")) {
    ChooseLogical(0);
  } else if (keyAscii == u' ') {
    ChooseLogical(host::NumericallyEquals(Value(), 1) ? 0 : 1);
  }
}

void TextEngine::ChooseLogical(std::int16_t value) {
  SetValue(Variant::Integer(value));
  RefreshDisplay();
  text1_.SetSelStart(0);
  text1_.SetSelLength(5);
}

void TextEngine::Text1_KeyPress(std::int16_t& KeyAscii) {
  UserStep step(*this);
  if (m_DataType == dtLogical) {
    PressLogicalKey(KeyAscii);
    KeyAscii = 0;
    return;
  }
  const std::uint64_t revision = text1_.TextRevision();
  std::optional<TypedPart> typed;
  if (!PassesClassFilter(KeyAscii, TypingPosition())) KeyAscii = 0;

  if (KeyAscii != 0) {
    std::array<host::EventArg, 1> args{{{"KeyAscii", Variant::Integer(KeyAscii)}}};
    site_->RaiseEvent("KeyPress", args);
    KeyAscii = host::ToInteger(args[0].value);
  }
  if (KeyAscii != 0 && !NothingSelected()) TypeOverSelection(KeyAscii);

  if (KeyAscii == kBackspace) {
    Backspace();
  } else if (KeyAscii == kCarriageReturn) {
    SendTab(u"{TAB}");
  } else if (KeyAscii == kPoint && m_DataType == dtNumeric) {
    TypeDecimalPoint();
  } else if (KeyAscii != 0) {
    typed = InsertAtCaret(static_cast<char16_t>(static_cast<std::uint16_t>(KeyAscii)));
  }

  if (m_DisplayFormat >= dtUpperCase && m_DisplayFormat <= dtProperCase) {
    const std::int32_t caret = text1_.SelStart();
    // Where the text was in its case and the typed key's write is all that changed since, only
    // the written part and the character after it can take another case.
    const bool onlyTheKeyWrote = typed && case_converted_.revision == revision &&
                                 case_converted_.displayFormat == m_DisplayFormat &&
                                 text1_.TextRevision() == revision + 1;
    if (onlyTheKeyWrote) {
      ConvertCaseAround(*typed);
    } else {
      ApplyCaseConversion();
    }
    MoveCaret(caret);
  }
  KeyAscii = 0;
}

// A key typed over a selection first clears it and goes to the first edit position at or after
// its start; Backspace then has done its work, and a decimal point in a field with no place after
// the point moves on instead.
void TextEngine::TypeOverSelection(std::int16_t& keyAscii) {
  const std::int32_t s = text1_.SelStart();
  const std::int32_t c = std::max(text1_.SelLength(), 1);
  if (m_DataType == dtNumeric && keyAscii == kPoint) {
    const auto point = m_EditTemplate.find(u'.');
    const auto d = static_cast<std::int32_t>(point) + 1;
    if (point == std::u16string::npos || NextEditPos(d - 1) == d - 1) {
      keyAscii = 0;
      SendTab(u"{TAB}");
      return;
    }
  }
  const std::int32_t target = TypingPosition();
  WriteText(DeleteAndShift(text1_.Text(), s, c));
  MoveCaret(target);
  if (keyAscii == kBackspace) keyAscii = 0;
}

void TextEngine::Backspace() {
  const std::int32_t s = text1_.SelStart();
  if (s == FirstEditPos()) {
    SendTab(u"+{TAB}");
    return;
  }
  const std::int32_t previous = PrevEditPos(s);
  WriteText(DeleteAndShift(text1_.Text(), previous, 1));
  MoveCaret(previous);
}

// The decimal point in the integer part: what is typed before the caret becomes the integer
// part of the value, the current fraction stays, and the caret goes past the point.
void TextEngine::TypeDecimalPoint() {
  const std::int32_t s = text1_.SelStart();
  const auto point = m_EditTemplate.find(u'.');
  const std::int32_t d = point == std::u16string::npos ? 0 : static_cast<std::int32_t>(point) + 1;
  if (d <= s) return;

  const std::u16string text = text1_.Text();
  const std::u16string typedBefore = StripLiterals(std::u16string_view(text).substr(0, static_cast<std::size_t>(s)));
  const double fraction = CommonModule::FloatMod(host::ReadNumber(StripLiterals(text)), 1);
  // The sign stays in front of the digits it belongs to, so a second sign reads as no number.
  const bool hasSign = !typedBefore.empty() && (typedBefore.front() == u'-' || typedBefore.front() == u'+');
  const std::u16string integerPart =
      hasSign ? typedBefore.substr(0, 1) + GapsEndNumber(std::u16string_view(typedBefore).substr(1))
              : GapsEndNumber(typedBefore);
  const double v = host::ReadNumber(integerPart) + fraction;
  SetValue(Variant::String(host::NumberText(v)));
  MoveCaret(NextEditPos(d - 1));
}

// Typing shifts the rest of the field one place right and drops its last character; where that
// rest is one repeated character (the blanks of an empty field), the shift changes nothing there,
// so only the characters before it are written.
std::optional<TextEngine::TypedPart> TextEngine::InsertAtCaret(char16_t character) {
  const std::int32_t s = text1_.SelStart();
  // Past the end of the mask there is no field to type into (a full password field).
  if (s >= static_cast<std::int32_t>(m_Mask.size())) return std::nullopt;
  const std::int32_t e = FieldEnd(s + 1);
  const std::u16string_view text = text1_.Text();
  TypedPart typed{s, s + 1};
  if (static_cast<std::int32_t>(text.size()) < e) {
    // The text ends inside the field: it grows by one.
    WriteRange(s, 0, std::u16string_view(&character, 1));
  } else {
    const std::int32_t still = std::min(UniformTailStart(s, e) + 1, e);
    std::u16string moved(1, character);
    moved.append(text.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(still - 1 - s)));
    const std::uint64_t revision = text1_.TextRevision();
    WriteRange(s, still - s, moved);
    typed.end = still;
    // Unless the Change handler wrote the text again, what follows the written part is as it was.
    if (text1_.TextRevision() - revision <= 1) tail_ = {text1_.TextRevision(), still, e};
  }

  const std::int32_t n = NextEditPos(s);
  if (n != s) {
    MoveCaret(n);
  } else if (m_AutoTab && !pasting_) {
    site_->SendKeys(u"{TAB}");
  } else {
    MoveCaret(s + 1);
  }
  return typed;
}

std::int32_t TextEngine::UniformTailStart(std::int32_t start, std::int32_t end) const {
  if (tail_.revision == text1_.TextRevision() && tail_.end == end) return std::max(tail_.start, start);
  const std::u16string_view text = text1_.Text();
  // Each character the same as the next: one comparison of bytes, many characters at a time.
  const auto from = static_cast<std::size_t>(start);
  const auto count = static_cast<std::size_t>(end - 1 - start);
  if (count == 0 || std::memcmp(&text[from], &text[from + 1], count * sizeof(char16_t)) == 0) return start;
  std::int32_t first = end - 1;
  while (text[static_cast<std::size_t>(first - 1)] == text[static_cast<std::size_t>(end - 1)]) --first;
  return first;
}

void TextEngine::SendTab(std::u16string_view keys) {
  if (!pasting_) site_->SendKeys(keys);
}

// Caret targets can be -1 in a field without edit positions; the box takes none below 0.
void TextEngine::MoveCaret(std::int32_t position) { text1_.SetSelStart(std::max(position, 0)); }

}  // namespace kestrow::engine
