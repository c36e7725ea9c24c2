// A new control's initial settings, and the reading and writing of the stored keys.
#include <memory>

#include "kestrow/control/text.h"
#include "control/text_internals.h"
#include "value_types.h"
#include "kestrow/host/values/host_error.h"

namespace kestrow::control {

using host::Variant;

namespace {

// The host's system colours: window background and window text.
constexpr std::uint32_t kWindowBackground = 0x80000005u;
constexpr std::uint32_t kWindowText = 0x80000008u;

Variant Colour(std::uint32_t colour) { return Variant::Long(static_cast<std::int32_t>(colour)); }
Variant Str(std::u16string_view text) { return Variant::String(std::u16string(text)); }
Variant Int(std::int16_t value) { return Variant::Integer(value); }
Variant Bool(bool value) { return Variant::Boolean(value); }

std::shared_ptr<host::Font> FontOf(const Variant& value) {
  auto font = ObjectOf<host::Font>(value);
  if (!font) host::errors::RaiseTypeMismatch();
  return font;
}

}  // namespace

void Text::InitProperties() {
  engine::FormatMembers& m = engine_->MembersForLoading();
  m.m_DataType = engine::dtAlphaNumeric;
  m.m_InputFormat = engine::dtAlphaDigitSpaceSymbol;
  m.m_DisplayFormat = engine::dtNone;
  m.m_PadChar.clear();
  m.m_Mask = u"XXXXXXXXXX";
  m.m_DisplayMask.clear();
  m.m_AutoTab = true;
  m.m_AutoSelect = true;
  m.m_DecimalPlaces = 0;
  m.m_Length = 10;
  m.m_Value = Variant::String(u"");
  m.m_HasFocus = false;
  m.m_EditTemplate = std::u16string(10, u' ');
}

void Text::ReadProperties(host::PropertyBag& bag) {
  ReadBoxProperties(bag);
  ReadFormatProperties(bag);
  // A hand-edited or foreign form may hold lengths the type cannot take; typing would lose them.
  engine_->BringIntoTypeBounds();
  engine_->RebuildMask();
  engine::FormatMembers& m = engine_->MembersForLoading();
  if (m.m_DataType == engine::dtPassword) {
    text1_.SetPasswordChar(m.m_PadChar);
  } else if (m.m_Value.IsNull() && m.m_DataType == engine::dtLogical) {
    m.m_Value = Variant::Integer(0);
  }
  engine_->RefreshDisplay();
  // The stored selected text is already part of the stored value: inserting it again would
  // duplicate it, so only its type is checked and the selection is restored by its bounds.
  host::ToText(bag.ReadProperty("SelText", Str(u"")));
  text1_.SetSelStart(host::ToLong(bag.ReadProperty("SelStart", Int(0))));
  text1_.SetSelLength(host::ToLong(bag.ReadProperty("SelLength", Int(0))));
  border_style_ = host::ToInteger(bag.ReadProperty("BorderStyle", Int(kBorderFixedSingle)));
  // Kept after the stored keys of old forms, which lack them.
  text1_.SetForeColor(ToColour(bag.ReadProperty("ForeColor", Colour(kWindowText))));
  appearance_ = host::ToInteger(bag.ReadProperty("Appearance", Int(kAppearanceThreeD)));
  foreign_keys_ = bag.EntriesNotRead();
}

// Each key goes to the inner box as soon as it is read; the single font keys come after the font
// object and so have the last word.
void Text::ReadBoxProperties(host::PropertyBag& bag) {
  text1_.SetBackColor(ToColour(bag.ReadProperty("BackColor", Colour(kWindowBackground))));
  text1_.SetEnabled(host::ToBoolean(bag.ReadProperty("Enabled", Bool(true))));
  text1_.SetFont(FontOf(bag.ReadProperty("Font", Variant::Object(site_.AmbientFont()))));
  text1_.SetLinkItem(host::ToText(bag.ReadProperty("LinkItem", Str(u""))));
  text1_.SetLinkMode(host::ToInteger(bag.ReadProperty("LinkMode", Int(0))));
  text1_.SetLinkTimeout(host::ToInteger(bag.ReadProperty("LinkTimeout", Int(50))));
  text1_.SetLinkTopic(host::ToText(bag.ReadProperty("LinkTopic", Str(u""))));
  text1_.SetLocked(host::ToBoolean(bag.ReadProperty("Locked", Bool(false))));
  SetMouseIcon(PictureOf(bag.ReadProperty("MouseIcon", Variant::Object(nullptr))));
  text1_.SetMousePointer(host::ToInteger(bag.ReadProperty("MousePointer", Int(0))));
  text1_.SetText(host::ToText(bag.ReadProperty("Text", Str(u""))));
  text1_.SetRightToLeft(host::ToBoolean(bag.ReadProperty("RightToLeft", Bool(false))));
  text1_.SetOLEDropMode(host::ToInteger(bag.ReadProperty("OLEDropMode", Int(0))));
  text1_.SetOLEDragMode(host::ToInteger(bag.ReadProperty("OLEDragMode", Int(0))));
  text1_.SetAlignment(host::ToInteger(bag.ReadProperty("Alignment", Int(0))));
  text1_.SetFontUnderline(host::ToBoolean(bag.ReadProperty("FontUnderline", Int(0))));
  text1_.SetFontStrikethru(host::ToBoolean(bag.ReadProperty("FontStrikethru", Int(0))));
  text1_.SetFontSize(host::ToSingle(bag.ReadProperty("FontSize", Int(0))));
  text1_.SetFontName(host::ToText(bag.ReadProperty("FontName", Str(u""))));
  text1_.SetFontItalic(host::ToBoolean(bag.ReadProperty("FontItalic", Int(0))));
  text1_.SetFontBold(host::ToBoolean(bag.ReadProperty("FontBold", Int(0))));
}

// Stored settings are taken as they are: no setter runs; only the type's bounds are applied after.
void Text::ReadFormatProperties(host::PropertyBag& bag) {
  engine::FormatMembers& m = engine_->MembersForLoading();
  m.m_DataType = host::ToInteger(bag.ReadProperty("DataType", Int(engine::dtAlphaNumeric)));
  m.m_InputFormat = host::ToInteger(bag.ReadProperty("InputFormat", Int(engine::dtAlphaDigitSpaceSymbol)));
  m.m_DisplayFormat = host::ToInteger(bag.ReadProperty("DisplayFormat", Int(engine::dtNone)));
  m.m_PadChar = host::ToText(bag.ReadProperty("PadChar", Str(u"")));
  m.m_Mask = host::ToText(bag.ReadProperty("Mask", Str(u"XXXXXXXXXX")));
  m.m_DisplayMask = host::ToText(bag.ReadProperty("DisplayMask", Str(u"")));
  m.m_AutoTab = host::ToBoolean(bag.ReadProperty("AutoTab", Bool(true)));
  m.m_AutoSelect = host::ToBoolean(bag.ReadProperty("AutoSelect", Bool(true)));
  m.m_DecimalPlaces = host::ToInteger(bag.ReadProperty("DecimalPlaces", Int(0)));
  m.m_Length = host::ToInteger(bag.ReadProperty("Length", Int(10)));
  m.m_Value = bag.ReadProperty("Value", Str(u""));
}

void Text::WriteProperties(host::PropertyBag& bag) const {
  const std::shared_ptr<host::Font> font = text1_.GetFont();
  const engine::FormatMembers& m = engine_->Members();
  bag.WriteProperty("BackColor", Colour(text1_.BackColor()), Colour(kWindowBackground));
  bag.WriteProperty("Enabled", Bool(text1_.Enabled()), Bool(true));
  bag.WriteProperty("Font", Variant::Object(font), Variant::Object(site_.AmbientFont()));
  bag.WriteProperty("LinkItem", Str(text1_.LinkItem()), Str(u""));
  bag.WriteProperty("LinkMode", Int(text1_.LinkMode()), Int(0));
  bag.WriteProperty("LinkTimeout", Int(text1_.LinkTimeout()), Int(50));
  bag.WriteProperty("LinkTopic", Str(text1_.LinkTopic()), Str(u""));
  bag.WriteProperty("Locked", Bool(text1_.Locked()), Bool(false));
  bag.WriteProperty("MouseIcon", Variant::Object(MouseIcon()), Variant::Object(nullptr));
  bag.WriteProperty("MousePointer", Int(text1_.MousePointer()), Int(0));
  bag.WriteProperty("Text", Str(text1_.Text()), Str(u""));
  bag.WriteProperty("RightToLeft", Bool(text1_.RightToLeft()), Bool(false));
  bag.WriteProperty("OLEDropMode", Int(text1_.OLEDropMode()), Int(0));
  bag.WriteProperty("OLEDragMode", Int(text1_.OLEDragMode()), Int(0));
  bag.WriteProperty("Alignment", Int(text1_.Alignment()), Int(0));
  bag.WriteProperty("FontUnderline", Bool(font->underline), Int(0));
  bag.WriteProperty("FontStrikethru", Bool(font->strikethrough), Int(0));
  bag.WriteProperty("FontSize", Variant::Single(font->size), Int(0));
  bag.WriteProperty("FontName", Str(font->name), Str(u""));
  bag.WriteProperty("FontItalic", Bool(font->italic), Int(0));
  bag.WriteProperty("FontBold", Bool(font->bold), Int(0));
  bag.WriteProperty("DataType", Int(m.m_DataType), Int(engine::dtAlphaNumeric));
  bag.WriteProperty("InputFormat", Int(m.m_InputFormat), Int(engine::dtAlphaDigitSpaceSymbol));
  bag.WriteProperty("DisplayFormat", Int(m.m_DisplayFormat), Int(engine::dtNone));
  bag.WriteProperty("PadChar", Str(m.m_PadChar), Str(u""));
  bag.WriteProperty("Mask", Str(m.m_Mask), Str(u"XXXXXXXXXX"));
  bag.WriteProperty("DisplayMask", Str(m.m_DisplayMask), Str(u""));
  bag.WriteProperty("AutoTab", Bool(m.m_AutoTab), Bool(true));
  bag.WriteProperty("AutoSelect", Bool(m.m_AutoSelect), Bool(true));
  bag.WriteProperty("DecimalPlaces", Int(m.m_DecimalPlaces), Int(0));
  bag.WriteProperty("Length", Int(m.m_Length), Int(10));
  bag.WriteProperty("Value", m.m_Value, Str(u""));
  bag.WriteProperty("SelText", Str(text1_.SelText()), Str(u""));
  bag.WriteProperty("SelStart", Variant::Long(text1_.SelStart()), Int(0));
  bag.WriteProperty("SelLength", Variant::Long(text1_.SelLength()), Int(0));
  bag.WriteProperty("BorderStyle", Int(border_style_), Int(kBorderFixedSingle));
  bag.WriteProperty("ForeColor", Colour(text1_.ForeColor()), Colour(kWindowText));
  bag.WriteProperty("Appearance", Int(appearance_), Int(kAppearanceThreeD));
  for (const auto& [key, value] : foreign_keys_) bag.WriteProperty(key, value, value);
}

}  // namespace kestrow::control
