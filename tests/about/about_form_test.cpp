// The About box: what Load fills in, how it closes, and the layout facts a reader relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "about/about_form.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/version.h"

namespace kestrow::about {
namespace {

using host::DialogControl;
using host::HostRecord;

const DialogControl& Get(const AboutForm& form, std::string_view name) {
  const DialogControl* control = form.Find(name);
  if (!control) throw std::out_of_range(std::string(name));
  return *control;
}

TEST(AboutLoad, CaptionAndUnpaddedVersionComeFromTheApplication) {
  AboutForm form({u"Ledger", 2, 5, 12});
  EXPECT_EQ(Get(form, "lblVersion").caption, u"Version");  // design time, until Load
  form.Load();
  EXPECT_EQ(form.Caption(), u"About Ledger");
  EXPECT_EQ(Get(form, "lblVersion").caption, u"Version 2.5.12");
  EXPECT_EQ(Get(form, "lblTitle").caption, u"Kestrow Utility Text Box");  // not the application's title

  AboutForm later({u"Ledger", 10, 0, 7});
  later.Load();
  EXPECT_EQ(Get(later, "lblVersion").caption, u"Version 10.0.7");
}

TEST(AboutClose, EnterAndEscapeBothCloseAndOnlyOkActs) {
  AboutForm entered(KestrowApplication());
  entered.Load();
  entered.Click("lblTitle");
  entered.Click("Line1");
  EXPECT_FALSE(entered.Unloaded());
  entered.PressEnter();
  EXPECT_TRUE(entered.Unloaded());

  AboutForm escaped(KestrowApplication());
  escaped.Load();
  escaped.PressEscape();
  EXPECT_TRUE(escaped.Unloaded());
}

// Shows dialogs from the site of a control on a headless form.
class SiteHolder final : public host::Component {
 public:
  explicit SiteHolder(host::ControlSite& held) : site(held) {}
  host::ControlSite& site;
};

class Shown : public ::testing::Test {
 protected:
  Shown()
      : site_(static_cast<SiteHolder&>(form_.AddControl(u"Text1", [](host::ControlSite& site, host::EditBox&) {
                return std::make_unique<SiteHolder>(site);
              })).site) {}
  std::vector<HostRecord> Dialogs() {
    std::vector<HostRecord> dialogs;
    for (HostRecord& record : form_.TakeRecords()) {
      if (record.kind == HostRecord::Kind::Dialog) dialogs.push_back(std::move(record));
    }
    return dialogs;
  }

  host::Form form_;
  host::ControlSite& site_;
};

TEST_F(Shown, EachShowLoadsAfreshWithTheSameCaptionAndVersion) {
  ShowAboutBox(site_);
  ShowAboutBox(site_);
  AboutForm reused({u"Ledger", 3, 1, 4});
  site_.ShowModal(reused);
  site_.ShowModal(reused);
  const std::vector<HostRecord> dialogs = Dialogs();
  ASSERT_EQ(dialogs.size(), 4u);
  for (std::size_t i : {0u, 1u}) {
    EXPECT_EQ(dialogs[i].text, u"About Kestrow");
    ASSERT_GE(dialogs[i].labels.size(), 2u);
    EXPECT_EQ(dialogs[i].labels[1], u"Version " KESTROW_VERSION_STRING);  // the build's own version
  }
  EXPECT_EQ(dialogs[0].captions, dialogs[1].captions);
  EXPECT_EQ(dialogs[3].labels[1], u"Version 3.1.4");  // set again, not appended to
}

TEST(AboutLayout, LabelsReadTitleVersionMakerThenFieldNames) {
  const AboutForm form(KestrowApplication());
  EXPECT_EQ(form.LabelsInTabOrder(),
            (std::vector<std::u16string>{u"Kestrow Utility Text Box", u"Version", std::u16string(kMakerCompany),
                                         std::u16string(kMakerName), std::u16string(kMakerAddress), u"Company :",
                                         u"Name    :", u"E-Mail  :"}));
  std::vector<int> tabs;
  for (const DialogControl& control : form.Controls()) {
    if (control.tab_index) tabs.push_back(*control.tab_index);
  }
  std::ranges::sort(tabs);
  EXPECT_EQ(tabs, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));  // distinct; the lines have none
  EXPECT_EQ(Get(form, "cmdOK").tab_index, 0);
}

TEST(AboutLayout, FieldNamesLineUpTheirColonsInAFixedPitchFont) {
  const AboutForm form(KestrowApplication());
  const std::vector<std::pair<const char*, const char*>> rows{
      {"Label4", "Label1"}, {"Label5", "Label2"}, {"Label6", "Label3"}};
  for (const auto& [field, value] : rows) {
    const DialogControl& name = Get(form, field);
    EXPECT_EQ(name.caption.size(), 9u) << field;
    EXPECT_EQ(name.caption.back(), u':') << field;
    ASSERT_TRUE(name.font);
    EXPECT_EQ(name.font->name, u"Courier New");
    ASSERT_TRUE(Get(form, value).font);
    EXPECT_EQ(Get(form, value).font->name, u"Times New Roman");
    EXPECT_EQ(Get(form, value).top, name.top) << value;  // on its field name's row
  }
  EXPECT_FALSE(Get(form, "lblTitle").font);
  EXPECT_FALSE(Get(form, "lblVersion").font);
}

TEST(AboutLayout, EtchedSeparatorAndControlsInsideTheClientArea) {
  const AboutForm form(KestrowApplication());
  const DialogControl& dark = Get(form, "Line1");
  const DialogControl& light = Get(form, "Line2");
  EXPECT_EQ(dark.color, 0x00808080u);
  EXPECT_EQ(light.color, 0x00FFFFFFu);
  EXPECT_EQ(dark.top, dark.height);  // horizontal
  EXPECT_EQ(std::tie(dark.left, dark.top, dark.width), std::tie(light.left, light.top, light.width));
  for (const DialogControl& control : form.Controls()) {
    if (control.kind == DialogControl::Kind::Line) continue;
    EXPECT_LE(control.left + control.width, form.ClientWidth()) << control.name;
    EXPECT_LE(control.top + control.height, form.ClientHeight()) << control.name;
  }
}

}  // namespace
}  // namespace kestrow::about
