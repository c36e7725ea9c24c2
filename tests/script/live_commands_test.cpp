// `kestrow demo` and `kestrow run` up to the terminal: their command line, and the failures that
// come before any screen is drawn.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "program.h"

namespace kestrow::script {
namespace {

struct LiveRun {
  int status = -1;
  std::string out, err;
};

LiveRun Live(const std::vector<std::string_view>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  LiveRun run;
  run.status = RunProgram(args, in, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(LiveCommands, CommandLinesNotUnderstoodShowTheUsage) {
  const struct {
    std::vector<std::string_view> args;
    std::string complaint;
  } cases[] = {{{"run"}, "kestrow: run needs a form file\n"},
               {{"demo", "--save"}, "kestrow: --save needs a path\n"},
               {{"demo", "form.json"}, "kestrow: unexpected word \"form.json\"\n"},
               {{"run", "a.json", "b.json"}, "kestrow: unexpected word \"b.json\"\n"}};
  for (const auto& c : cases) {
    const LiveRun run = Live(c.args);
    EXPECT_EQ(run.status, 2) << c.complaint;
    EXPECT_TRUE(run.err.starts_with(c.complaint + "usage: kestrow demo [--save PATH]\n")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(LiveCommands, AFormFileThatCannotBeReadIsNamedWithItsReason) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kestrow-live-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "broken.json") << "{\"controls\": [";
  const struct {
    std::filesystem::path file;
    std::string reason;
  } cases[] = {{dir / "absent.json", "No such file or directory"}, {dir / "broken.json", "line 1"}};
  for (const auto& c : cases) {
    const LiveRun run = Live({"run", c.file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.file.filename().string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  std::filesystem::remove_all(dir);
}

TEST(LiveCommands, WithoutATerminalTheDemoSaysSoAndPrintsNothing) {
  if (::isatty(STDIN_FILENO) != 0) GTEST_SKIP() << "run from a terminal: the demo would open on it";
  const LiveRun run = Live({"demo"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.starts_with("kestrow: ")) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace kestrow::script
