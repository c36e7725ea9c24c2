#include "about/about_form.h"

#include <string>
#include <utility>
#include <vector>

#include "kestrow/version.h"

namespace kestrow::about {

namespace {

using host::DialogControl;
using host::DialogFont;
using Kind = DialogControl::Kind;

constexpr std::int32_t kClientWidth = 4290;
constexpr std::int32_t kClientHeight = 2370;
constexpr std::uint32_t kGrey = 0x00808080u;
constexpr std::uint32_t kWhite = 0x00FFFFFFu;

// The field names are in a fixed-pitch font so their colons line up; the values are not.
DialogFont FieldNameFont() { return {u"Courier New", 9.75f, 400}; }
DialogFont FieldValueFont() { return {u"Times New Roman", 9.75f, 400}; }

DialogControl Label(std::string name, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                    int tab, std::u16string_view caption, std::optional<DialogFont> font) {
  DialogControl control;
  control.name = std::move(name);
  control.kind = Kind::Label;
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  control.tab_index = tab;
  control.caption = caption;
  control.font = std::move(font);
  return control;
}

// Two lines on the same spot, grey then white: the etched separator.
DialogControl Line(std::string name, std::uint32_t color) {
  DialogControl control;
  control.name = std::move(name);
  control.kind = Kind::Line;
  control.left = 120;
  control.top = 1200;
  control.width = 4080;
  control.height = 1200;
  control.color = color;
  return control;
}

std::vector<DialogControl> DesignTimeControls() {
  std::vector<DialogControl> controls;

  DialogControl icon;
  icon.name = "picIcon";
  icon.kind = Kind::PictureBox;
  icon.left = 240;
  icon.top = 360;
  icon.width = 510;
  icon.height = 450;
  icon.tab_index = 3;
  icon.picture_width = 30;
  icon.picture_height = 26;
  icon.picture_bits_per_pixel = 24;
  controls.push_back(std::move(icon));

  controls.push_back(Label("lblTitle", 1050, 240, 2325, 240, 1, u"Kestrow Utility Text Box", std::nullopt));
  controls.push_back(Label("lblVersion", 1050, 660, 1605, 225, 2, u"Version", std::nullopt));

  DialogControl ok;
  ok.name = "cmdOK";
  ok.kind = Kind::CommandButton;
  ok.left = 2805;
  ok.top = 705;
  ok.width = 1260;
  ok.height = 345;
  ok.tab_index = 0;
  ok.caption = u"OK";
  ok.is_default = true;
  ok.is_cancel = true;
  controls.push_back(std::move(ok));

  controls.push_back(Line("Line1", kGrey));
  controls.push_back(Line("Line2", kWhite));

  controls.push_back(Label("Label4", 240, 1440, 1095, 255, 7, u"Company :", FieldNameFont()));
  controls.push_back(Label("Label5", 240, 1680, 1095, 255, 8, u"Name    :", FieldNameFont()));
  controls.push_back(Label("Label6", 240, 1920, 1095, 255, 9, u"E-Mail  :", FieldNameFont()));
  controls.push_back(Label("Label1", 1560, 1440, 2055, 255, 4, kMakerCompany, FieldValueFont()));
  controls.push_back(Label("Label2", 1560, 1680, 2055, 255, 5, kMakerName, FieldValueFont()));
  controls.push_back(Label("Label3", 1560, 1920, 2055, 255, 6, kMakerAddress, FieldValueFont()));
  return controls;
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

ApplicationInfo KestrowApplication() {
  return {u"Kestrow", KESTROW_VERSION_MAJOR, KESTROW_VERSION_MINOR, KESTROW_VERSION_PATCH};
}

AboutForm::AboutForm(ApplicationInfo application)
    : DialogForm(kClientWidth, kClientHeight, DesignTimeControls()), application_(std::move(application)) {}

void AboutForm::Load() {
  SetCaption(u"About " + application_.title);
  Control("lblVersion").caption = u"Version " + Decimal(application_.major) + u"." + Decimal(application_.minor) +
                                  u"." + Decimal(application_.revision);
}

void AboutForm::Click(std::string_view control) {
  if (control == "cmdOK") Unload();
}

void ShowAboutBox(host::ControlSite& site) {
  AboutForm form(KestrowApplication());
  site.ShowModal(form);
}

}  // namespace kestrow::about
