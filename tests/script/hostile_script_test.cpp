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

TEST(HostileScript, InvalidUtf8InAStringIsReplacedNotFatal) {
  const Outcome run = Play("new\nset Value \"a\xff\xfe" "b\"\nget Value\n");
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_FALSE(run.With("\"get\":\"Value\"").empty());
  EXPECT_NE(run.With("\"get\":\"Value\"").front().find("\xEF\xBF\xBD"), std::string::npos);  // U+FFFD
}

TEST(HostileScript, HugeValuesAreTakenOrRefusedByTheControl) {
  std::string script = "new\nset Length 20000\nset Value \"" + std::string(100000, 'q') + "\"\nget Length\nsave\n";
  const Outcome run = Play(script);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"get\":\"Length\"").front(), R"({"control":"Field1","get":"Length","type":"Integer","value":20000})");
}

}  // namespace
}  // namespace kestrow::script::testing
