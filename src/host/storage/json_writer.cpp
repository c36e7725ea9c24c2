#include "host/storage/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "kestrow/host/values/runtime.h"

namespace kestrow::json {

namespace {

void AppendEscape(std::string& out, unsigned unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xFu];
}

// The bytes a JSON string cannot hold as they are: control characters, the quote, the backslash.
constexpr std::array<bool, 256> kNeedsEscape = [] {
  std::array<bool, 256> table{};
  for (std::size_t byte = 0; byte < 0x20; ++byte) table[byte] = true;
  table['"'] = table['\\'] = true;
  return table;
}();

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

JsonWriter& JsonWriter::BeginObject() { return Open('{'); }
JsonWriter& JsonWriter::EndObject() { return Close('}'); }
JsonWriter& JsonWriter::BeginArray() { return Open('['); }
JsonWriter& JsonWriter::EndArray() { return Close(']'); }

JsonWriter& JsonWriter::Key(std::string_view utf8) { return String(utf8).NameEnds(); }
JsonWriter& JsonWriter::Key(std::u16string_view text) { return String(text).NameEnds(); }

JsonWriter& JsonWriter::NameEnds() {
  out_ += indent_ > 0 ? ": " : ":";
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  Quoted(utf8);
  return *this;
}

JsonWriter& JsonWriter::String(std::u16string_view text) {
  BeforeValue();
  Quoted(text);
  return *this;
}

JsonWriter& JsonWriter::Integer(std::int64_t value) { return Number(value); }
JsonWriter& JsonWriter::Unsigned(std::uint64_t value) { return Number(value); }
JsonWriter& JsonWriter::Double(double value) { return Number(value); }
JsonWriter& JsonWriter::Single(float value) { return Number(value); }

JsonWriter& JsonWriter::Boolean(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

// Shortest round-trip form for floating numbers (std::to_chars without a precision); negative
// zero keeps a fraction, since "-0" reads back as the integer 0.
template <typename T>
JsonWriter& JsonWriter::Number(T value) {
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(value)) return Null();
    if (value == 0 && std::signbit(value)) {
      BeforeValue();
      out_ += "-0.0";
      return *this;
    }
  }
  BeforeValue();
  char buffer[32];
  out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  return *this;
}

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (has_members_.empty()) return;
  if (has_members_.back() != 0) out_ += ',';
  has_members_.back() = 1;
  NewLine(has_members_.size());
}

void JsonWriter::NewLine(std::size_t depth) {
  if (indent_ <= 0) return;
  out_ += '\n';
  out_.append(depth * static_cast<std::size_t>(indent_), ' ');
}

JsonWriter& JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  has_members_.push_back(0);
  return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
  if (!has_members_.empty()) {
    if (has_members_.back() != 0) NewLine(has_members_.size() - 1);
    has_members_.pop_back();
  }
  out_ += bracket;
  return *this;
}

void JsonWriter::Quoted(std::string_view utf8) {
  out_ += '"';
  // Runs of characters that need no escape are appended whole.
  std::size_t run = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto byte = static_cast<unsigned char>(c);
    if (!kNeedsEscape[byte]) continue;
    out_.append(utf8.substr(run, i - run));
    if (byte < 0x20) {
      AppendEscape(out_, byte);
    } else {
      out_ += '\\';
      out_ += c;
    }
    run = i + 1;
  }
  out_.append(utf8.substr(run));
  out_ += '"';
}

void JsonWriter::Quoted(std::u16string_view text) {
  out_ += '"';
  // Runs of ordinary characters go through the host's UTF-8 conversion; a lone surrogate has no
  // UTF-8 form, so it is kept as an escape rather than lost to a replacement character.
  std::size_t run = 0;
  auto flush = [&](std::size_t end) {
    if (end > run) out_ += host::ToUtf8(text.substr(run, end - run));
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
      continue;
    }
    const bool lone = IsHighSurrogate(c) || IsLowSurrogate(c);
    if (c >= 0x20 && c != u'"' && c != u'\\' && !lone) continue;
    flush(i);
    if (c == u'"' || c == u'\\') {
      out_ += '\\';
      out_ += static_cast<char>(c);
    } else {
      AppendEscape(out_, c);
    }
    run = i + 1;
  }
  flush(text.size());
  out_ += '"';
}

}  // namespace kestrow::json
