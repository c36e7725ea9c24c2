// The Text control, one object a field: its interface _Text (the appearance it hands to its inner
// edit box, its format typed, its value), its events, the sizing of the inner box, and the
// persistence of its settings.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/formats.h"
#include "kestrow/host/controls/edit_box.h"
#include "kestrow/host/forms/control_site.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/storage/property_bag.h"
#include "kestrow/host/values/dispatchable.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::engine {
class TextEngine;
}

namespace kestrow::control {

// vbBorderStyleConstants and vbAppearanceConstants.
inline constexpr std::int32_t kBorderNone = 0;
inline constexpr std::int32_t kBorderFixedSingle = 1;
inline constexpr std::int32_t kAppearanceFlat = 0;
inline constexpr std::int32_t kAppearanceThreeD = 1;

// Late bound too: a property page or any caller that knows only names reads and assigns the
// properties of _Text by name, with the host's conversions. Once it has an event handler of its
// own, the control stands between its format engine and the host as the site the engine reports
// to, so that the handler hears what the engine raises.
class Text final : public host::Component,
                   public host::Dispatchable,
                   private host::EditBoxEvents,
                   private host::ControlSite {
 public:
  // The application's handler of this field's events (Change, KeyPress, ...): it hears them after
  // the host, and by-reference arguments it changes go back to the control.
  using EventHandler = std::function<void(std::string_view event, std::span<host::EventArg> args)>;

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
  std::int32_t Alignment() const { return text1_.Alignment(); }
  void SetAlignment(std::int32_t New_Alignment);
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
  // The format, each setting checked against the others; a setting that does not fit is refused
  // with a message box and changes nothing.
  control::DataType DataType() const;
  void SetDataType(control::DataType New_DataType);
  control::InputFormat InputFormat() const;
  void SetInputFormat(control::InputFormat New_InputFormat);
  control::DisplayFormat DisplayFormat() const;
  void SetDisplayFormat(control::DisplayFormat New_DisplayFormat);
  const std::u16string& PadChar() const;
  void SetPadChar(std::u16string_view New_PadChar);
  const std::u16string& Mask() const;
  void SetMask(std::u16string_view New_Mask);
  bool AutoTab() const;
  void SetAutoTab(bool New_AutoTab);
  bool AutoSelect() const;
  void SetAutoSelect(bool New_AutoSelect);
  std::int16_t Length() const;
  void SetLength(std::int16_t New_Length);
  std::int16_t DecimalPlaces() const;
  void SetDecimalPlaces(std::int16_t New_DecimalPlaces);
  // Read while the field is edited, the value is converted from the text at that moment.
  host::Variant Value();
  void SetValue(const host::Variant& New_Value);
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

  void SetEventHandler(EventHandler handler);

  // Live Text controls, for the library's unload check.
  static int LiveCount();

  // host::Dispatchable, by the members of _Text (kestrow/control/dispatch.h).
  host::Variant GetProperty(std::string_view name) override;
  void PutProperty(std::string_view name, const host::Variant& value) override;

 private:
  // The property table reads and writes the settings the control keeps, without reports.
  friend class PropertyTable;
  friend engine::TextEngine& EngineOf(Text& text);
  friend const engine::TextEngine& EngineOf(const Text& text);
  friend host::EditBox& Text1Of(Text& text);
  friend const host::EditBox& Text1Of(const Text& text);

  // Text1's events: focus, keys, pastes and changes go to the engine (the host's paste command
  // through the field's own paste, never the box's); clicks and the mouse go on to the
  // application with the inner box's own coordinates.
  void GotFocus() override;
  void LostFocus() override;
  void Change() override;
  void KeyPress(std::int16_t& keyAscii) override;
  void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override;
  void KeyUp(std::int16_t& keyCode, std::int16_t& shift) override;
  void Paste(std::u16string& text) override;
  void Click() override;
  void DblClick() override;
  void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) override;
  void RaiseMouseEvent(host::EventName event, std::int16_t& button, std::int16_t& shift, float& x, float& y);

  void UserControl_Resize();
  void SetControlWidth(std::int32_t width);
  void SetControlHeight(std::int32_t height);
  // host::ControlSite, for the engine: the container's services, and events to the application's
  // own handler as well.
  void PropertyChanged(std::string_view property) override { site_.PropertyChanged(property); }
  void RaiseEvent(host::EventName event, std::span<host::EventArg> args) override;
  void SendKeys(std::u16string_view keys) override { site_.SendKeys(keys); }
  int MsgBox(std::u16string_view prompt, int buttons, std::optional<std::u16string_view> caption) override {
    return site_.MsgBox(prompt, buttons, caption);
  }
  std::shared_ptr<host::Font> AmbientFont() override { return site_.AmbientFont(); }
  void ShowModal(host::DialogForm& dialog) override { site_.ShowModal(dialog); }

  void Report(std::string_view property) { site_.PropertyChanged(property); }
  // A delegated setter: the inner box takes the value (or raises its error), then the report.
  // (`Box` is the edit box or the state every host control has.)
  template <typename Box, typename Value>
  void OnBox(void (Box::*setter)(Value), Value value, std::string_view property) {
    (text1_.*setter)(std::move(value));
    Report(property);
  }

  host::ControlSite& site_;
  host::EditBox& text1_;
  std::unique_ptr<engine::TextEngine> engine_;
  EventHandler event_handler_;
  std::int16_t border_style_ = kBorderFixedSingle;
  std::int16_t appearance_ = kAppearanceThreeD;
  // Stored keys this version does not know (written by a later one), written back as they came.
  std::vector<host::PropertyBag::Entry> foreign_keys_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

// Places a Text control on a headless form.
Text& AddText(host::Form& form, std::u16string name);

}  // namespace kestrow::control
