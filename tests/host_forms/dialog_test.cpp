// Dialog forms: their buttons, lookups and labels, and how the headless host shows one modally.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "kestrow/host/forms/dialog.h"
#include "kestrow/host/forms/dialogs.h"
#include "kestrow/host/forms/form.h"

namespace kestrow::host {
namespace {

DialogControl Make(std::string name, DialogControl::Kind kind, std::optional<int> tab, std::u16string caption,
                   bool is_default = false, bool is_cancel = false) {
  DialogControl control;
  control.name = std::move(name);
  control.kind = kind;
  control.tab_index = tab;
  control.caption = std::move(caption);
  control.is_default = is_default;
  control.is_cancel = is_cancel;
  return control;
}
constexpr auto kLabel = DialogControl::Kind::Label;
constexpr auto kButton = DialogControl::Kind::CommandButton;

// Logs its notifications; the buttons named in `closers` unload it.
class TestDialog final : public DialogForm {
 public:
  TestDialog(std::vector<DialogControl> controls, std::vector<std::string> closers)
      : DialogForm(1000, 500, std::move(controls)), closers_(std::move(closers)) {}

  void Load() override {
    log.push_back("load");
    SetCaption(u"Loaded");
    if (Find("lblStatus")) Control("lblStatus").caption = u"ready";
  }
  void Click(std::string_view control) override {
    log.push_back("click " + std::string(control));
    if (std::ranges::find(closers_, control) != closers_.end()) Unload();
  }
  DialogControl& Mutable(std::string_view name) { return Control(name); }

  std::vector<std::string> log;

 private:
  std::vector<std::string> closers_;
};

using Log = std::vector<std::string>;

TEST(DialogForm, EnterPressesTheDefaultAndEscapeTheCancelButton) {
  TestDialog dialog({Make("cmdApply", kButton, 0, u""), Make("cmdOK", kButton, 1, u"", true),
                     Make("cmdCancel", kButton, 2, u"", false, true)},
                    {});
  dialog.PressEnter();
  dialog.PressEscape();
  EXPECT_EQ(dialog.log, (Log{"click cmdOK", "click cmdCancel"}));

  // Only buttons are pressed, whatever else carries the flags.
  TestDialog none({Make("cmdApply", kButton, 0, u""), Make("lblNote", kLabel, 1, u"", true, true)}, {});
  none.PressEnter();
  none.PressEscape();
  EXPECT_TRUE(none.log.empty());
}

TEST(DialogForm, LookupIsExactAndControlThrowsForUnknownNames) {
  TestDialog dialog({Make("lblA", kLabel, 1, u"a")}, {});
  EXPECT_NE(dialog.Find("lblA"), nullptr);
  EXPECT_EQ(dialog.Find("lbla"), nullptr);
  dialog.Mutable("lblA").caption = u"changed";
  EXPECT_EQ(dialog.Find("lblA")->caption, u"changed");
  EXPECT_THROW(dialog.Mutable("lblB"), std::out_of_range);
}

TEST(DialogForm, LabelsComeInTabOrderNotFormOrder) {
  TestDialog dialog({Make("c", kLabel, 7, u"third"), Make("cmdOK", kButton, 0, u"OK"), Make("a", kLabel, 2, u"first"),
                     Make("untabbed", kLabel, std::nullopt, u"last"), Make("b", kLabel, 4, u"second")},
                    {});
  EXPECT_EQ(dialog.LabelsInTabOrder(), (std::vector<std::u16string>{u"first", u"second", u"third", u"last"}));
}

// --- Shown by the headless host --------------------------------------------------------------------

class SiteHolder final : public Component {
 public:
  explicit SiteHolder(ControlSite& held) : site(held) {}
  ControlSite& site;
};

class Modal : public ::testing::Test {
 protected:
  Modal()
      : site_(static_cast<SiteHolder&>(form_.AddControl(u"Text1", [](ControlSite& site, EditBox&) {
                return std::make_unique<SiteHolder>(site);
              })).site) {}

