// The Text control: its interface _Text, the sizing of the inner edit box, the passing on of the
// box's events, and the persistence of its settings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/engine/text_engine.h"
#include "kestrow/host/control_site.h"
#include "kestrow/host/dispatchable.h"
#include "kestrow/host/edit_box.h"
#include "kestrow/host/headless_form.h"
#include "kestrow/host/objects.h"
#include "kestrow/host/property_bag.h"
#include "kestrow/host/variant.h"

namespace kestrow::control {

// vbBorderStyleConstants and vbAppearanceConstants.
inline constexpr std::int32_t kBorderNone = 0;
inline constexpr std::int32_t kBorderFixedSingle = 1;
inline constexpr std::int32_t kAppearanceFlat = 0;
inline constexpr std::int32_t kAppearanceThreeD = 1;

// Late bound too: a property page or any caller that knows only names reads and assigns the
// properties of _Text by name, with the host's conversions.
class Text final : public host::Component, public host::Dispatchable, private host::EditBoxEvents {
 public:
  Text(host::ControlSite& site, host::EditBox& text1);
  ~Text() override;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  // --- _Text, in slot order ----------------------------------------------------------------
  std::uint32_t BackColor() const { return text1_.BackColor(); }
  void SetBackColor(std::uint32_t New_BackColor);
  bool Enabled() const { return text1_.Enabled(); }
  void SetEnabled(bool New_Enabled);
  std::shared_ptr<host::Font> Font() const { return text1_.GetFont(); }
  void SetFont(std::shared_ptr<host::Font> New_Font);
  void Refresh() { text1_.Refresh(); }
  const std::u16string& LinkItem() const { return text1_.LinkItem(); }
  void SetLinkItem(std::u16string_view New_LinkItem);
  std::int16_t LinkMode() const { return text1_.LinkMode(); }
  void SetLinkMode(std::int16_t New_LinkMode);
  std::int16_t LinkTimeout() const { return text1_.LinkTimeout(); }
  void SetLinkTimeout(std::int16_t New_LinkTimeout);
  const std::u16string& LinkTopic() const { return text1_.LinkTopic(); }
  void SetLinkTopic(std::u16string_view New_LinkTopic);
  bool Locked() const { return text1_.Locked(); }
  void SetLocked(bool New_Locked);
  std::shared_ptr<host::Picture> MouseIcon() const { return text1_.MouseIcon(); }
  void SetMouseIcon(std::shared_ptr<host::Picture> New_MouseIcon);
  std::int16_t MousePointer() const { return text1_.MousePointer(); }
  void SetMousePointer(std::int16_t New_MousePointer);
  std::int16_t ScrollBars() const { return text1_.ScrollBars(); }
  const std::u16string& GetText() const { return text1_.Text(); }
  // Refused: the text changes only through the control's own work.
  void SetText(std::u16string_view New_Text);
  bool RightToLeft() const { return text1_.RightToLeft(); }
  void SetRightToLeft(bool New_RightToLeft);
  std::int16_t OLEDropMode() const { return text1_.OLEDropMode(); }
  void SetOLEDropMode(std::int16_t New_OLEDropMode);
  std::int16_t OLEDragMode() const { return text1_.OLEDragMode(); }
  void SetOLEDragMode(std::int16_t New_OLEDragMode);
  std::int32_t Alignment() const { return engine_.Alignment(); }
  void SetAlignment(std::int32_t New_Alignment) { engine_.SetAlignment(New_Alignment); }
  std::uint32_t ForeColor() const { return text1_.ForeColor(); }
  void SetForeColor(std::uint32_t New_ForeColor);
  bool FontUnderline() const { return Font()->underline; }
  void SetFontUnderline(bool New_FontUnderline);
  bool FontStrikethru() const { return Font()->strikethrough; }
  void SetFontStrikethru(bool New_FontStrikethru);
  float FontSize() const { return Font()->size; }
  void SetFontSize(float New_FontSize);
  const std::u16string& FontName() const { return Font()->name; }
  void SetFontName(std::u16string_view New_FontName);
  bool FontItalic() const { return Font()->italic; }
  void SetFontItalic(bool New_FontItalic);
  bool FontBold() const { return Font()->bold; }
  void SetFontBold(bool New_FontBold);
  // DataType to Value: the format model.
  engine::TextEngine& Engine() { return engine_; }
  const engine::TextEngine& Engine() const { return engine_; }
  std::u16string SelText() const { return text1_.SelText(); }
  // Refused, like Text.
  void SetSelText(std::u16string_view New_SelText);
  std::int32_t SelStart() const { return text1_.SelStart(); }
  void SetSelStart(std::int32_t New_SelStart);
  std::int32_t SelLength() const { return text1_.SelLength(); }
  void SetSelLength(std::int32_t New_SelLength);
  std::int32_t BorderStyle() const { return border_style_; }
  void SetBorderStyle(std::int32_t New_BorderStyle);
  void ShowTalmoBox();
  std::int32_t Appearance() const { return appearance_; }
  void SetAppearance(std::int32_t New_Appearance);

