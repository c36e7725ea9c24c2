// Shows the stored value in Text1 (the edit form while focused, the display form otherwise) and
// switches between the two forms on focus changes.
#include <algorithm>

#include "engine/text_engine.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::engine {

namespace {

// `times` padding characters; a stored setting may hold more than one character, of which the
// first is the padding.
std::u16string Padding(std::u16string_view padChar, std::int32_t times) {
  if (times <= 0 || padChar.empty()) return {};
  return std::u16string(static_cast<std::size_t>(times), padChar.front());
}

std::int32_t Size(std::u16string_view text) { return static_cast<std::int32_t>(text.size()); }

// The number picture of a numeric field: Length characters, "0" before any point.
std::u16string NumberPicture(std::int32_t length, std::int32_t decimals) {
  if (decimals < 1) return std::u16string(static_cast<std::size_t>(std::max(length - 1, 0)), u'#') + u"0";
  return std::u16string(static_cast<std::size_t>(std::max(length - decimals - 2, 0)), u'#') + u"0." +
         std::u16string(static_cast<std::size_t>(decimals), u'0');
}

bool IsNumber(const host::Variant& v) {
  switch (v.Type()) {
    case host::VarType::Integer:
    case host::VarType::Long:
    case host::VarType::Single:
    case host::VarType::Double: return true;
    default: return false;
  }
}

// No date: nothing, the empty text, or the skeleton an emptied date field stores, whose separators
// may be those of a display format it no longer has.
bool HoldsNoDate(const host::Variant& v) {
  return v.IsEmpty() || (v.IsString() && v.AsString().find_first_not_of(u" /-.") == std::u16string::npos);
}

}  // namespace

// One write of the box per character placed: the character at `position` is replaced, or
// appended when the text is no longer than that.
void TextEngine::PlaceChar(std::int32_t position, char16_t character) {
  if (position < 0) return;
  const std::int32_t length = Size(text1_.Text());
  const std::u16string_view placed(&character, 1);
  if (position < length) {
    WriteRange(position, 1, placed);
  } else {
    WriteRange(length, 0, placed);
  }
}

void TextEngine::RefreshDisplay() {
  switch (m_DataType) {
    case dtAlphaNumeric: ShowAlphaNumeric(); break;
    case dtNumeric: ShowNumeric(); break;
    case dtDate: ShowDate(); break;
    case dtPassword: ShowPassword(); break;
    case dtLogical: ShowLogical(); break;
    default: break;
  }
  site_->PropertyChanged("Text");
}

void TextEngine::ShowAlphaNumeric() {
  WriteText(m_DisplayMask);
  if (!m_Value.IsNull()) {
    std::int32_t pos = FirstEditPos();
    for (char16_t c : host::ToText(m_Value)) {
      PlaceChar(pos, c);
      pos = NextEditPos(pos);
    }
  }
  ApplyCaseConversion();
  if (!m_PadChar.empty() && !m_HasFocus) {
    const std::int32_t missing = Size(m_Mask) - Size(text1_.Text());
    WriteRange(Size(text1_.Text()), 0, Padding(m_PadChar, missing));
  }
}

void TextEngine::ShowNumeric() {
  // Null and the empty text (the stored default of a bag without a value) show no digits; every
  // other value must be a number to the host.
  const bool hasNumber = !m_Value.IsNull() && !(m_Value.IsString() && m_Value.AsString().empty());
  const double number = hasNumber ? host::ToDouble(m_Value) : 0.0;
  std::u16string s = hasNumber ? host::FormatNumber(number, NumberPicture(m_Length, m_DecimalPlaces)) : u"";

  WriteText(m_EditTemplate);
  const auto point = m_EditTemplate.find(u'.');
  const std::int32_t d = point == std::u16string::npos ? 0 : static_cast<std::int32_t>(point) + 1;

  if (m_DecimalPlaces > 0) {
    std::int32_t pos = NextEditPos(d - 1);
    const auto sPoint = s.find(u'.');
    if (sPoint != std::u16string::npos) {
      for (char16_t digit : std::u16string_view(s).substr(sPoint + 1)) {
        PlaceChar(pos, digit);
        pos = NextEditPos(pos);
      }
      s.erase(sPoint);
    }
  }

  // The integer digits fill their positions from the right; the display form drops everything
  // before the most significant digit.
  std::int32_t pos = m_DecimalPlaces < 1 ? LastEditPos() : PrevEditPos(d - 1);
  while (!s.empty() && pos >= 0) {
    if (s == u"-") {
      if (m_HasFocus) PlaceChar(FirstEditPos(), u'-');
      s.clear();
      continue;
    }
    PlaceChar(pos, s.back());
    s.pop_back();
    if ((s.empty() || s == u"-") && !m_HasFocus) {
      WriteRange(0, pos, u"");
    } else {
      pos = PrevEditPos(pos);
    }
  }
  if (m_HasFocus) return;

  if (!m_PadChar.empty()) {
    WriteRange(0, 0, Padding(m_PadChar, Size(m_Mask) - Size(text1_.Text())));
  }
  const bool negative = hasNumber && number < 0;
  if (negative) {
    if (m_DisplayFormat == dtAccountsFormat1) {
      WriteRange(Size(text1_.Text()), 0, u" Db.");
    } else if (m_DisplayFormat == dtAccountsFormat2) {
      WriteText(u"(" + text1_.Text() + u")");
    } else {
      WriteRange(0, 0, u"-");
    }
  } else if (m_DisplayFormat == dtAccountsFormat1) {
    WriteRange(Size(text1_.Text()), 0, u" Cr.");
  }
}

