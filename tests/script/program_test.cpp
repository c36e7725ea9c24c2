// The kestrow program's command line: where a script comes from, what it says about words it does
// not understand and files it cannot read, and its help.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "kestrow/control/type_library.h"
#include "program.h"

namespace kestrow::script {
namespace {

struct ProgramRun {
  int status = -1;
  std::string out, err;
};

ProgramRun Program(const std::vector<std::string_view>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  ProgramRun run;
  run.status = RunProgram(args, in, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

class ProgramFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("kestrow-program-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST(Program, WordsItDoesNotKnowAreNamedBeforeTheUsage) {
  const struct {
    std::vector<std::string_view> args;
    std::string complaint;
  } cases[] = {{{}, "kestrow: no command given\n"},
               {{"scrip"}, "kestrow: unknown command \"scrip\"\n"},
               {{"script", "a.ksc", "b.ksc"}, "kestrow: unexpected word \"b.ksc\"\n"}};
  for (const auto& c : cases) {
    const ProgramRun run = Program(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with(c.complaint + "usage: kestrow demo [--save PATH]\n")) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(ProgramFiles, AScriptComesFromItsFileOrFromStandardInput) {
  const std::string script = "new A\nget Length\n";
  std::ofstream(dir_ / "a.ksc") << script;
  const std::string file = (dir_ / "a.ksc").string();
  const ProgramRun fromFile = Program({"script", file});
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_NE(fromFile.out.find(R"({"control":"A","get":"Length")"), std::string::npos) << fromFile.out;
  EXPECT_EQ(Program({"script", "-"}, script).out, fromFile.out);
  EXPECT_EQ(Program({"script"}, script).out, fromFile.out);
}

// As root every file can be read, so a missing file and a folder stand for the reasons.
TEST_F(ProgramFiles, AFileThatCannotBeReadGivesTheSystemsReason) {
  const std::string missing = (dir_ / "absent.ksc").string();
  const std::string folder = dir_.string();
  const struct {
    std::string file, reason;
  } cases[] = {{missing, "No such file or directory"}, {folder, "Is a directory"}};
  for (const auto& c : cases) {
    const ProgramRun run = Program({"script", c.file});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "kestrow: cannot read " + c.file + ": " + c.reason + "\n");
    EXPECT_EQ(run.out, "");
  }
}

TEST(Program, ScriptHelpListsTheCommandsAndEveryConstant) {
  const ProgramRun run = Program({"script", "--help"});
  EXPECT_EQ(run.status, 0);
  for (const std::string_view usage : {"  set PROP VALUE\n", "  key NAME [MODS]\n", "  today YYYY-MM-DD\n",
                                       "  clipboard \"TEXT\"\n", "  show [size|clipboard]\n"}) {
    EXPECT_NE(run.out.find(usage), std::string::npos) << usage;
  }
  std::size_t listed = 0;
  for (const auto type :
       {control::ValueType::DataTypes, control::ValueType::InputFormats, control::ValueType::DisplayFormats}) {
    for (const control::ConstantInfo& constant : control::ConstantsOf(type)) {
      const std::string padded = "    " + std::string(constant.name) + " ";
      const std::size_t at = run.out.find(padded);
      ASSERT_NE(at, std::string::npos) << constant.name;
      // The number on the same line is the constant's.
      const std::size_t end = run.out.find('\n', at);
      EXPECT_EQ(std::stoi(run.out.substr(at + padded.size(), end - at - padded.size())), constant.value)
          << constant.name;
      ++listed;
    }
  }
  EXPECT_EQ(listed, 30u);
  EXPECT_EQ(Program({"script", "-h"}).out, run.out);
}

}  // namespace
}  // namespace kestrow::script
