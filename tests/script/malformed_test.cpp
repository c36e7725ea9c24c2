// Malformed lines end the run with status 2 and one line naming the line; what was printed stays.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "script_fixture.h"

namespace kestrow::script::testing {
namespace {

struct Case {
  const char* script;
  int line;
  const char* says;  // a part of the message
};

TEST(Malformed, EachFaultNamesItsLine) {
  for (const Case c : {
           Case{"new\nwobble\n", 2, "unknown command \"wobble\""},
           Case{"new\npage\n", 2, "missing words"},
           Case{"NEW\n", 1, "unknown command"},
           Case{"new\ntype \"1\"\n", 2, "nothing focused"},
           Case{"new\nkey Enter\n", 2, "nothing focused"},
           Case{"new\nselect 0 1\n", 2, "nothing focused"},
           Case{"new\nfocus\nkey Tab\nkey Foo\n", 4, "unknown key"},
           Case{"new\nfocus\nkey A meta\n", 3, "modifiers"},
           Case{"show\n", 1, "no control"},
           Case{"focus\n", 1, "no control"},
           Case{"new\nuse Field9\n", 2, "no control named Field9"},
           Case{"new\nuse other\n", 2, "no control named other"},
           Case{"new\nfocus Nowhere\n", 2, "no element named Nowhere"},
           Case{"new A\nnew A\n", 2, "already on the form"},
           Case{"new other\n", 1, "already on the form"},
           Case{"new\nset Mask \"99\n", 2, "unterminated string"},
           Case{"new\nset Mask 99 extra\n", 2, "unexpected word \"extra\""},
           Case{"new\nset Mask\n", 2, "usage: set PROP VALUE"},
           Case{"new\nset Mask abc\n", 2, "value"},
           Case{"new\nshow sizes\n", 2, "unexpected word"},
           Case{"new\nresize 10 1.5\n", 2, "the height"},
           Case{"new\nmouse over 1 0 1 1\n", 2, "mouse action"},
           Case{"new\nfocus\nkeydown 70000\n", 3, "the code"},
           Case{"new\nfocus\nselect -1 2\n", 3, "the start"},
           Case{"today 2026-02-30\n", 1, "the date"},
           Case{"bag Key\n", 1, "usage: bag KEY VALUE"},
           Case{"bag Mask \"9\"\nbag Mask \"0\"\n", 2, "bag key \"Mask\" is already in the pending bag"},
           Case{"bag Mask \"9\"\nbag \"Mask\" \"0\"\n", 2, "bag key \"Mask\" is already"},
       }) {
    const Outcome run = Play(c.script);
    EXPECT_EQ(run.status, 2) << c.script;
    const std::string prefix = "line " + std::to_string(c.line) + ": ";
    EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << c.script << " gave " << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << c.script << " gave " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST(Malformed, OutputBeforeTheFaultStaysAndNothingAfterItRuns) {
  const Outcome run = Play("new\nget LinkTimeout\nbad line\nget LinkTimeout\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.lines,
            std::vector<std::string>{R"({"control":"Field1","get":"LinkTimeout","type":"Integer","value":50})"});
}

TEST(Malformed, AMalformedLineChangesNothingBeforeItEnds) {
  // The value is checked before the member is looked up or the control touched.
  const Outcome run = Play("new\nfocus\nset Nothing 1e999\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.lines, std::vector<std::string>{R"({"focus":"Field1"})"});
}

TEST(Malformed, BlankLinesCommentsAndCarriageReturnsAreFine) {
  const Outcome run = Play("# a comment\r\n\r\n   \t\n  # indented\nnew\tX\r\nget LinkTimeout\r\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines, std::vector<std::string>{R"({"control":"X","get":"LinkTimeout","type":"Integer","value":50})"});
}

TEST(Malformed, AnOverlongLineIsRefusedWithoutBeingKept) {
  std::string script = "new\n# ";
  script.append(std::size_t{1} << 20, 'x');
  script += "\nget LinkTimeout\n";
  const Outcome run = Play(script);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "line 2: the line is longer than 1 MiB\n");
}

TEST(Malformed, ARepeatedBagKeyLeavesTheFirstValue) {
  // Keys are told apart exactly, as the bag stores them; the refused line adds nothing.
  const Outcome run = Play(
      "bag LinkTopic \"first\"\nbag linktopic \"x\"\nread\nsave\nbag LinkTopic \"1\"\nbag LinkTopic \"2\"\nread\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err.rfind("line 6: ", 0), 0u) << run.err;
  ASSERT_EQ(run.With("\"bag\"").size(), 1u);
  EXPECT_NE(run.With("\"bag\"").front().find(R"("LinkTopic":{"type":"String","value":"first"})"), std::string::npos);
  EXPECT_EQ(run.With("Field2").size(), 0u);
}

TEST(Malformed, ControlCharactersOfAWordAreShownEscapedNeverCut) {
  using namespace std::string_literals;
  // NULs cut a C string literal, so these scripts are written as std::string literals.
  struct Raw {
    std::string script;
    int line;
    std::string says;
  };
  for (const Raw& c : {
           Raw{"wob\0ble\n"s, 1, R"(unknown command "wob\u0000ble")"},
           Raw{"new\nfocus\nkey F\0oo\n"s, 3, R"(unknown key "F\u0000oo")"},
           Raw{"new\nset Mask 9\x01\0\x7f"
               "9\n"s,
               2, R"(: 9\u0001\u0000\u007f9)"},
           Raw{"new\nuse \0A\n"s, 2, R"(no control named \u0000A on the form)"},
           Raw{"new\nresize 1 \x1b[2J\n"s, 2, R"(the height is not a whole number: \u001b[2J)"},
       }) {
    const Outcome run = Play(c.script);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\0'), std::string::npos);
    EXPECT_EQ(
        std::count_if(run.err.begin(), run.err.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }), 1)
        << "only the final line feed is a control character: " << run.err;
  }
}

}  // namespace
}  // namespace kestrow::script::testing
