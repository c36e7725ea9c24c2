// Every write of Text1's text: while a user's action runs, what it writes is noted as one step of
// the field's history, so that it can be taken back and made again.
#include <algorithm>

#include "engine/text_engine.h"

namespace kestrow::engine {

TextEngine::UserStep::UserStep(TextEngine& engine) : engine_(engine) {
  engine_.history_.Begin(engine_.CurrentSelection(), engine_.text1_.TextRevision());
}

TextEngine::UserStep::~UserStep() {
  engine_.history_.End(engine_.CurrentSelection(), engine_.text1_.TextRevision(), engine_.text1_.Text());
}

void TextEngine::WriteText(std::u16string_view text) {
  if (history_.Recording()) history_.NoteWholeText(text1_.Text(), text);
  text1_.SetText(text);
}

void TextEngine::WriteRange(std::int32_t start, std::int32_t count, std::u16string_view replacement) {
  if (history_.Recording()) {
    // The range as the box takes it: cut back to the text.
    const std::u16string_view text = text1_.Text();
    const auto length = static_cast<std::int32_t>(text.size());
    const std::int32_t from = std::clamp(start, 0, length);
    const std::int32_t taken = std::clamp(count, 0, length - from);
    history_.NoteWrite(from, text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(taken)), replacement);
  }
  text1_.ReplaceRange(start, count, replacement);
}

}  // namespace kestrow::engine