  // --- The container's notifications ---------------------------------------------------------
  void InitProperties();
  void ReadProperties(host::PropertyBag& bag);
  void WriteProperties(host::PropertyBag& bag) const;
  // The host sizes the control (twips), then the control sizes its inner box.
  void Resize(std::int32_t width, std::int32_t height);
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  host::EditBox& Text1() { return text1_; }
  const host::EditBox& Text1() const { return text1_; }

  // Live Text controls, for the library's unload check.
  static int LiveCount();

  // host::Dispatchable, by the members of _Text (kestrow/control/dispatch.h).
  host::Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const host::Variant& value) override;

 private:
  // Text1's events: focus, keys, pastes and changes go to the engine; clicks and the mouse go on
  // to the application with the inner box's own coordinates.
  void GotFocus() override { engine_.Text1_GotFocus(); }
  void LostFocus() override { engine_.Text1_LostFocus(); }
  void Change() override { engine_.Text1_Change(); }
  void KeyPress(std::int16_t& keyAscii) override { engine_.Text1_KeyPress(keyAscii); }
  void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override { engine_.Text1_KeyDown(keyCode, shift); }
  void KeyUp(std::int16_t& keyCode, std::int16_t& shift) override { engine_.Text1_KeyUp(keyCode, shift); }
  // The host's paste command goes through the field's own paste, never the box's.
  void Paste(std::u16string& text) override {
    engine_.Paste(text);
    text.clear();
  }
  void Click() override;
  void DblClick() override;
  void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void RaiseMouseEvent(host::EventName event, std::int16_t& button, std::int16_t& shift, float& x, float& y);

  void UserControl_Resize();
  void SetControlWidth(std::int32_t width);
  void SetControlHeight(std::int32_t height);
  void Report(std::string_view property) { site_.PropertyChanged(property); }
  // A delegated setter: the inner box takes the value (or raises its error), then the report.
  // (`Box` is the edit box or the state every host control has.)
  template <typename Box, typename Value>
  void OnBox(void (Box::*setter)(Value), Value value, std::string_view property) {
    (text1_.*setter)(std::move(value));
    Report(property);
  }

  void ReadBoxProperties(host::PropertyBag& bag);
  void ReadFormatProperties(host::PropertyBag& bag);

  host::ControlSite& site_;
  host::EditBox& text1_;
  engine::TextEngine engine_;
  std::int16_t border_style_ = kBorderFixedSingle;
  std::int16_t appearance_ = kAppearanceThreeD;
  // Stored keys this version does not know (written by a later one), written back as they came.
  std::vector<host::PropertyBag::Entry> foreign_keys_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

// Places a Text control on a headless form.
Text& AddText(host::HeadlessForm& form, std::u16string name);

}  // namespace kestrow::control
