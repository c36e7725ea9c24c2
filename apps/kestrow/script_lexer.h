// Reading a scenario: bounded lines, the words of a line, and the quoted strings in them.
#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow::script {

// A malformed line: the message says what is wrong with it. The words it quotes may hold any
// byte, so its control characters (NUL included) are kept as \uXXXX: the message is printed
// through what(), a C string, and must stay whole and on one line.
class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(std::string_view message);
};

// Raises ScriptError unless `text` is well-formed UTF-8 (no overlong forms, no encoded
// surrogates, nothing past U+10FFFF).
void CheckUtf8(std::string_view text);

// Hostile input must not make the runner hold unbounded memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxScriptBytes = std::size_t{64} << 20;

class LineReader {
 public:
  explicit LineReader(std::istream& in, std::size_t maxLine = kMaxLineBytes, std::size_t maxScript = kMaxScriptBytes)
      : in_(in), max_line_(maxLine), max_script_(maxScript) {}

  // The next line without its end ("\n" or "\r\n"), and the first without a UTF-8 byte-order
  // mark; false at the end of the input. A line or a script past its bound raises ScriptError
  // (LineNumber() is then the line being read).
  bool Next(std::string& line);
  int LineNumber() const { return line_number_; }

 private:
  std::istream& in_;
  std::size_t max_line_;
  std::size_t max_script_;
  std::size_t total_ = 0;
  int line_number_ = 0;
};

// The words of a line, separated by blanks (spaces and tabs); a double-quoted part of a word may
// hold blanks and escaped quotes. No words for a blank line or a comment ("#" first). The whole
// line, a comment included, must be UTF-8.
std::vector<std::string> SplitWords(std::string_view line);

// A word that is one JSON string literal (UTF-8), decoded.
std::u16string ParseString(std::string_view word);

}  // namespace kestrow::script
