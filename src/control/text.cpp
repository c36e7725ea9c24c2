// The control's interface members: thin delegations to the inner box with their reports, the
// format handed to the engine typed, the two refused setters, the sizing of the inner box and the
// passing on of its events.
#include "kestrow/control/text.h"

#include <array>
#include <atomic>
#include <climits>

#include "about/about_form.h"
#include "control/text_internals.h"
#include "kestrow/host/values/host_error.h"

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

Text::Text(host::ControlSite& site, host::EditBox& text1)
    : site_(site), text1_(text1), engine_(std::make_unique<engine::TextEngine>(text1, site)) {
  InitProperties();
  text1_.SetEventHandler(this);
  ++live_texts;
}

// The typed format is the stored one: the same numbers.
static_assert(static_cast<int>(control::DataType::Logical) == engine::dtLogical);
static_assert(static_cast<int>(control::InputFormat::YesNoFormat) == engine::dtYesNoFormat);
static_assert(static_cast<int>(control::DisplayFormat::DotSeparator) == engine::dtDotSeparator);

Text::~Text() {
  text1_.SetEventHandler(nullptr);
  --live_texts;
}

int Text::LiveCount() { return live_texts; }

engine::TextEngine& EngineOf(Text& text) { return *text.engine_; }
const engine::TextEngine& EngineOf(const Text& text) { return *text.engine_; }
host::EditBox& Text1Of(Text& text) { return text.text1_; }
const host::EditBox& Text1Of(const Text& text) { return text.text1_; }

void Text::SetBackColor(std::uint32_t New_BackColor) {
  OnBox(&host::EditBox::SetBackColor, New_BackColor, "BackColor");
}

void Text::SetEnabled(bool New_Enabled) { OnBox(&host::EditBox::SetEnabled, New_Enabled, "Enabled"); }

void Text::SetFont(std::shared_ptr<host::Font> New_Font) { OnBox(&host::EditBox::SetFont, New_Font, "Font"); }

void Text::SetLinkItem(std::u16string_view New_LinkItem) {
  OnBox(&host::EditBox::SetLinkItem, New_LinkItem, "LinkItem");
}

void Text::SetLinkMode(std::int16_t New_LinkMode) { OnBox(&host::EditBox::SetLinkMode, New_LinkMode, "LinkMode"); }

void Text::SetLinkTimeout(std::int16_t New_LinkTimeout) {
  OnBox(&host::EditBox::SetLinkTimeout, New_LinkTimeout, "LinkTimeout");
}

void Text::SetLinkTopic(std::u16string_view New_LinkTopic) {
  OnBox(&host::EditBox::SetLinkTopic, New_LinkTopic, "LinkTopic");
}

void Text::SetLocked(bool New_Locked) { OnBox(&host::EditBox::SetLocked, New_Locked, "Locked"); }

void Text::SetMouseIcon(std::shared_ptr<host::Picture> New_MouseIcon) {
  OnBox(&host::EditBox::SetMouseIcon, New_MouseIcon, "MouseIcon");
}

void Text::SetMousePointer(std::int16_t New_MousePointer) {
  OnBox(&host::EditBox::SetMousePointer, New_MousePointer, "MousePointer");
}

void Text::SetText(std::u16string_view /*New_Text*/) {
  site_.MsgBox(u"Property is Read Only", host::buttons::kOkOnly, std::nullopt);
}

void Text::SetRightToLeft(bool New_RightToLeft) {
  OnBox(&host::EditBox::SetRightToLeft, New_RightToLeft, "RightToLeft");
}

void Text::SetOLEDropMode(std::int16_t New_OLEDropMode) {
  OnBox(&host::EditBox::SetOLEDropMode, New_OLEDropMode, "OLEDropMode");
}

void Text::SetOLEDragMode(std::int16_t New_OLEDragMode) {
  OnBox(&host::EditBox::SetOLEDragMode, New_OLEDragMode, "OLEDragMode");
}

void Text::SetForeColor(std::uint32_t New_ForeColor) {
  OnBox(&host::EditBox::SetForeColor, New_ForeColor, "ForeColor");
}

void Text::SetFontUnderline(bool New_FontUnderline) {
  OnBox(&host::EditBox::SetFontUnderline, New_FontUnderline, "FontUnderline");
}

void Text::SetFontStrikethru(bool New_FontStrikethru) {
  OnBox(&host::EditBox::SetFontStrikethru, New_FontStrikethru, "FontStrikethru");
}

void Text::SetFontSize(float New_FontSize) { OnBox(&host::EditBox::SetFontSize, New_FontSize, "FontSize"); }

void Text::SetFontName(std::u16string_view New_FontName) {
  OnBox(&host::EditBox::SetFontName, New_FontName, "FontName");
}

void Text::SetFontItalic(bool New_FontItalic) { OnBox(&host::EditBox::SetFontItalic, New_FontItalic, "FontItalic"); }

void Text::SetFontBold(bool New_FontBold) { OnBox(&host::EditBox::SetFontBold, New_FontBold, "FontBold"); }

void Text::SetAlignment(std::int32_t New_Alignment) { engine_->SetAlignment(New_Alignment); }

// --- The format, typed -------------------------------------------------------------------------

