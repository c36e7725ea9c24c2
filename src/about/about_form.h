// The component's About box: its title, version and maker, as a dialog form.
#pragma once

#include <string>
#include <string_view>

#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/forms/dialog.h"

namespace kestrow::about {

// What the About box shows of the application.
struct ApplicationInfo {
  std::u16string title;
  int major = 0;
  int minor = 0;
  int revision = 0;
};

ApplicationInfo KestrowApplication();

// The maker, as the About box (and the library's version record) names it.
inline constexpr std::u16string_view kMakerCompany = u"Kestrow Components";
inline constexpr std::u16string_view kMakerName = u"The Kestrow team";
inline constexpr std::u16string_view kMakerAddress = u"kestrow@example.org";

class AboutForm final : public host::DialogForm {
 public:
  explicit AboutForm(ApplicationInfo application);

  // Sets the caption and the version label from the application.
  void Load() override;
  // The OK button unloads the form; nothing else on it acts on a click.
  void Click(std::string_view control) override;

 private:
  ApplicationInfo application_;
};

// Shows a new About box of the component modally on the site's host.
void ShowAboutBox(host::ControlSite& site);

}  // namespace kestrow::about
