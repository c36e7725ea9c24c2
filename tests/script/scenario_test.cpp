// Whole scenarios: script text in, JSON lines out, one group per area of the contract.
#include <gtest/gtest.h>

#include <string>

#include "kestrow/host/values/runtime.h"
#include "script_fixture.h"

namespace kestrow::script::testing {
namespace {

// A field that takes two digits and then tabs on by itself.
constexpr const char* kTwoDigitFields =
    "new A\n"
    "set InputFormat 0\n"
    "set Mask \"99\"\n"
    "new B\n";

int Index(const Outcome& run, const std::string& line) {
  const int index = run.IndexOf(line);
  EXPECT_GE(index, 0) << "missing line " << line;
  return index;
}

TEST(Naming, DefaultNamesSkipNamesTakenByHand) {
  const Outcome run = Play("new Field2\nnew\nnew\nshow\nuse Field1\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines[0].rfind(R"({"control":"Field3",)", 0), 0u) << run.lines[0];
  EXPECT_EQ(run.lines[1].rfind(R"({"control":"Field1",)", 0), 0u) << run.lines[1];
}

TEST(Typing, EachCharacterIsKeyDownKeyPressKeyUpWithUsKeyCodes) {
  const Outcome run = Play("new\nfocus\ntype \"a.?\"\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"event\":\"Key"), (std::vector<std::string>{
                                             R"({"control":"Field1","event":"KeyDown","KeyCode":65,"Shift":0})",
                                             R"({"control":"Field1","event":"KeyPress","KeyAscii":97})",
                                             R"({"control":"Field1","event":"KeyUp","KeyCode":65,"Shift":0})",
                                             R"({"control":"Field1","event":"KeyDown","KeyCode":190,"Shift":0})",
                                             R"({"control":"Field1","event":"KeyPress","KeyAscii":46})",
                                             R"({"control":"Field1","event":"KeyUp","KeyCode":190,"Shift":0})",
                                             R"({"control":"Field1","event":"KeyDown","KeyCode":191,"Shift":1})",
                                             R"({"control":"Field1","event":"KeyPress","KeyAscii":63})",
                                             R"({"control":"Field1","event":"KeyUp","KeyCode":191,"Shift":1})",
                                         }));
}

TEST(Typing, PropertyReportsAndTheBoxAfterADateIsTyped) {
  const Outcome run =
      Play("today 2026-12-07\nnew D\nset DataType 2\nfocus\ntype \"25122026\"\nblur\nget Value\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(run.IndexOf(R"({"control":"D","changed":"DataType"})"), 0);
  EXPECT_EQ(run.lines.end()[-2], R"({"control":"D","get":"Value","type":"Date","value":"2026-12-25"})");
  EXPECT_EQ(
      run.lines.back(),
      R"({"control":"D","box":{"text":"25/12/2026","selstart":0,"sellength":0,"maxlength":10,"passwordchar":"","focused":false}})");
}

TEST(Focus, SendKeysIsPrintedAtOnceAndTheMoveRunsAfterTheKey) {
  const Outcome run = Play(std::string(kTwoDigitFields) + "focus A\ntype \"12\"\nuse B\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const int sendkeys = Index(run, R"({"sendkeys":"{TAB}"})");
  const int keyUp = Index(run, R"({"control":"A","event":"KeyUp","KeyCode":50,"Shift":0})");
  const int moved = Index(run, R"({"focus":"B"})");
  EXPECT_LT(sendkeys, keyUp);
  EXPECT_EQ(moved, keyUp + 1) << "the focus moves once the key's host event is over";
  EXPECT_NE(run.lines.back().find("\"focused\":true"), std::string::npos);
}

TEST(Focus, TabWrapsAroundTheFormInBothDirections) {
  const Outcome run = Play("new\nnew\nfocus Field2\nkey Tab\nkey Tab\nkey Tab shift\nkey Tab shift\nkey Tab shift\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"focus\""),
            (std::vector<std::string>{R"({"focus":"Field2"})", R"({"focus":"other"})", R"({"focus":"Field1"})",
                                      R"({"focus":"other"})", R"({"focus":"Field2"})", R"({"focus":"Field1"})"}));
}

TEST(Focus, ARefusedDateTakesTheFocusBackAfterTheMessage) {
  const Outcome run = Play("new\nset DataType 2\nfocus\ntype \"3102\"\nblur\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> tail(run.lines.end() - 3, run.lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{R"({"focus":"other"})",
                                            R"({"msgbox":{"prompt":"Invalid Date","buttons":16,"caption":""}})",
                                            R"({"focus":"Field1"})"}));
}

TEST(LateBinding, GetReportsTheMembersNameAndTheVariantsType) {
  const Outcome run =
      Play("new\nget backcolor\nget LinkTimeout\nget SelStart\nget FontSize\nget Font\nget MouseIcon\nget DataType\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.lines,
      (std::vector<std::string>{
          R"({"control":"Field1","get":"BackColor","type":"Long","value":2147483653})",
          R"({"control":"Field1","get":"LinkTimeout","type":"Integer","value":50})",
          R"({"control":"Field1","get":"SelStart","type":"Long","value":0})",
          R"({"control":"Field1","get":"FontSize","type":"Single","value":9.75})",
          R"({"control":"Field1","get":"Font","type":"Font","value":{"name":"Courier New","size":9.75,"bold":false,"italic":false,"underline":false,"strikethrough":false}})",
          R"({"control":"Field1","get":"MouseIcon","type":"Picture","value":null})",
          R"({"control":"Field1","get":"DataType","type":"Long","value":0})",
      }));
}

// A constant of the property's own enumeration, in any case, sets what its number sets.
TEST(LateBinding, EnumeratedPropertiesTakeTheirConstantsByName) {
  const struct {
    std::string by_name, by_number;
  } settings[] = {{"DataType dtNumeric", "DataType 1"},
                  {"InputFormat DTTHOUSANDSFORMAT", "InputFormat 8"},
                  {"DisplayFormat dtUpperCase", "DisplayFormat 1"},
                  {"datatype dtDate", "datatype 2"}};
  for (const auto& setting : settings) {
    const Outcome named = Play("new\nset " + setting.by_name + "\nsave\n");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.lines, Play("new\nset " + setting.by_number + "\nsave\n").lines) << setting.by_name;
  }
  // Another enumeration's constant, or one for a property that has none, is no value at all.
  for (const std::string line : {"set DataType dtDigits", "set Length dtNumeric", "set Nothing dtNumeric"}) {
    const Outcome refused = Play("new\n" + line + "\n");
    EXPECT_EQ(refused.status, 2) << line;
    EXPECT_TRUE(refused.err.starts_with("line 2: the value is not")) << refused.err;
    EXPECT_TRUE(refused.err.ends_with(line.substr(line.rfind(' ')) + "\n")) << refused.err;
  }
}

TEST(LateBinding, HostErrorsArePrintedAndTheScriptGoesOn) {
  const Outcome run = Play(
      "new\nset LinkTimeout 40000\nset LinkTimeout \"soon\"\nget Nothing\ncall Refresh\nget Refresh\nset Font 1\nget "
      "LinkTimeout\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines, (std::vector<std::string>{
                           R"({"error":{"number":6,"description":"Overflow"}})",
                           R"({"error":{"number":13,"description":"Type mismatch"}})",
                           R"({"error":{"number":438,"description":"Object doesn't support this property or method"}})",
                           R"({"error":{"number":438,"description":"Object doesn't support this property or method"}})",
                           R"({"error":{"number":13,"description":"Type mismatch"}})",
                           R"({"control":"Field1","get":"LinkTimeout","type":"Integer","value":50})",
                       }));
}

