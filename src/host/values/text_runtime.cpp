// Case conversion as the host does it (ASCII and Latin-1 only), blank trimming, and UTF-8 at the
// edges of the system.
#include <cstdint>
#include <optional>

#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char16_t UpperOf(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  return c;
}

char16_t LowerOf(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
  if (c == 0x178) return 0xFF;  // so that upper and lower case round-trip
  return c;
}

bool IsWhiteSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

template <typename Map>
std::u16string MapEach(std::u16string_view text, Map map) {
  std::u16string out(text);
  for (char16_t& c : out) c = map(c);
  return out;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
  auto byte = [&out](char32_t bits) { out += static_cast<char>(static_cast<unsigned char>(bits)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

// Decodes one well-formed sequence at `pos`, advancing past it. On a malformed one it advances
// past the longest prefix that could have started a valid sequence (at least one byte), so each
// such prefix becomes one replacement character.
std::optional<char32_t> DecodeOne(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  std::size_t trailing = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1;
    c = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2;
    c = lead & 0x0Fu;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3;
    c = lead & 0x07u;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return std::nullopt;
  }
  for (; trailing > 0; --trailing) {
    if (pos >= text.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(text[pos]);
    if (next < low || next > high) return std::nullopt;
    c = (c << 6) | (next & 0x3Fu);
    ++pos;
    low = 0x80;
    high = 0xBF;
  }
  return c;
}

}  // namespace

std::u16string ToUpperCase(std::u16string_view text) { return MapEach(text, UpperOf); }

std::u16string ToLowerCase(std::u16string_view text) { return MapEach(text, LowerOf); }

std::u16string ToProperCase(std::u16string_view text) {
  std::u16string out(text);
  bool wordStart = true;
  for (char16_t& c : out) {
    const bool white = IsWhiteSpace(c);
    c = white ? c : (wordStart ? UpperOf(c) : LowerOf(c));
    wordStart = white;
  }
  return out;
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return text.substr(text.size());
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      c = kReplacement;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) AppendUtf16(out, DecodeOne(text, pos).value_or(kReplacement));
  return out;
}

}  // namespace kestrow::host
