#include "script_lexer.h"

#include "kestrow/host/values/runtime.h"

namespace kestrow::script {

namespace {

std::string SizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The position just past the closing quote of the string opening at `open`.
std::size_t SkipString(std::string_view line, std::size_t open) {
  for (std::size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return i + 1;
    }
  }
  throw ScriptError("unterminated string");
}

std::string Escaped(std::string_view message) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(message.size());
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      shown += "\\u00";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string ByteText(unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  return std::string("0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

}  // namespace

ScriptError::ScriptError(std::string_view message) : std::runtime_error(Escaped(message)) {}

void CheckUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // The range of the second byte narrows for the leads that could start an overlong form, a
    // surrogate or a code point past U+10FFFF; the later bytes are plain continuations.
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = k == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
    }
    if (!valid) {
      throw ScriptError("invalid UTF-8 at column " + std::to_string(i + 1) + " (byte " + ByteText(lead) + ")");
    }
    i += length;
  }
}

bool LineReader::Next(std::string& line) {
  line.clear();
  std::streambuf* buffer = in_.rdbuf();
  if (buffer == nullptr) return false;
  using Traits = std::streambuf::traits_type;
  int c = buffer->sgetc();
  if (Traits::eq_int_type(c, Traits::eof())) return false;
  ++line_number_;
  while (true) {
    c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) break;
    if (++total_ > max_script_) throw ScriptError("the script is longer than " + SizeText(max_script_));
    if (c == '\n') break;
    if (line.size() == max_line_) throw ScriptError("the line is longer than " + SizeText(max_line_));
    line += Traits::to_char_type(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // Editors that save UTF-8 with a byte-order mark put it before the first line.
  if (line_number_ == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
  return true;
}

std::vector<std::string> SplitWords(std::string_view line) {
  CheckUtf8(line);
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i < line.size() && line[i] == '#') return words;
  while (i < line.size()) {
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) {
      i = line[i] == '"' ? SkipString(line, i) : i + 1;
    }
    words.emplace_back(line.substr(start, i - start));
    while (i < line.size() && IsBlank(line[i])) ++i;
  }
  return words;
}

std::u16string ParseString(std::string_view word) {
  if (word.size() < 2 || word.front() != '"') throw ScriptError("expected a quoted string, got " + std::string(word));
  const std::size_t end = SkipString(word, 0);
  if (end != word.size()) throw ScriptError("unexpected characters after the string in " + std::string(word));
  const std::string_view body = word.substr(1, word.size() - 2);
  CheckUtf8(body);

  std::u16string out;
  std::string plain;  // UTF-8 not yet converted
  auto flush = [&] {
    out += host::FromUtf8(plain);
    plain.clear();
  };
  for (std::size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (static_cast<unsigned char>(c) < 0x20)
      throw ScriptError("a control character inside a string (write it as \\uXXXX)");
    if (c != '\\') {
      plain += c;
      continue;
    }
    flush();
    const char escape = body[++i];  // the closing quote was found, so a character follows
    switch (escape) {
      case '"': out += u'"'; break;
      case '\\': out += u'\\'; break;
      case '/': out += u'/'; break;
      case 'b': out += u'\b'; break;
      case 'f': out += u'\f'; break;
      case 'n': out += u'\n'; break;
      case 'r': out += u'\r'; break;
      case 't': out += u'\t'; break;
      case 'u': {
        if (i + 4 >= body.size()) throw ScriptError("a \\u escape needs four hex digits");
        unsigned unit = 0;
        for (std::size_t k = 1; k <= 4; ++k) {
          const int digit = HexDigit(body[i + k]);
          if (digit < 0) throw ScriptError("a \\u escape needs four hex digits");
          unit = unit * 16 + static_cast<unsigned>(digit);
        }
        // Surrogates are kept as written: a pair of escapes makes one character outside the BMP.
        out += static_cast<char16_t>(unit);
        i += 4;
        break;
      }
      default: throw ScriptError(std::string("unknown escape \\") + escape + " in a string");
    }
  }
  flush();
  return out;
}

}  // namespace kestrow::script
