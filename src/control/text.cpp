// The control's interface members: thin delegations to the inner box with their reports, the two
// refused setters, the sizing of the inner box and the passing on of its click and mouse events.
#include "kestrow/control/text.h"

#include <array>
#include <atomic>
#include <climits>

#include "kestrow/about/about_form.h"
#include "kestrow/host/host_error.h"

namespace kestrow::control {

namespace {

constexpr std::int32_t kMinimumWidth = 250;
constexpr std::int32_t kMinimumHeight = 285;
constexpr std::int32_t kInnerBoxMargin = 50;

std::atomic<int> live_texts{0};

std::int16_t NarrowTo16(std::int32_t value) {
  if (value < SHRT_MIN || value > SHRT_MAX) host::errors::RaiseOverflow();
  return static_cast<std::int16_t>(value);
}

}  // namespace

Text::Text(host::ControlSite& site, host::EditBox& text1) : site_(site), text1_(text1), engine_(text1, site) {
  text1_.SetEventHandler(this);
  ++live_texts;
}

Text::~Text() {
  text1_.SetEventHandler(nullptr);
  --live_texts;
}

int Text::LiveCount() { return live_texts; }

void Text::SetBackColor(std::uint32_t New_BackColor) {
  text1_.SetBackColor(New_BackColor);
  Report("BackColor");
}

void Text::SetEnabled(bool New_Enabled) {
  text1_.SetEnabled(New_Enabled);
  Report("Enabled");
}

void Text::SetFont(std::shared_ptr<host::Font> New_Font) {
  text1_.SetFont(std::move(New_Font));
  Report("Font");
}

void Text::SetLinkItem(std::u16string_view New_LinkItem) {
  text1_.SetLinkItem(New_LinkItem);
  Report("LinkItem");
}

void Text::SetLinkMode(std::int16_t New_LinkMode) {
  text1_.SetLinkMode(New_LinkMode);
  Report("LinkMode");
}

void Text::SetLinkTimeout(std::int16_t New_LinkTimeout) {
  text1_.SetLinkTimeout(New_LinkTimeout);
  Report("LinkTimeout");
}

void Text::SetLinkTopic(std::u16string_view New_LinkTopic) {
  text1_.SetLinkTopic(New_LinkTopic);
  Report("LinkTopic");
}

void Text::SetLocked(bool New_Locked) {
  text1_.SetLocked(New_Locked);
  Report("Locked");
}

void Text::SetMouseIcon(std::shared_ptr<host::Picture> New_MouseIcon) {
  text1_.SetMouseIcon(std::move(New_MouseIcon));
  Report("MouseIcon");
}

void Text::SetMousePointer(std::int16_t New_MousePointer) {
  text1_.SetMousePointer(New_MousePointer);
  Report("MousePointer");
}

void Text::SetText(std::u16string_view /*New_Text*/) {
  site_.MsgBox(u"Property is Read Only", host::buttons::kOkOnly, std::nullopt);
}

void Text::SetRightToLeft(bool New_RightToLeft) {
  text1_.SetRightToLeft(New_RightToLeft);
  Report("RightToLeft");
}

void Text::SetOLEDropMode(std::int16_t New_OLEDropMode) {
  text1_.SetOLEDropMode(New_OLEDropMode);
  Report("OLEDropMode");
}

void Text::SetOLEDragMode(std::int16_t New_OLEDragMode) {
  text1_.SetOLEDragMode(New_OLEDragMode);
  Report("OLEDragMode");
}

void Text::SetForeColor(std::uint32_t New_ForeColor) {
  text1_.SetForeColor(New_ForeColor);
  Report("ForeColor");
}

void Text::SetFontUnderline(bool New_FontUnderline) {
  text1_.SetFontUnderline(New_FontUnderline);
  Report("FontUnderline");
}

void Text::SetFontStrikethru(bool New_FontStrikethru) {
  text1_.SetFontStrikethru(New_FontStrikethru);
  Report("FontStrikethru");
}

void Text::SetFontSize(float New_FontSize) {
  text1_.SetFontSize(New_FontSize);
  Report("FontSize");
}

void Text::SetFontName(std::u16string_view New_FontName) {
  text1_.SetFontName(New_FontName);
  Report("FontName");
}

void Text::SetFontItalic(bool New_FontItalic) {
  text1_.SetFontItalic(New_FontItalic);
  Report("FontItalic");
}

void Text::SetFontBold(bool New_FontBold) {
  text1_.SetFontBold(New_FontBold);
  Report("FontBold");
}

void Text::SetSelText(std::u16string_view /*New_SelText*/) {
  site_.MsgBox(u"Property is Read Only", host::buttons::kCritical, u"Valid Text Box");
}

void Text::SetSelStart(std::int32_t New_SelStart) {
  text1_.SetSelStart(New_SelStart);
  Report("SelStart");
}

void Text::SetSelLength(std::int32_t New_SelLength) {
  text1_.SetSelLength(New_SelLength);
  Report("SelLength");
}

void Text::SetBorderStyle(std::int32_t New_BorderStyle) {
  border_style_ = NarrowTo16(New_BorderStyle);
  Report("BorderStyle");
}

void Text::SetAppearance(std::int32_t New_Appearance) {
  appearance_ = NarrowTo16(New_Appearance);
  Report("Appearance");
}

void Text::ShowTalmoBox() { about::ShowAboutBox(site_); }

// --- Sizing ------------------------------------------------------------------------------------

void Text::Resize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
  UserControl_Resize();
}

// Setting the control's own size raises the resize notification again; each run reads the size
// afresh, so the outer run ends with the inner box fitted to the final size as well.
void Text::SetControlWidth(std::int32_t width) {
  if (width == width_) return;
  width_ = width;
  UserControl_Resize();
}

void Text::SetControlHeight(std::int32_t height) {
  if (height == height_) return;
  height_ = height;
  UserControl_Resize();
}

void Text::UserControl_Resize() {
  if (height_ < kMinimumHeight) SetControlHeight(kMinimumHeight);
  if (width_ < kMinimumWidth) SetControlWidth(kMinimumWidth);
  text1_.SetHeight(height_);
  text1_.SetWidth(width_ - kInnerBoxMargin);
}

// --- Events passed on --------------------------------------------------------------------------

void Text::Click() { site_.RaiseEvent("Click", {}); }

void Text::DblClick() { site_.RaiseEvent("DblClick", {}); }

void Text::MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) { RaiseMouseEvent("MouseDown", button, shift, x, y); }

void Text::MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) { RaiseMouseEvent("MouseMove", button, shift, x, y); }

void Text::MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) { RaiseMouseEvent("MouseUp", button, shift, x, y); }

void Text::RaiseMouseEvent(std::string_view event, std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  std::array<host::EventArg, 4> args{{{"Button", host::Variant::Integer(button)},
                                      {"Shift", host::Variant::Integer(shift)},
                                      {"X", host::Variant::Single(x)},
                                      {"Y", host::Variant::Single(y)}}};
  site_.RaiseEvent(event, args);
  button = host::ToInteger(args[0].value);
  shift = host::ToInteger(args[1].value);
  x = host::ToSingle(args[2].value);
  y = host::ToSingle(args[3].value);
}

Text& AddText(host::HeadlessForm& form, std::u16string name) {
  return static_cast<Text&>(form.AddControl(std::move(name), [](host::ControlSite& site, host::EditBox& box) {
    return std::make_unique<Text>(site, box);
  }));
}

}  // namespace kestrow::control