control::DataType Text::DataType() const { return static_cast<control::DataType>(engine_->DataType()); }
void Text::SetDataType(control::DataType New_DataType) {
  engine_->SetDataType(static_cast<std::int32_t>(New_DataType));
}
control::InputFormat Text::InputFormat() const { return static_cast<control::InputFormat>(engine_->InputFormat()); }
void Text::SetInputFormat(control::InputFormat New_InputFormat) {
  engine_->SetInputFormat(static_cast<std::int32_t>(New_InputFormat));
}
control::DisplayFormat Text::DisplayFormat() const {
  return static_cast<control::DisplayFormat>(engine_->DisplayFormat());
}
void Text::SetDisplayFormat(control::DisplayFormat New_DisplayFormat) {
  engine_->SetDisplayFormat(static_cast<std::int32_t>(New_DisplayFormat));
}
const std::u16string& Text::PadChar() const { return engine_->PadChar(); }
void Text::SetPadChar(std::u16string_view New_PadChar) { engine_->SetPadChar(New_PadChar); }
const std::u16string& Text::Mask() const { return engine_->Mask(); }
void Text::SetMask(std::u16string_view New_Mask) { engine_->SetMask(New_Mask); }
bool Text::AutoTab() const { return engine_->AutoTab(); }
void Text::SetAutoTab(bool New_AutoTab) { engine_->SetAutoTab(New_AutoTab); }
bool Text::AutoSelect() const { return engine_->AutoSelect(); }
void Text::SetAutoSelect(bool New_AutoSelect) { engine_->SetAutoSelect(New_AutoSelect); }
std::int16_t Text::Length() const { return engine_->Length(); }
void Text::SetLength(std::int16_t New_Length) { engine_->SetLength(New_Length); }
std::int16_t Text::DecimalPlaces() const { return engine_->DecimalPlaces(); }
void Text::SetDecimalPlaces(std::int16_t New_DecimalPlaces) { engine_->SetDecimalPlaces(New_DecimalPlaces); }
host::Variant Text::Value() { return engine_->Value(); }
void Text::SetValue(const host::Variant& New_Value) { engine_->SetValue(New_Value); }

void Text::SetSelText(std::u16string_view /*New_SelText*/) {
  site_.MsgBox(u"Property is Read Only", host::buttons::kCritical, u"Valid Text Box");
}

void Text::SetSelStart(std::int32_t New_SelStart) { OnBox(&host::EditBox::SetSelStart, New_SelStart, "SelStart"); }

void Text::SetSelLength(std::int32_t New_SelLength) { OnBox(&host::EditBox::SetSelLength, New_SelLength, "SelLength"); }

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

// --- Events -------------------------------------------------------------------------------------

void Text::GotFocus() { engine_->Text1_GotFocus(); }
void Text::LostFocus() { engine_->Text1_LostFocus(); }
void Text::Change() { engine_->Text1_Change(); }
void Text::KeyPress(std::int16_t& keyAscii) { engine_->Text1_KeyPress(keyAscii); }
void Text::KeyDown(std::int16_t& keyCode, std::int16_t& shift) { engine_->Text1_KeyDown(keyCode, shift); }
void Text::KeyUp(std::int16_t& keyCode, std::int16_t& shift) { engine_->Text1_KeyUp(keyCode, shift); }

void Text::Paste(std::u16string& text) {
  engine_->Paste(text);
  text.clear();
}

// Without a handler of the field's own the engine reports to the host straight away: every key
// raises events.
void Text::SetEventHandler(EventHandler handler) {
  event_handler_ = std::move(handler);
  engine_->SetSite(event_handler_ ? static_cast<host::ControlSite&>(*this) : site_);
}

// The host first, so its record holds the arguments as raised; then the field's own handler.
void Text::RaiseEvent(host::EventName event, std::span<host::EventArg> args) {
  site_.RaiseEvent(event, args);
  if (event_handler_) event_handler_(event, args);
}

// A click that selected nothing leaves the caret where the next key can go; the application's
// handler then sees (and may move) that caret.
void Text::Click() {
  engine_->MoveCaretOffLiteral();
  RaiseEvent("Click", {});
}

void Text::DblClick() { RaiseEvent("DblClick", {}); }

void Text::MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void Text::MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  RaiseMouseEvent("MouseMove", button, shift, x, y);
}

void Text::MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void Text::RaiseMouseEvent(host::EventName event, std::int16_t& button, std::int16_t& shift, float& x, float& y) {
  std::array<host::EventArg, 4> args{{{"Button", host::Variant::Integer(button)},
                                      {"Shift", host::Variant::Integer(shift)},
                                      {"X", host::Variant::Single(x)},
                                      {"Y", host::Variant::Single(y)}}};
  RaiseEvent(event, args);
  button = host::ToInteger(args[0].value);
  shift = host::ToInteger(args[1].value);
  x = host::ToSingle(args[2].value);
  y = host::ToSingle(args[3].value);
}

Text& AddText(host::Form& form, std::u16string name) {
  return static_cast<Text&>(form.AddControl(
      std::move(name), [](host::ControlSite& site, host::EditBox& box) { return std::make_unique<Text>(site, box); }));
}

}  // namespace kestrow::control