TEST(LateBinding, RefusedSettingsShowTheirMessageBoxes) {
  const Outcome run = Play("new\nset Text \"x\"\nset SelText \"x\"\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines, (std::vector<std::string>{
                           R"({"msgbox":{"prompt":"Property is Read Only","buttons":0,"caption":null}})",
                           R"({"msgbox":{"prompt":"Property is Read Only","buttons":16,"caption":"Valid Text Box"}})",
                       }));
}

TEST(LateBinding, TheAboutBoxPrintsItsCaptionTitleVersionAndLabels) {
  const Outcome run = Play("new\ncall ShowTalmoBox\n");
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.lines.size(), 1u);
  const std::string& about = run.lines[0];
  EXPECT_EQ(about.rfind(R"({"about":{"caption":")", 0), 0u) << about;
  EXPECT_NE(about.find(R"("title":"Kestrow Utility Text Box","version":"Version )"), std::string::npos) << about;
  EXPECT_NE(about.find(R"("labels":["Kestrow Utility Text Box","Version )"), std::string::npos) << about;
}

TEST(Persistence, ReadTakesThePendingBagOnceAndSaveListsItInWrittenOrder) {
  const Outcome run = Play(
      "bag DataType 1\nbag DecimalPlaces 2\nbag Value Double:9.5\nread Amount\nread\nuse Amount\nsave\nuse Field1\nget "
      "DataType\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> bags = run.With("\"bag\"");
  ASSERT_EQ(bags.size(), 1u);
  const std::string& bag = bags[0];
  EXPECT_EQ(bag.rfind(R"({"control":"Amount","bag":{"BackColor":{"type":"Long","value":2147483653},)", 0), 0u) << bag;
  EXPECT_NE(bag.find(R"("DataType":{"type":"Integer","value":1})"), std::string::npos) << bag;
  EXPECT_NE(bag.find(R"("Value":{"type":"Double","value":9.5})"), std::string::npos) << bag;
  EXPECT_LT(bag.find("\"DataType\""), bag.find("\"Value\""));
  EXPECT_EQ(run.lines.back(), R"({"control":"Field1","get":"DataType","type":"Long","value":0})")
      << "the bag was emptied by the first read";
}

TEST(Persistence, ReloadLeavesTheFieldFirstAndKeepsNameAndPlace) {
  const Outcome run = Play("new A\nnew B\nuse A\nset DataType 1\nfocus\nreload\nget DataType\nfocus\nkey Tab\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const int left = Index(run, R"({"focus":"other"})");
  EXPECT_LT(left, Index(run, R"({"control":"A","changed":"MouseIcon"})")) << "the focus leaves before the read";
  EXPECT_GE(Index(run, R"({"control":"A","get":"DataType","type":"Long","value":1})"), left);
  EXPECT_EQ(run.With("\"focus\"").back(), R"({"focus":"B"})") << "A is still first in the tab order";
}

TEST(Persistence, AReadThatFailsLeavesNoControlAndNoPendingBag) {
  const Outcome run = Play("bag DataType \"numeric\"\nread Bad\nread\nget DataType\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const int error = Index(run, R"({"error":{"number":13,"description":"Type mismatch"}})");
  EXPECT_GT(error, Index(run, R"({"control":"Bad","changed":"MouseIcon"})")) << "what the read did comes first";
  EXPECT_EQ(run.lines.back(), R"({"control":"Field1","get":"DataType","type":"Long","value":0})");
  const Outcome later = Play("bag DataType \"numeric\"\nread Bad\nuse Bad\n");
  EXPECT_EQ(later.status, 2);
}

TEST(Sizes, ResizeKeepsTheMinimumAndTheInnerBoxFollows) {
  const Outcome run = Play("new\nresize 100 100\nshow size\nresize 3000 400\nshow size\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines,
            (std::vector<std::string>{
                R"({"control":"Field1","size":{"width":250,"height":285,"box_width":200,"box_height":285}})",
                R"({"control":"Field1","size":{"width":3000,"height":400,"box_width":2950,"box_height":400}})",
            }));
}

TEST(Mouse, EventsCarryTheirArgumentsAndNeedNoFocus) {
  const Outcome run = Play("new\nmouse down 1 shift 10.5 0.1\nmouse up 2 3 0 -4\nclick\ndblclick\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.lines, (std::vector<std::string>{
                           R"({"control":"Field1","event":"MouseDown","Button":1,"Shift":1,"X":10.5,"Y":0.1})",
                           R"({"control":"Field1","event":"MouseUp","Button":2,"Shift":3,"X":0,"Y":-4})",
                           R"({"control":"Field1","event":"Click"})",
                           R"({"control":"Field1","event":"DblClick"})",
                       }));
}

TEST(Keys, SelectionIsCutBackAndShiftedKeysExtendIt) {
  const Outcome run = Play(
      "new\nset InputFormat 0\nset Mask \"XXXXX\"\nset AutoTab false\nfocus\ntype \"hello\"\n"
      "select 1 99\nshow\nkey Home\nkey Right shift\nshow\nkey A ctrl\nshow\nselect 9 1\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> boxes = run.With("\"box\"");
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_NE(boxes[0].find(R"("text":"hello","selstart":1,"sellength":4,)"), std::string::npos) << boxes[0];
  EXPECT_NE(boxes[1].find(R"("selstart":0,"sellength":1,)"), std::string::npos) << boxes[1];
  EXPECT_NE(boxes[2].find(R"("selstart":0,"sellength":5,)"), std::string::npos) << boxes[2];
  EXPECT_NE(boxes[3].find(R"("selstart":5,"sellength":0,)"), std::string::npos) << boxes[3];
  EXPECT_TRUE(run.With("\"changed\":\"Sel").empty()) << "a mouse selection is not reported";
}

TEST(Keys, ShowIsOfTheCurrentControlNotOfTheFocusedBox) {
  const Outcome run = Play("new\nfocus other\ntype \"hello\"\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(
      run.lines,
      (std::vector<std::string>{
          R"({"focus":"other"})",
          R"({"control":"Field1","box":{"text":"","selstart":0,"sellength":0,"maxlength":0,"passwordchar":"","focused":false}})",
      }));
}

TEST(Keys, ModifiersBecomeShiftBitsAndRawEventsGoToTheFocusedBox) {
  const Outcome run = Play("new\nfocus\nkey Left shift+ctrl\nkeydown 46 ctrl\nkeyup 46 2\nkeypress 49\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_GE(Index(run, R"({"control":"Field1","event":"KeyDown","KeyCode":37,"Shift":3})"), 0);
  EXPECT_GE(Index(run, R"({"control":"Field1","event":"KeyDown","KeyCode":46,"Shift":2})"), 0);
  EXPECT_GE(Index(run, R"({"control":"Field1","event":"KeyUp","KeyCode":46,"Shift":2})"), 0);
  EXPECT_GE(Index(run, R"({"control":"Field1","event":"KeyPress","KeyAscii":49})"), 0);
}

TEST(Clipboard, TheScriptPutsTextOnTheHostsClipboardAndShowsIt) {
  const Outcome run = Play(
      "show clipboard\nclipboard \"555 123\\u00e9\"\nshow clipboard\nnew\nset InputFormat 0\nset Mask "
      "\"999-999\"\nfocus\n"
      "key V ctrl\nshow\nselect 0 3\nkey X ctrl\nshow clipboard\nfocus other\nkey V ctrl\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.With("\"clipboard\""),
            (std::vector<std::string>{R"({"clipboard":""})", R"({"clipboard":"555 123é"})", R"({"clipboard":"555"})"}));
  EXPECT_NE(run.With("\"box\"")[0].find(R"("text":"555-123")"), std::string::npos) << "pasted through the mask";
  EXPECT_TRUE(run.With("\"error\"").empty());
  EXPECT_EQ(Play("clipboard text\n").status, 2) << "the text is a string";
  EXPECT_EQ(Play("show clipboards\n").status, 2);
}

TEST(Today, SetsTheHostsDateForTheRunOnly) {
  const Outcome run = Play("today 2001-02-03\nnew\nset DataType 2\nshow\n");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.lines.back().find(R"("text":"03/02/2001")"), std::string::npos) << run.lines.back();
  EXPECT_NE(host::Today(), host::DateSerial(2001, 2, 3)) << "the machine's clock is back after the run";
}

}  // namespace
}  // namespace kestrow::script::testing
