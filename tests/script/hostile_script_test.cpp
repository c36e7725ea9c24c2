// Scripts that are huge, binary or cut off: a clear error or a normal run, in bounded memory.
#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <string>

#include "script_fixture.h"

namespace kestrow::script::testing {
namespace {

// An endless stream of one line repeated, made up as it is read: a script larger than any
// buffer the test could hold.
class RepeatingLines : public std::streambuf {
 public:
  explicit RepeatingLines(std::string line) : line_(std::move(line)) { Refill(); }

 protected:
  int_type underflow() override {
    Refill();
    return traits_type::to_int_type(*gptr());
  }

 private:
  void Refill() { setg(line_.data(), line_.data(), line_.data() + line_.size()); }
  std::string line_;
};

TEST(HostileScript, AnEndlessScriptStopsAtItsLimit) {
  RepeatingLines lines("# " + std::string(1000, 'x') + "\n");
  std::istream in(&lines);
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(in, out, err), 2);
  EXPECT_NE(err.str().find("64 MiB"), std::string::npos) << err.str();
  EXPECT_TRUE(out.str().empty());
}

TEST(HostileScript, BinaryAndCutOffInputIsAMalformedLineNeverACrash) {
  std::string binary = "new\n";
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  const Outcome garbage = Play(binary);
  EXPECT_EQ(garbage.status, 2);
  EXPECT_EQ(garbage.err.rfind("line 2: ", 0), 0u) << garbage.err;

  const std::string full = "new\nset Mask \"(999) 999-9999\"\nfocus\ntype \"5551234567\"\nblur\nsave\n";
  for (std::size_t cut = 0; cut < full.size(); ++cut) {
    const Outcome run = Play(full.substr(0, cut));
    EXPECT_TRUE(run.status == 0 || run.status == 2) << cut;
    if (run.status == 2) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << cut;
    }
  }
}

TEST(HostileScript, InvalidUtf8IsAMalformedLineWhereverItIs) {
  // Stray and truncated sequences, overlong forms, encoded surrogates and code points past U+10FFFF,
  // in a string, a bare word, a name and a comment.
  for (const char* line : {
           "set Value \"a\xff\xfe"
           "b\"",
           "set Value \"\x80\"",
           "set Value \"\xc3\"",
           "set Value \"\xe2\x82\"",
           "set Value \"\xc0\xaf\"",
           "set Value \"\xe0\x80\xaf\"",
           "set Value \"\xed\xa0\x80\"",
           "set Value \"\xf4\x90\x80\x80\"",
           "set Value \"\xf8\x88\x80\x80\x80\"",
           "set Mask 9\xe9",
           "use F\xe9ld",
           "# caf\xe9",
           "bag K\xff 1",
       }) {
    const Outcome run = Play(std::string("new\nget LinkTimeout\n") + line + "\nget Value\n");
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_EQ(run.err.rfind("line 3: invalid UTF-8", 0), 0u) << line << " gave " << run.err;
    EXPECT_EQ(run.lines.size(), 1u) << line;  // the line before ran; the bad line and the rest did not
  }
}

TEST(HostileScript, ValidUtf8OfEveryLengthIsTakenAsWritten) {
  const Outcome run =
      Play("new\nset Value \"\x7f\xc2\x80\xe2\x82\xac\xef\xbf\xbf\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf\"\nget Value\n");
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.With("\"get\":\"Value\"").size(), 1u);
  EXPECT_NE(
      run.With("\"get\":\"Value\"").front().find("\xc2\x80\xe2\x82\xac\xef\xbf\xbf\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf"),
      std::string::npos);
}

TEST(HostileScript, HugeValuesAreTakenOrRefusedByTheControl) {
  std::string script = "new\nset Length 20000\nset Value \"" + std::string(100000, 'q') + "\"\nget Length\nsave\n";
  const Outcome run = Play(script);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"get\":\"Length\"").front(),
            R"({"control":"Field1","get":"Length","type":"Integer","value":20000})");
}

}  // namespace
}  // namespace kestrow::script::testing