  Form form_;
  ControlSite& site_;
};

TEST_F(Modal, TheHostLoadsRecordsThenPressesEnter) {
  TestDialog dialog({Make("lblStatus", kLabel, 1, u"design"), Make("lblName", kLabel, 0, u"name"),
                     Make("cmdOK", kButton, 2, u"OK", true)},
                    {"cmdOK"});
  form_.AddPlainBox(u"other");
  form_.Focus(u"other");
  form_.TakeRecords();
  form_.Handle([&] { site_.ShowModal(dialog); });
  EXPECT_EQ(dialog.log, (Log{"load", "click cmdOK"}));
  EXPECT_EQ(form_.FocusedName(), u"other");

  const std::vector<HostRecord> records = form_.TakeRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, HostRecord::Kind::Dialog);
  EXPECT_EQ(records[0].control, u"Text1");
  EXPECT_EQ(records[0].text, u"Loaded");  // as Load left it
  EXPECT_EQ(records[0].labels, (std::vector<std::u16string>{u"name", u"ready"}));
  using Captions = std::vector<std::pair<std::string, std::u16string>>;
  EXPECT_EQ(records[0].captions, (Captions{{"lblStatus", u"ready"}, {"lblName", u"name"}, {"cmdOK", u"OK"}}));
}

TEST_F(Modal, ADialogEnterLeavesOpenIsClosedThroughItsFrame) {
  TestDialog stays({Make("cmdApply", kButton, 0, u"", true)}, {});
  site_.ShowModal(stays);
  EXPECT_EQ(stays.log, (Log{"load", "click cmdApply"}));
  EXPECT_TRUE(stays.Unloaded());

  TestDialog cancelOnly({Make("cmdCancel", kButton, 0, u"", false, true)}, {"cmdCancel"});
  site_.ShowModal(cancelOnly);
  EXPECT_EQ(cancelOnly.log, (Log{"load"}));  // Esc is not pressed for it
  EXPECT_TRUE(cancelOnly.Unloaded());
}

// A host with a screen: it answers message boxes itself and runs the dialog's own modal loop.
class ScreenDialogs final : public Dialogs {
 public:
  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    shown.push_back(std::string(prompt.begin(), prompt.end()) + "|" + std::to_string(buttons) + "|" +
                    (caption ? "caption" : "default"));
    return answer;
  }
  void ShowModal(DialogForm& dialog) override {
    shown.push_back("dialog " + std::string(dialog.Caption().begin(), dialog.Caption().end()));
    dialog.PressEscape();
  }
  std::vector<std::string> shown;
  int answer = 2;
};

TEST_F(Modal, AHostsOwnDialogsAnswerAfterTheRecord) {
  ScreenDialogs screen;
  form_.SetDialogs(&screen);
  EXPECT_EQ(site_.MsgBox(u"Sure", 0, std::nullopt), 2) << "the button the user pressed comes back";
  TestDialog dialog({Make("cmdOK", kButton, 0, u"OK", true), Make("cmdCancel", kButton, 1, u"", false, true)},
                    {"cmdCancel"});
  site_.ShowModal(dialog);
  EXPECT_EQ(screen.shown, (Log{"Sure|0|default", "dialog Loaded"}));
  EXPECT_EQ(dialog.log, (Log{"load", "click cmdCancel"})) << "Enter is not pressed for the user";
  const std::vector<HostRecord> records = form_.TakeRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].kind, HostRecord::Kind::MsgBox);
  EXPECT_EQ(records[1].kind, HostRecord::Kind::Dialog);
}

TEST_F(Modal, AmbientFontIsAFreshCopyOfTheFormFont) {
  const std::shared_ptr<Font> first = site_.AmbientFont();
  EXPECT_EQ(first->name, u"MS Sans Serif");
  EXPECT_FLOAT_EQ(first->size, 8.25f);
  EXPECT_EQ(first->weight, 400);
  first->name = u"Changed";  // a control's changes stay its own
  EXPECT_EQ(site_.AmbientFont()->name, u"MS Sans Serif");

  Font arial;
  arial.name = u"Arial";
  arial.bold = true;
  form_.SetAmbientFont(arial);
  EXPECT_TRUE(site_.AmbientFont()->bold);
  EXPECT_EQ(first->name, u"Changed");  // fonts handed out earlier are not touched
}

}  // namespace
}  // namespace kestrow::host
