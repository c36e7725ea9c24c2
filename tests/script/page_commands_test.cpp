// The page commands: the property page Format driven from a scenario, and the example scenarios.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "script_fixture.h"

namespace kestrow::script::testing {
namespace {

std::string PageLine(const Outcome& run) {
  const std::vector<std::string> shown = run.With(R"({"page":)");
  return shown.empty() ? std::string() : shown.back();
}

TEST(PageCommands, ShowListsEveryPageControlInTabOrderWithListsItemsAndSelection) {
  const Outcome run = Play("new\npage open\npage show\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string page = PageLine(run);
  const std::vector<std::string> order{"\"changed\":false", "lblDataType",      "cmbDataType", "cmbInputFormat",
                                       "cmbDisplayFormat",  "txtPadChar",       "txtLength",   "lblFunction",
                                       "txtDecPlaces",      "txtMask",          "lblLength",   "Frame1",
                                       "lblDecPlaces",      "lblDisplayFormat", "lblPadChar"};
  std::size_t at = 0;
  for (const std::string& part : order) {
    const std::size_t found = page.find(part, at);
    ASSERT_NE(found, std::string::npos) << part << " missing or out of order in " << page;
    at = found;
  }
  EXPECT_NE(
      page.find(
          R"json("cmbDisplayFormat":{"text":"(None)","enabled":true,"visible":true,"items":["(None)","! - Upper Case","L - Lower Case","P - Proper Case"],"listindex":0})json"),
      std::string::npos)
      << page;
  EXPECT_NE(page.find(R"("txtDecPlaces":{"text":"0","enabled":true,"visible":false})"), std::string::npos) << page;
  EXPECT_NE(page.find(R"("Frame1":{"text":"Data Input Mask","enabled":true,"visible":true})"), std::string::npos);
}

TEST(PageCommands, MovesIntoPageFieldsAreFocusLinesAndLeaveChecksTheCustomMask) {
  const Outcome run =
      Play("new\npage open\npage pick cmbInputFormat \"(Custom Format)\"\npage type txtMask \"--\"\npage leave\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines.end()[-2],
            R"({"msgbox":{"prompt":"No Space to Take Input","buttons":16,"caption":"Valid Text Box"}})");
  EXPECT_EQ(run.lines.back(), R"({"focus":"txtMask"})") << "the focus goes back to the mask";
  EXPECT_GE(run.IndexOf(R"({"focus":"cmbInputFormat"})"), 0);
}

TEST(PageCommands, AFieldTheUserCannotReachTakesNoKeys) {
  // A new control's mask field is disabled (not a custom format); typing there changes nothing.
  const Outcome run = Play("new\npage open\npage type txtMask \"AB\"\npage show\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(PageLine(run).find(R"("txtMask":{"text":"XXXXXXXXXX","enabled":false)"), std::string::npos)
      << PageLine(run);
  EXPECT_TRUE(run.With(R"({"focus":"txtMask"})").empty());
}

TEST(PageCommands, ApplyChangesOnlyTheFirstOfTwoSelectedControls) {
  const Outcome run = Play(
      "new A\nnew B\npage open B A\npage pick cmbDataType \"4 - Logical\"\npage apply\n"
      "use A\nget DataType\nuse B\nget DataType\nget Mask\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(run.IndexOf(R"({"control":"A","get":"DataType","type":"Long","value":0})"), 0);
  EXPECT_GE(run.IndexOf(R"({"control":"B","get":"DataType","type":"Long","value":4})"), 0);
  EXPECT_GE(run.IndexOf(R"({"control":"B","get":"Mask","type":"String","value":"Yes/No"})"), 0);
}

TEST(PageCommands, AReloadedControlIsShownAgainAndASavedFormKeepsThePagesSettings) {
  const Outcome run = Play(
      "new\npage open\npage pick cmbDataType \"3 - Password\"\npage type txtLength \"6\"\npage apply\n"
      "reload\nget DataType\nget Length\npage show\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(run.IndexOf(R"({"control":"Field1","get":"DataType","type":"Long","value":3})"), 0);
  EXPECT_GE(run.IndexOf(R"({"control":"Field1","get":"Length","type":"Integer","value":6})"), 0);
  EXPECT_NE(PageLine(run).find(R"("changed":false)"), std::string::npos) << "a new load is no change";
  EXPECT_NE(PageLine(run).find(R"("txtMask":{"text":"******")"), std::string::npos) << PageLine(run);
}

TEST(PageCommands, AReloadOfAControlThePageDoesNotShowKeepsThePagesEdits) {
  const Outcome run =
      Play("new\nnew\npage open Field1\npage pick cmbDataType \"1 - Numeric\"\nuse Field2\nreload\npage show\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(PageLine(run).find(R"("changed":true)"), std::string::npos) << PageLine(run);
  EXPECT_NE(PageLine(run).find(R"("cmbDataType":{"text":"1 - Numeric")"), std::string::npos) << PageLine(run);
  // Applied, the edit reaches the control the page shows.
  const Outcome applied = Play(
      "new\nnew\npage open Field1\npage pick cmbDataType \"1 - Numeric\"\nuse Field2\nreload\n"
      "page apply\nuse Field1\nget DataType\n");
  EXPECT_EQ(applied.lines.back(), R"({"control":"Field1","get":"DataType","type":"Long","value":1})");
}

TEST(PageCommands, MalformedPageLinesEndTheRun) {
  for (const char* line : {"page show", "page open nobody", "page open other", "page pick cmbMask \"x\"",
                           "page pick cmbDataType \"9 - Colour\"", "page focus lblLength", "page jump",
                           "page key txtLength Hyper", "page leave now"}) {
    const std::string script =
        std::string("new\n") + (std::string(line) == "page show" ? "" : "page open\n") + line + "\n";
    const Outcome run = Play(script);
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_FALSE(run.err.empty()) << line;
  }
  EXPECT_EQ(Play("new\npage open\npage close\npage apply\n").status, 2) << "a closed page takes no commands";
}

TEST(ExampleScenarios, EveryExamplePlaysWithoutAnErrorLine) {
  int played = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KESTROW_SCENARIOS_DIR)) {
    if (entry.path().extension() != ".ksc") continue;
    std::ifstream file(entry.path());
    std::stringstream text;
    text << file.rdbuf();
    const Outcome run = Play(text.str());
    EXPECT_EQ(run.status, 0) << entry.path() << ": " << run.err;
    EXPECT_TRUE(run.With(R"({"error":)").empty()) << entry.path();
    ++played;
  }
  EXPECT_GE(played, 8);
}

}  // namespace
}  // namespace kestrow::script::testing
