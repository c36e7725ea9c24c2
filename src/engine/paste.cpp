// Pasting into a field: a value copied from elsewhere goes in whole when the field can hold it;
// any other text goes in through the keystroke filter, character by character, as if typed.
#include "engine/text_engine.h"
#include "kestrow/host/values/runtime.h"
#include "pasted_value.h"

namespace kestrow::engine {

using host::Variant;

namespace {

// Set for as long as the paste runs, whatever ends it.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
  ~Raised() { flag_ = false; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void TextEngine::Paste(std::u16string_view text) {
  const std::u16string_view line = text.substr(0, text.find_first_of(u"\r\n"));
  if (!m_HasFocus || line.empty()) return;
  UserStep step(*this);
  if (PasteWholeValue(line) || m_DataType == dtLogical) return;  // a yes/no takes only a whole value
  Raised pasting(pasting_);
  for (const char16_t character : line) {
    if (character < u' ' || StepOverLiteral(character)) continue;
    std::int16_t code = static_cast<std::int16_t>(character);
    Text1_KeyPress(code);
  }
}

bool TextEngine::PasteWholeValue(std::u16string_view line) {
  switch (m_DataType) {
    case dtNumeric: {
      const std::optional<double> number = ReadPastedNumber(line);
      // The checks of a written value, without its message: what does not fit is typed instead.
      if (!number || ConvertForNumeric(Variant::Double(*number)).IsNull()) return false;
      SetValue(Variant::Double(*number));
      break;
    }
    case dtDate: {
      const std::optional<host::Date> date = ReadPastedDate(line, m_InputFormat);
      if (!date) return false;
      SetValue(Variant::FromDate(*date));
      break;
    }
    case dtLogical: {
      const std::optional<std::int16_t> choice = ReadPastedChoice(line);
      if (!choice) return false;
      ChooseLogical(*choice);
      return true;
    }
    default: return false;
  }
  MoveCaret(static_cast<std::int32_t>(text1_.Text().size()));
  return true;
}

bool TextEngine::StepOverLiteral(char16_t character) {
  if (!NothingSelected()) return false;
  const std::int32_t caret = text1_.SelStart();
  if (caret >= static_cast<std::int32_t>(m_Mask.size()) || IsEditPos(caret) ||
      m_Mask[static_cast<std::size_t>(caret)] != character) {
    return false;
  }
  MoveCaret(caret + 1);
  return true;
}

}  // namespace kestrow::engine
