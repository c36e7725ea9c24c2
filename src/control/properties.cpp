#include "control/properties.h"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/format_types.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "value_types.h"

namespace kestrow::control {

using engine::FormatMembers;
using host::Variant;

namespace {

using namespace member_flags;
using VT = ValueType;

// Members without a standard dispatch identifier get this base plus their number.
constexpr std::int32_t kOwnDispidBase = 0x68030000;
constexpr std::int32_t Own(int number) { return kOwnDispidBase + number; }

constexpr unsigned kGetLet = kGet | kLet;
constexpr unsigned kGetSet = kGet | kSet;

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

// Friend of Text: the table reads and writes what the control keeps without a report.
class PropertyTable {
 public:
  static const std::vector<Property>& Rows();
};

const std::vector<Property>& PropertyTable::Rows() {
  using R = ReadStage;
  static const std::vector<Property> rows{
      {.member = {1, "BackColor", -501, VT::Colour, kGetLet, ";Appearance", "", 0},
       .get = [](Text& t) { return Colour(t.BackColor()); },
       .put = [](Text& t, const Variant& v) { t.SetBackColor(ToColour(v)); },
       .stored = {1, R::Box, [](const Text&) { return Colour(kWindowBackground); },
                  [](const Text& t, const FormatMembers&) { return Colour(t.BackColor()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetBackColor(ToColour(v)); }}},
      {.member = {2, "Enabled", -514, VT::Boolean, kGetLet, "", "", 0},
       .get = [](Text& t) { return Bool(t.Enabled()); },
       .put = [](Text& t, const Variant& v) { t.SetEnabled(host::ToBoolean(v)); },
       .stored = {2, R::Box, [](const Text&) { return Bool(true); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.Enabled()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetEnabled(host::ToBoolean(v)); }}},
      {.member = {3, "Font", -512, VT::Font, kGetSet, ";Font", "", 0},
       .get = [](Text& t) { return Variant::Object(t.Font()); },
       .put = [](Text& t, const Variant& v) { t.SetFont(ObjectOf<host::Font>(v)); },
       .stored = {3, R::Box, [](const Text& t) { return Variant::Object(t.site_.AmbientFont()); },
                  [](const Text& t, const FormatMembers&) { return Variant::Object(t.Font()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFont(FontOf(v)); }}},
      {.member = {4, "Refresh", Own(4), VT::Void, kCall, "", "", 0},
       .call = [](Text& t) { t.Refresh(); },
       .stored = {}},
      {.member = {5, "LinkItem", Own(5), VT::String, kGetLet, ";DDE", "", 0},
       .get = [](Text& t) { return Str(t.LinkItem()); },
       .put = [](Text& t, const Variant& v) { t.SetLinkItem(host::ToText(v)); },
       .stored = {4, R::Box, [](const Text&) { return Str(u""); },
                  [](const Text& t, const FormatMembers&) { return Str(t.LinkItem()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetLinkItem(host::ToText(v)); }}},
      {.member = {6, "LinkMode", Own(6), VT::Integer, kGetLet, ";DDE", "", 0},
       .get = [](Text& t) { return Int(t.LinkMode()); },
       .put = [](Text& t, const Variant& v) { t.SetLinkMode(host::ToInteger(v)); },
       .stored = {5, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Int(t.LinkMode()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetLinkMode(host::ToInteger(v)); }}},
      {.member = {7, "LinkTimeout", Own(7), VT::Integer, kGetLet, ";DDE", "", 0},
       .get = [](Text& t) { return Int(t.LinkTimeout()); },
       .put = [](Text& t, const Variant& v) { t.SetLinkTimeout(host::ToInteger(v)); },
       .stored = {6, R::Box, [](const Text&) { return Int(50); },
                  [](const Text& t, const FormatMembers&) { return Int(t.LinkTimeout()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetLinkTimeout(host::ToInteger(v)); }}},
      {.member = {8, "LinkTopic", Own(8), VT::String, kGetLet, ";DDE", "", 0},
       .get = [](Text& t) { return Str(t.LinkTopic()); },
       .put = [](Text& t, const Variant& v) { t.SetLinkTopic(host::ToText(v)); },
       .stored = {7, R::Box, [](const Text&) { return Str(u""); },
                  [](const Text& t, const FormatMembers&) { return Str(t.LinkTopic()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetLinkTopic(host::ToText(v)); }}},
      {.member = {9, "Locked", Own(9), VT::Boolean, kGetLet, ";Behavior", "", 0},
       .get = [](Text& t) { return Bool(t.Locked()); },
       .put = [](Text& t, const Variant& v) { t.SetLocked(host::ToBoolean(v)); },
       .stored = {8, R::Box, [](const Text&) { return Bool(false); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.Locked()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetLocked(host::ToBoolean(v)); }}},
      // Read through its setter, which reports it, as the control always has.
      {.member = {10, "MouseIcon", Own(10), VT::Picture, kGetSet, "StandardPicture;Misc", "", 0},
       .get = [](Text& t) { return Variant::Object(t.MouseIcon()); },
       .put = [](Text& t, const Variant& v) { t.SetMouseIcon(PictureOf(v)); },
       .stored = {9, R::Box, [](const Text&) { return Variant::Object(nullptr); },
                  [](const Text& t, const FormatMembers&) { return Variant::Object(t.MouseIcon()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.SetMouseIcon(PictureOf(v)); }}},
      {.member = {11, "MousePointer", Own(11), VT::Integer, kGetLet, ";Misc", "", 0},
       .get = [](Text& t) { return Int(t.MousePointer()); },
       .put = [](Text& t, const Variant& v) { t.SetMousePointer(host::ToInteger(v)); },
       .stored = {10, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Int(t.MousePointer()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetMousePointer(host::ToInteger(v)); }}},
      {.member = {12, "ScrollBars", Own(12), VT::Integer, kGet, "", "", 0},
       .get = [](Text& t) { return Int(t.ScrollBars()); },
       .stored = {}},
      {.member = {13, "Text", Own(13), VT::String, kGetLet, ";Text", "Returns Text inside TextBox", 0},
       .get = [](Text& t) { return Str(t.GetText()); },
       .put = [](Text& t, const Variant& v) { t.SetText(host::ToText(v)); },
       .stored = {11, R::Box, [](const Text&) { return Str(u""); },
                  [](const Text& t, const FormatMembers&) { return Str(t.GetText()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetText(host::ToText(v)); }}},
      {.member = {14, "RightToLeft", Own(14), VT::Boolean, kGetLet, "", "", 0},
       .get = [](Text& t) { return Bool(t.RightToLeft()); },
       .put = [](Text& t, const Variant& v) { t.SetRightToLeft(host::ToBoolean(v)); },
       .stored = {12, R::Box, [](const Text&) { return Bool(false); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.RightToLeft()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetRightToLeft(host::ToBoolean(v)); }}},
      {.member = {15, "OLEDropMode", Own(15), VT::Integer, kGetLet, "", "", 0},
       .get = [](Text& t) { return Int(t.OLEDropMode()); },
       .put = [](Text& t, const Variant& v) { t.SetOLEDropMode(host::ToInteger(v)); },
       .stored = {13, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Int(t.OLEDropMode()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetOLEDropMode(host::ToInteger(v)); }}},
      {.member = {16, "OLEDragMode", Own(16), VT::Integer, kGetLet, "", "", 0},
       .get = [](Text& t) { return Int(t.OLEDragMode()); },
       .put = [](Text& t, const Variant& v) { t.SetOLEDragMode(host::ToInteger(v)); },
       .stored = {14, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Int(t.OLEDragMode()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetOLEDragMode(host::ToInteger(v)); }}},
      {.member = {17, "Alignment", Own(17), VT::TextAlignment, kGetLet, ";Appearance", "", 0},
       .get = [](Text& t) { return Variant::Long(t.Alignment()); },
       .put = [](Text& t, const Variant& v) { t.SetAlignment(host::ToLong(v)); },
       .stored = {15, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Int(t.text1_.Alignment()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetAlignment(host::ToInteger(v)); }}},
      // Stored after the other keys, which old forms end with.
      {.member = {18, "ForeColor", -513, VT::Colour, kGetLet, ";Appearance", "", 0},
       .get = [](Text& t) { return Colour(t.ForeColor()); },
       .put = [](Text& t, const Variant& v) { t.SetForeColor(ToColour(v)); },
       .stored = {37, R::AfterFormat, [](const Text&) { return Colour(kWindowText); },
                  [](const Text& t, const FormatMembers&) { return Colour(t.ForeColor()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetForeColor(ToColour(v)); }}},
      // The single font keys come after the font object, and so have the last word.
      {.member = {19, "FontUnderline", Own(19), VT::Boolean, kGetLet, ";Font", "", kHidden},
       .get = [](Text& t) { return Bool(t.FontUnderline()); },
       .put = [](Text& t, const Variant& v) { t.SetFontUnderline(host::ToBoolean(v)); },
       .stored = {16, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.FontUnderline()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontUnderline(host::ToBoolean(v)); }}},
      {.member = {20, "FontStrikethru", Own(20), VT::Boolean, kGetLet, ";Font", "", kHidden},
       .get = [](Text& t) { return Bool(t.FontStrikethru()); },
       .put = [](Text& t, const Variant& v) { t.SetFontStrikethru(host::ToBoolean(v)); },
       .stored = {17, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.FontStrikethru()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontStrikethru(host::ToBoolean(v)); }}},
      {.member = {21, "FontSize", Own(21), VT::Single, kGetLet, ";Font", "", kHidden},
       .get = [](Text& t) { return Variant::Single(t.FontSize()); },
       .put = [](Text& t, const Variant& v) { t.SetFontSize(host::ToSingle(v)); },
       .stored = {18, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Variant::Single(t.FontSize()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontSize(host::ToSingle(v)); }}},
      {.member = {22, "FontName", Own(22), VT::String, kGetLet, ";Appearance", "", kHidden},
       .get = [](Text& t) { return Str(t.FontName()); },
       .put = [](Text& t, const Variant& v) { t.SetFontName(host::ToText(v)); },
       .stored = {19, R::Box, [](const Text&) { return Str(u""); },
                  [](const Text& t, const FormatMembers&) { return Str(t.FontName()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontName(host::ToText(v)); }}},
      {.member = {23, "FontItalic", Own(23), VT::Boolean, kGetLet, ";Font", "", kHidden},
       .get = [](Text& t) { return Bool(t.FontItalic()); },
       .put = [](Text& t, const Variant& v) { t.SetFontItalic(host::ToBoolean(v)); },
       .stored = {20, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.FontItalic()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontItalic(host::ToBoolean(v)); }}},
      {.member = {24, "FontBold", Own(24), VT::Boolean, kGetLet, ";Font", "", kHidden},
       .get = [](Text& t) { return Bool(t.FontBold()); },
       .put = [](Text& t, const Variant& v) { t.SetFontBold(host::ToBoolean(v)); },
       .stored = {21, R::Box, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Bool(t.FontBold()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetFontBold(host::ToBoolean(v)); }}},
      // The format: late binding passes the stored numbers, refused out of range by the setters;
      // stored settings are taken unchecked.
      {.member = {25, "DataType", Own(25), VT::DataTypes, kGetLet, "Format;Data", "", kUiDefault},
       .get = [](Text& t) { return Variant::Long(t.engine_->DataType()); },
       .put = [](Text& t, const Variant& v) { t.engine_->SetDataType(host::ToLong(v)); },
       .stored = {22, R::Format, [](const Text&) { return Int(engine::dtAlphaNumeric); },
                  [](const Text&, const FormatMembers& m) { return Int(m.m_DataType); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_DataType = host::ToInteger(v); }}},
      {.member = {26, "InputFormat", Own(26), VT::InputFormats, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Variant::Long(t.engine_->InputFormat()); },
       .put = [](Text& t, const Variant& v) { t.engine_->SetInputFormat(host::ToLong(v)); },
       .stored = {23, R::Format, [](const Text&) { return Int(engine::dtAlphaDigitSpaceSymbol); },
                  [](const Text&, const FormatMembers& m) { return Int(m.m_InputFormat); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_InputFormat = host::ToInteger(v); }}},
      {.member = {27, "DisplayFormat", Own(27), VT::DisplayFormats, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Variant::Long(t.engine_->DisplayFormat()); },
       .put = [](Text& t, const Variant& v) { t.engine_->SetDisplayFormat(host::ToLong(v)); },
       .stored = {24, R::Format, [](const Text&) { return Int(engine::dtNone); },
                  [](const Text&, const FormatMembers& m) { return Int(m.m_DisplayFormat); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_DisplayFormat = host::ToInteger(v); }}},
      {.member = {28, "PadChar", -518, VT::String, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Str(t.PadChar()); },
       .put = [](Text& t, const Variant& v) { t.SetPadChar(host::ToText(v)); },
       .stored = {25, R::Format, [](const Text&) { return Str(u""); },
                  [](const Text&, const FormatMembers& m) { return Str(m.m_PadChar); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_PadChar = host::ToText(v); }}},
      {.member = {29, "Mask", Own(29), VT::String, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Str(t.Mask()); },
       .put = [](Text& t, const Variant& v) { t.SetMask(host::ToText(v)); },
       .stored = {26, R::Format, [](const Text&) { return Str(u"XXXXXXXXXX"); },
                  [](const Text&, const FormatMembers& m) { return Str(m.m_Mask); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_Mask = host::ToText(v); }}},
      {.member = {30, "AutoTab", Own(30), VT::Boolean, kGetLet, ";Behavior", "", 0},
       .get = [](Text& t) { return Bool(t.AutoTab()); },
       .put = [](Text& t, const Variant& v) { t.SetAutoTab(host::ToBoolean(v)); },
       .stored = {28, R::Format, [](const Text&) { return Bool(true); },
                  [](const Text&, const FormatMembers& m) { return Bool(m.m_AutoTab); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_AutoTab = host::ToBoolean(v); }}},
      {.member = {31, "AutoSelect", Own(31), VT::Boolean, kGetLet, ";Behavior", "", 0},
       .get = [](Text& t) { return Bool(t.AutoSelect()); },
       .put = [](Text& t, const Variant& v) { t.SetAutoSelect(host::ToBoolean(v)); },
       .stored = {29, R::Format, [](const Text&) { return Bool(true); },
                  [](const Text&, const FormatMembers& m) { return Bool(m.m_AutoSelect); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_AutoSelect = host::ToBoolean(v); }}},
      {.member = {32, "Length", Own(32), VT::Integer, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Int(t.Length()); },
       .put = [](Text& t, const Variant& v) { t.SetLength(host::ToInteger(v)); },
       .stored = {31, R::Format, [](const Text&) { return Int(10); },
                  [](const Text&, const FormatMembers& m) { return Int(m.m_Length); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_Length = host::ToInteger(v); }}},
      {.member = {33, "DecimalPlaces", Own(33), VT::Integer, kGetLet, ";Data", "", 0},
       .get = [](Text& t) { return Int(t.DecimalPlaces()); },
       .put = [](Text& t, const Variant& v) { t.SetDecimalPlaces(host::ToInteger(v)); },
       .stored = {30, R::Format, [](const Text&) { return Int(0); },
                  [](const Text&, const FormatMembers& m) { return Int(m.m_DecimalPlaces); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_DecimalPlaces = host::ToInteger(v); }}},
      {.member = {34, "Value", 0, VT::Variant, kGetLet, ";Text", "Returns or Sets the Value of TextBox",
                  kDefaultMember | kBindable | kRequestEdit | kDisplayBind | kDefaultBind},
       .get = [](Text& t) { return t.Value(); },
       .put = [](Text& t, const Variant& v) { t.SetValue(v); },
       .stored = {32, R::Format, [](const Text&) { return Str(u""); },
                  [](const Text&, const FormatMembers& m) { return m.m_Value; },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_Value = v; }}},
      // The stored selected text is already part of the stored value: inserting it again would
      // duplicate it, so only its type is checked and the selection comes back by its bounds.
      {.member = {35, "SelText", Own(35), VT::String, kGetLet, ";Data",
                  "Returns/sets the string containing the currently selected text.", 0},
       .get = [](Text& t) { return Str(t.SelText()); },
       .put = [](Text& t, const Variant& v) { t.SetSelText(host::ToText(v)); },
       .stored = {33, R::AfterFormat, [](const Text&) { return Str(u""); },
                  [](const Text& t, const FormatMembers&) { return Str(t.SelText()); },
                  [](Text&, FormatMembers&, const Variant& v) { host::ToText(v); }}},
      {.member = {36, "SelStart", Own(36), VT::Long, kGetLet, ";Data",
                  "Returns/sets the starting point of text selected.", 0},
       .get = [](Text& t) { return Variant::Long(t.SelStart()); },
       .put = [](Text& t, const Variant& v) { t.SetSelStart(host::ToLong(v)); },
       .stored = {34, R::AfterFormat, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Variant::Long(t.SelStart()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetSelStart(host::ToLong(v)); }}},
      {.member = {37, "SelLength", Own(37), VT::Long, kGetLet, ";Data",
                  "Returns/sets the number of characters selected.", 0},
       .get = [](Text& t) { return Variant::Long(t.SelLength()); },
       .put = [](Text& t, const Variant& v) { t.SetSelLength(host::ToLong(v)); },
       .stored = {35, R::AfterFormat, [](const Text&) { return Int(0); },
                  [](const Text& t, const FormatMembers&) { return Variant::Long(t.SelLength()); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.text1_.SetSelLength(host::ToLong(v)); }}},
      {.member = {38, "BorderStyle", -504, VT::BorderStyle, kGetLet, "", "Returns/sets the border style for an object.",
                  0},
       .get = [](Text& t) { return Variant::Long(t.BorderStyle()); },
       .put = [](Text& t, const Variant& v) { t.SetBorderStyle(host::ToLong(v)); },
       .stored = {36, R::AfterFormat, [](const Text&) { return Int(kBorderFixedSingle); },
                  [](const Text& t, const FormatMembers&) { return Int(t.border_style_); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.border_style_ = host::ToInteger(v); }}},
      {.member = {39, "ShowTalmoBox", -552, VT::Void, kCall, "", "", 0},
       .call = [](Text& t) { t.ShowTalmoBox(); },
       .stored = {}},
      {.member = {40, "Appearance", -520, VT::Appearance, kGetLet, "", "", 0},
       .get = [](Text& t) { return Variant::Long(t.Appearance()); },
       .put = [](Text& t, const Variant& v) { t.SetAppearance(host::ToLong(v)); },
       .stored = {38, R::AfterFormat, [](const Text&) { return Int(kAppearanceThreeD); },
                  [](const Text& t, const FormatMembers&) { return Int(t.appearance_); },
                  [](Text& t, FormatMembers&, const Variant& v) { t.appearance_ = host::ToInteger(v); }}},
      // The literal skeleton, stored without a member of its own.
      {.member = {0, "DisplayMask", 0, VT::String, 0, "", "", 0},
       .stored = {27, R::Format, [](const Text&) { return Str(u""); },
                  [](const Text&, const FormatMembers& m) { return Str(m.m_DisplayMask); },
                  [](Text&, FormatMembers& m, const Variant& v) { m.m_DisplayMask = host::ToText(v); }}},
  };
  return rows;
}

std::span<const Property> Properties() { return PropertyTable::Rows(); }

std::span<const Property* const> StoredProperties() {
  static const std::vector<const Property*> stored = [] {
    std::vector<const Property*> inOrder;
    for (const Property& property : Properties()) {
      if (property.stored.place != 0) inOrder.push_back(&property);
    }
    std::ranges::sort(inOrder, {}, [](const Property* property) { return property->stored.place; });
    return inOrder;
  }();
  return stored;
}

const Property& PropertyOf(const MemberInfo& member) {
  return Properties()[static_cast<std::size_t>(member.number - 1)];
}

}  // namespace kestrow::control