void TextEngine::ApplyCaseConversion() { ConvertCaseOf(0, text1_.Text().size()); }

// The text was in its case before the key: only the written part and the character after it
// (whose neighbour changed) can differ from the whole text converted, so only they are written.
void TextEngine::ConvertCaseAround(TypedPart typed) {
  ConvertCaseOf(static_cast<std::size_t>(typed.start),
                std::min(static_cast<std::size_t>(typed.end) + 1, text1_.Text().size()));
}

// Characters `start` to `end` (exclusive) as converting the whole text gives them, written back
// where they differ (the cases keep the text's length).
void TextEngine::ConvertCaseOf(std::size_t start, std::size_t end) {
  const std::uint64_t before = text1_.TextRevision();
  const std::u16string_view text = text1_.Text();
  std::u16string cased;
  switch (m_DisplayFormat) {
    case dtUpperCase: cased = host::ToUpperCase(text.substr(start, end - start)); break;
    case dtLowerCase: cased = host::ToLowerCase(text.substr(start, end - start)); break;
    case dtProperCase:
      // Converted from the character before, which says whether the part starts a word.
      cased = start == 0 ? host::ToProperCase(text.substr(0, end))
                         : host::ToProperCase(text.substr(start - 1, end - start + 1)).substr(1);
      break;
    default: return;
  }
  WriteRange(static_cast<std::int32_t>(start), static_cast<std::int32_t>(end - start), cased);
  NoteCaseConverted(before);
}

// The whole text is in its case now, unless a Change handler wrote it again meanwhile.
void TextEngine::NoteCaseConverted(std::uint64_t revision_before) {
  if (text1_.TextRevision() - revision_before <= 1) case_converted_ = {text1_.TextRevision(), m_DisplayFormat};
}

void TextEngine::ShowDate() {
  if (HoldsNoDate(m_Value)) {
    WriteText(m_DisplayMask);
  } else if (m_Value.IsNull()) {
    WriteText(host::FormatDate(host::Today(), m_Mask));
  } else if (m_Value.Type() == host::VarType::Date || IsNumber(m_Value)) {
    WriteText(host::FormatDate(host::ToDate(m_Value), m_Mask));
  } else {
    // Some other text, from stored settings: shown as it is.
    WriteText(host::ToText(m_Value));
  }
}

void TextEngine::ShowPassword() { WriteText(m_Value.IsNull() ? u"" : host::ToText(m_Value)); }

void TextEngine::ShowLogical() {
  const bool yesNo = m_InputFormat == dtYesNoFormat;
  if (!yesNo && m_InputFormat != dtTrueFalseFormat) return;
  if (host::NumericallyEquals(m_Value, 1)) {
    WriteText(yesNo ? u"Yes  " : u"True ");
  } else if (host::NumericallyEquals(m_Value, 0)) {
    WriteText(yesNo ? u"No   " : u"False");
  }
}

void TextEngine::Text1_GotFocus() {
  m_HasFocus = true;
  if (DataType() == dtNumeric) {
    RebuildMask();
  } else if (m_DataType == dtAlphaNumeric && !m_PadChar.empty()) {
    // The padding is display only: left in the box, it would be read back into the value.
    RefreshDisplay();
  }
  if (m_AutoSelect) {
    text1_.SetSelStart(0);
    text1_.SetSelLength(Size(text1_.Text()));
  }
  MoveCaretOffLiteral();
  history_.Forget();
}

void TextEngine::Text1_LostFocus() {
  history_.Forget();
  m_Value = Value();
  m_HasFocus = false;
  if (m_DataType == dtNumeric) RebuildMask();
  // Arrival took the padding of a padded text field off; leaving puts it back.
  if (m_DataType == dtAlphaNumeric && !m_PadChar.empty()) RefreshDisplay();
  if (m_DataType == dtDate) {
    if (text1_.Text() != m_DisplayMask && m_Value.IsNull()) {
      site_->MsgBox(u"Invalid Date", host::buttons::kCritical, u"");
      text1_.SetFocus();
    } else {
      SetValue(m_Value);
    }
  }
}

void TextEngine::MoveCaretOffLiteral() {
  const bool masked = m_DataType == dtAlphaNumeric || m_DataType == dtNumeric || m_DataType == dtDate;
  if (!m_HasFocus || !masked || !NothingSelected()) return;
  const std::int32_t caret = text1_.SelStart();
  const std::int32_t maskEnd = std::min({Size(m_Mask), Size(m_EditTemplate), Size(text1_.Text())});
  if (caret >= maskEnd || IsEditPos(caret)) return;
  const std::int32_t next = NextEditPos(caret);
  MoveCaret(next != caret ? next : Size(text1_.Text()));
}

void TextEngine::Text1_Change() { site_->RaiseEvent("Change", {}); }

}  // namespace kestrow::engine
