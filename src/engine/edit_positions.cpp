// Where the caret may stand, deleting inside mask fields, and taking the literals out of a text.
#include "engine/text_engine.h"

namespace kestrow::engine {

namespace {

std::int32_t Size(std::u16string_view text) { return static_cast<std::int32_t>(text.size()); }

// The character at 1-based position p, or 0 past either end.
char16_t At(std::u16string_view text, std::int32_t p) {
  return p >= 1 && p <= Size(text) ? text[static_cast<std::size_t>(p - 1)] : u'\0';
}

// Characters first .. last (1-based, inclusive) of text, cut back to what text holds.
std::u16string_view Span(std::u16string_view text, std::int32_t first, std::int32_t last) {
  if (first < 1) first = 1;
  if (last > Size(text)) last = Size(text);
  if (last < first) return {};
  return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

}  // namespace

void TextEngine::RebuildPositions() const {
  positions_ = EditPositionTable(m_Mask, m_EditTemplate);
  positions_stale_ = false;
}

std::int32_t TextEngine::FirstEditPos() const { return Positions().First(); }

std::int32_t TextEngine::LastEditPos() const { return Positions().Last(); }

std::u16string TextEngine::DeleteAndShift(std::u16string_view text, std::int32_t start, std::int32_t count) const {
  const std::int32_t a = start;
  std::int32_t b = start + count;
  if (!m_DisplayMask.empty()) {
    // Only the part of the range inside the mask is cleared; past its end there is nothing to do.
    b = std::min(b, Size(m_Mask));
    if (b <= a) return std::u16string(text);
  }
  std::u16string t;
  t.reserve(text.size());
  t.append(Span(text, 1, a));
  t.append(Span(m_DisplayMask, a + 1, b));
  t.append(Span(text, b + 1, Size(text)));
  if (m_DisplayMask.empty()) return t;

  // The rest of the field after the range closes up; the cleared part of the range that lies in
  // this field moves to the field's end.
  const std::int32_t e = std::max(Positions().FieldStart(b), a + 1);
  const std::int32_t f = FieldEnd(b);
  std::u16string result;
  result.reserve(t.size());
  result.append(Span(t, 1, e - 1));
  result.append(Span(t, b + 1, f));
  result.append(Span(t, e, b));
  result.append(Span(t, f + 1, Size(t)));
  return result;
}

std::u16string TextEngine::StripLiterals(std::u16string_view text) const {
  std::u16string result;
  result.reserve(text.size());
  const bool keepPoint = m_DataType == dtNumeric;
  for (std::int32_t i = 1; i <= Size(text); ++i) {
    if (IsEditPos(i - 1) || (keepPoint && At(m_EditTemplate, i) == u'.')) {
      result.push_back(text[static_cast<std::size_t>(i - 1)]);
    }
  }
  return result;
}

}  // namespace kestrow::engine
