#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "kestrow/host/runtime.h"

namespace kestrow::script {

namespace {

void AppendEscape(std::string& out, unsigned unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xFu];
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

template <typename T>
void AppendShortest(std::string& out, T value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) {
    out += "null";
    return;
  }
  out.append(buffer, end);
}

// JSON has no infinities or NaN: they print as null.
template <typename T>
void AppendNumber(std::string& out, T value) {
  if (std::isfinite(value)) {
    AppendShortest(out, value);
  } else {
    out += "null";
  }
}

}  // namespace

JsonWriter& JsonWriter::BeginObject() {
  Open('{');
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Open('[');
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  BeforeValue();
  Quoted(key);
  out_ += ':';
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(std::u16string_view key) {
  BeforeValue();
  Quoted(key);
  out_ += ':';
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

JsonWriter& JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Unsigned(std::uint64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Double(double value) {
  BeforeValue();
  AppendNumber(out_, value);
  return *this;
}

JsonWriter& JsonWriter::Single(float value) {
  BeforeValue();
  AppendNumber(out_, value);
  return *this;
}

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

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!has_members_.empty()) {
    if (has_members_.back()) out_ += ',';
    has_members_.back() = true;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  has_members_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  out_ += bracket;
  if (!has_members_.empty()) has_members_.pop_back();
}

void JsonWriter::Quoted(std::string_view utf8) {
  out_ += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20) {
      AppendEscape(out_, byte);
    } else {
      out_ += c;
    }
  }
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

}  // namespace kestrow::script
