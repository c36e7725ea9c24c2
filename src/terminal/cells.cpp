#include "kestrow/terminal/cells.h"

#include <algorithm>
#include <cwchar>

namespace kestrow::terminal {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

int CellsOf(char32_t code_point) {
  const int width = ::wcwidth(static_cast<wchar_t>(code_point));
  return width == 2 ? 2 : 1;
}

bool Placeable(char32_t code_point) { return ::wcwidth(static_cast<wchar_t>(code_point)) > 0; }

}  // namespace

std::vector<Glyph> Glyphs(std::u16string_view text) {
  std::vector<Glyph> glyphs;
  glyphs.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    Glyph glyph;
    glyph.index = static_cast<std::int32_t>(i);
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      glyph.code_point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      glyph.units = 2;
    } else {
      glyph.code_point = IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit;
    }
    if (!Placeable(glyph.code_point)) glyph.code_point = kReplacement;
    glyph.cells = CellsOf(glyph.code_point);
    glyphs.push_back(glyph);
    i += static_cast<std::size_t>(glyph.units);
  }
  return glyphs;
}

int CellWidth(std::u16string_view text) {
  int cells = 0;
  for (const Glyph& glyph : Glyphs(text)) cells += glyph.cells;
  return cells;
}

std::wstring ToWide(const std::vector<Glyph>& glyphs) {
  std::wstring wide;
  wide.reserve(glyphs.size());
  for (const Glyph& glyph : glyphs) wide.push_back(static_cast<wchar_t>(glyph.code_point));
  return wide;
}

std::u16string FitToCells(std::u16string_view text, int cells) {
  int used = 0;
  std::size_t end = 0;
  for (const Glyph& glyph : Glyphs(text)) {
    if (used + glyph.cells > cells) break;
    used += glyph.cells;
    end = static_cast<std::size_t>(glyph.index + glyph.units);
  }
  return std::u16string(text.substr(0, end));
}

BoxWindow WindowOnBox(std::u16string_view text, std::int32_t caret, std::int32_t first, int cells) {
  const std::vector<Glyph> all = Glyphs(text);
  // Glyph positions: the caret sits before the glyph that starts at or after it.
  auto glyphAt = [&](std::int32_t index) {
    std::size_t g = 0;
    while (g < all.size() && all[g].index + all[g].units <= index) ++g;
    return g;
  };
  std::size_t caretGlyph = glyphAt(caret);
  std::size_t start = std::min(glyphAt(first), caretGlyph);
  // Columns from the window's start to the caret's cell, the caret's own cell included.
  auto spanToCaret = [&](std::size_t from) {
    int width = 0;
    for (std::size_t g = from; g < caretGlyph; ++g) width += all[g].cells;
    return width + (caretGlyph < all.size() ? all[caretGlyph].cells : 1);
  };
  while (start < caretGlyph && spanToCaret(start) > cells) ++start;

  BoxWindow window;
  window.first = start < all.size() ? all[start].index : static_cast<std::int32_t>(text.size());
  int used = 0;
  for (std::size_t g = start; g < all.size(); ++g) {
    if (g == caretGlyph) window.caret_column = used;
    if (used + all[g].cells > cells) break;
    used += all[g].cells;
    window.glyphs.push_back(all[g]);
  }
  if (caretGlyph >= all.size()) window.caret_column = used;
  return window;
}

std::int32_t IndexAtColumn(const BoxWindow& window, std::int32_t text_length, int column) {
  int left = 0;
  for (const Glyph& glyph : window.glyphs) {
    if (column < left + glyph.cells) {
      const bool rightHalf = glyph.cells == 2 ? column > left : false;
      return rightHalf ? glyph.index + glyph.units : glyph.index;
    }
    left += glyph.cells;
  }
  return window.glyphs.empty() ? std::min(window.first, text_length)
                               : std::min(window.glyphs.back().index + window.glyphs.back().units, text_length);
}

std::int32_t GuessCaret(std::int32_t previous_start, std::int32_t previous_end, std::int32_t previous_caret,
                        std::int32_t start, std::int32_t end) {
  if (start == end) return start;
  const bool startMoved = start != previous_start;
  const bool endMoved = end != previous_end;
  if (startMoved && !endMoved) return start;
  if (endMoved) return end;
  return previous_caret == start ? start : end;
}

}  // namespace kestrow::terminal
