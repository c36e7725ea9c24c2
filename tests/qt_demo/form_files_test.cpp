// The demo's form files are the terminal host's: what the window saves opens again and `kestrow
// run` places it with the same settings, what the terminal host saves the window opens, and a file
// that cannot be used changes nothing and is explained. Then the program's command line.
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

#include "demo_fixture.h"
#include "demo_form.h"
#include "demo_program.h"
#include "kestrow/control/form_storage.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::qt_demo::testing {
namespace {

class QtDemoFiles : public DemoTest {
 protected:
  std::filesystem::path PathOf(const char* name) const {
    return std::filesystem::path(folder.path().toStdString()) / name;
  }

  static std::vector<std::u16string> Names(const DemoWindow& shown) {
    std::vector<std::u16string> names;
    for (const DemoWindow::Field& field : shown.Fields()) names.push_back(field.name);
    return names;
  }

  QTemporaryDir folder;
};

TEST_F(QtDemoFiles, SavedThenOpenedInAnotherWindowAndByTheTerminalHostKeepsEverySetting) {
  Field(u"Phone").setMask("999-9999");
  Field(u"Amount").setDecimalPlaces(3);
  Field(u"BirthDate").setDisplayFormat(qt::TextWidget::DisplayFormat::DashSeparator);
  ASSERT_TRUE(messages.empty());
  window.Save(PathOf("form.json"));
  EXPECT_EQ(window.windowTitle(), "form.json - Kestrow demo");

  DemoWindow other;
  other.Load(PathOf("form.json"));
  host::Form form;
  ASSERT_EQ(control::LoadForm(form, PathOf("form.json")), Names(window));
  ASSERT_EQ(Names(other), Names(window));
  for (std::size_t i = 0; i < window.Fields().size(); ++i) {
    const DemoWindow::Field& field = window.Fields()[i];
    SCOPED_TRACE(host::ToUtf8(field.name));
    ExpectSameSettings(field.widget->control(), other.Fields()[i].widget->control());
    ExpectSameSettings(field.widget->control(), static_cast<control::Text&>(*form.ControlNamed(field.name)));
  }
  EXPECT_EQ(other.Fields()[1].widget->text(), "   -    ") << "the loaded mask shows";
}

TEST_F(QtDemoFiles, TheTerminalHostsFormOpensWithItsOwnFieldsInItsOrder) {
  host::Form form;
  control::Text& amount = control::AddText(form, u"Total");
  control::Text& code = control::AddText(form, u"Code");
  form.Handle([&] {
    script::ApplySettings(script::DemoFields()[2], amount);
    code.PutProperty("InputFormat", host::Variant::Integer(0));
    code.PutProperty("Mask", host::Variant::String(u"AA-999"));
  });
  control::SaveForm(form, {u"Code", u"Total"}, PathOf("terminal.json"));

  window.Load(PathOf("terminal.json"));
  ASSERT_EQ(Names(window), (std::vector<std::u16string>{u"Code", u"Total"}));
  ExpectSameSettings(code, Field(u"Code").control());
  ExpectSameSettings(amount, Field(u"Total").control());
  EXPECT_EQ(window.windowTitle(), "terminal.json - Kestrow demo");
  std::ostringstream out;
  window.WriteValues(out);
  const std::string printed = out.str();
  EXPECT_EQ(std::ranges::count(printed, '\n'), 2) << "a line for each field of the file";
}

TEST_F(QtDemoFiles, AFileThatCannotBeOpenedOrSavedChangesNothingAndTheBoxSaysWhy) {
  const std::vector<std::u16string> before = Names(window);
  // Missing; a form file, but of a control the form cannot place; a folder that is not there.
  std::ofstream(PathOf("picture.json"))
      << R"({"form":"kestrow","version":1,"controls":[{"name":"Logo","class":"Picture","properties":[]}]})";
  const std::pair<std::function<void()>, std::vector<QString>> attempts[] = {
      {[&] { window.OpenFile(PathOf("missing.json")); }, {"missing.json"}},
      {[&] { window.OpenFile(PathOf("picture.json")); }, {"picture.json", "Picture"}},
      {[&] { window.SaveFile(PathOf("no-such-folder/form.json")); }, {"no-such-folder"}},
  };
  for (const auto& [attempt, named] : attempts) {
    attempt();
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    for (const QString& name : named) EXPECT_TRUE(box->informativeText().contains(name)) << name.toStdString();
    delete box;
  }
  EXPECT_EQ(Names(window), before);
  EXPECT_EQ(window.windowTitle(), "Kestrow demo");
  EXPECT_FALSE(std::filesystem::exists(PathOf("no-such-folder")));
}

class QtDemoProgram : public QtDemoFiles {
 protected:
  int Run(const QStringList& words) {
    out.str({});
    err.str({});
    return RunDemo(QStringList{"kestrow-qt-demo"} + words, out, err);
  }

  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(QtDemoProgram, TheScreenshotIsAPictureOfTheWindowAndWhatCannotBeUsedIsRefused) {
  const QString picture = QString::fromStdString(PathOf("demo.png").string());
  ASSERT_EQ(Run({"--screenshot", picture}), 0) << err.str();
  const QImage image(picture);
  EXPECT_GE(image.width(), window.minimumSizeHint().width());
  EXPECT_GE(image.height(), window.minimumSizeHint().height());
  EXPECT_TRUE(out.str().empty()) << "a picture is no quitting: no values";
  EXPECT_EQ(Run({"--screenshot", QString::fromStdString(PathOf("no-such-folder/demo.png").string())}), 1);

  EXPECT_EQ(Run({QString::fromStdString(PathOf("missing.json").string())}), 1);
  EXPECT_NE(err.str().find("missing.json"), std::string::npos) << err.str();
  EXPECT_EQ(Run({"--screenshot"}), 2);
  EXPECT_EQ(Run({"one.json", "two.json"}), 2);
  EXPECT_NE(err.str().find("--screenshot <FILE.png>"), std::string::npos) << "the usage follows: " << err.str();
}

}  // namespace
}  // namespace kestrow::qt_demo::testing
