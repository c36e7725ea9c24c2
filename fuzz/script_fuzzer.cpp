// libFuzzer target: raw bytes as a whole scenario for the runner, and line by line for its lexer.
// A run must end with status 0 and nothing on standard error, or status 2 and one printable line
// "line N: ..." there; the lexer may refuse a line only with ScriptError. Anything else escaping,
// a crash, a sanitizer report or a hang is a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>

#include "script_lexer.h"
#include "script_runner.h"

namespace {

using namespace kestrow::script;

// The runner's own limits bound a run; a small cap keeps each input quick.
constexpr std::size_t kMaxInput = std::size_t{64} << 10;

[[noreturn]] void Broken(const std::string& what) {
  std::fprintf(stderr, "script_fuzzer: %s\n", what.c_str());
  std::abort();
}

// Standard output is thrown away: only the run's status and its error line are checked.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

void CheckRun(std::string_view script) {
  NullBuffer discard;
  std::ostream out(&discard);
  std::ostringstream err;
  std::istringstream in{std::string(script)};
  const int status = RunScript(in, out, err);
  const std::string message = err.str();
  if (status == 0) {
    if (!message.empty()) Broken("a run with status 0 wrote to standard error: " + message);
    return;
  }
  if (status != 2) Broken("a run ended with status " + std::to_string(status));
  std::size_t digits = 5;
  while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9') ++digits;
  if (!message.starts_with("line ") || digits == 5 || message.compare(digits, 2, ": ") != 0 ||
      !message.ends_with('\n')) {
    Broken("the error is not \"line N: ...\": " + message);
  }
  for (std::size_t i = 0; i + 1 < message.size(); ++i) {
    const auto byte = static_cast<unsigned char>(message[i]);
    if (byte < 0x20 || byte == 0x7F) Broken("the error holds a control character: " + message);
  }
  // The runner turns any other exception into an internal error rather than a crash; for the
  // fuzzer that is still a finding.
  if (message.compare(digits + 2, 16, "internal error: ") == 0) Broken("an exception escaped a command: " + message);
}

void CheckLexer(std::string_view line) {
  try {
    for (const std::string& word : SplitWords(line)) {
      if (word.empty()) Broken("SplitWords gave an empty word");
      if (word.front() == '"') {
        try {
          (void)ParseString(word);
        } catch (const ScriptError&) {
          // A word that merely starts with a quote ("a"b) is not one string; refusing it is fine.
        }
      }
    }
  } catch (const ScriptError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInput) return -1;  // not added to the corpus
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  try {
    CheckRun(script);
    std::size_t start = 0;
    while (start <= script.size()) {
      std::size_t end = script.find('\n', start);
      if (end == std::string_view::npos) end = script.size();
      std::string_view line = script.substr(start, end - start);
      if (line.ends_with('\r')) line.remove_suffix(1);
      CheckLexer(line);
      start = end + 1;
    }
  } catch (const std::exception& error) {
    Broken(std::string("an exception escaped: ") + error.what());
  }
  return 0;
}
