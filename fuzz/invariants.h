// What the control fuzzer holds a control to: its settings, its box, what a user typed, and what
// a form file keeps. Each check aborts with what it found.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "control/text_internals.h"
#include "engine/format_types.h"
#include "kestrow/control/text.h"
#include "kestrow/host/storage/property_bag.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::fuzz {

using host::Variant;

[[noreturn]] inline void Broken(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "control_fuzzer: invariant broken: %s %s\n", what, detail.c_str());
  std::abort();
}

inline std::string Units(std::u16string_view text) {
  std::string out;
  for (const char16_t c : text) out += std::to_string(static_cast<unsigned>(c)) + ",";
  return out;
}

// --- Settings and box ------------------------------------------------------------------------

// What the setters promise about the format model, whatever path set it.
inline void CheckSettings(const control::Text& text) {
  const host::EditBox& box = control::Text1Of(text);
  const auto size = static_cast<std::int64_t>(box.Text().size());
  if (box.SelStart() < 0) Broken("SelStart < 0");
  if (static_cast<std::int64_t>(box.SelStart()) + box.SelLength() > size || box.SelLength() < 0) {
    Broken("selection outside the text",
           std::to_string(box.SelStart()) + "+" + std::to_string(box.SelLength()) + " of " + std::to_string(size));
  }
  const engine::FormatMembers& m = control::EngineOf(text).Settings();
  if (m.m_Length < 1) Broken("m_Length < 1", std::to_string(m.m_Length));
  if (m.m_DecimalPlaces < 0 || m.m_DecimalPlaces > 16)
    Broken("m_DecimalPlaces range", std::to_string(m.m_DecimalPlaces));
  if (m.m_DataType == engine::dtNumeric) {
    // A custom mask measures its own length; only the built formats are held to 20 digits.
    if (m.m_Length > 20 && m.m_InputFormat != engine::dtCustomFormat)
      Broken("numeric m_Length > 20", std::to_string(m.m_Length));
    if (m.m_DecimalPlaces > 0 && m.m_Length < m.m_DecimalPlaces + 2) {
      Broken("numeric m_Length < decimals + 2", std::to_string(m.m_Length) + "/" + std::to_string(m.m_DecimalPlaces));
    }
  } else if (m.m_DecimalPlaces != 0) {
    Broken("decimals on a non-numeric field", std::to_string(m.m_DataType) + "/" + std::to_string(m.m_DecimalPlaces));
  }
  if (m.m_DataType == engine::dtDate && m.m_Length != 10) Broken("date m_Length != 10", std::to_string(m.m_Length));
  if (m.m_DataType == engine::dtLogical && m.m_Length != 5) Broken("logical m_Length != 5", std::to_string(m.m_Length));
}

// The most a field's box may hold: its MaxLength, or, while it is being edited without one (a
// new field whose mask was never built), the mask. An unfocused number without a limit shows a
// display form with signs, brackets or " Cr." that may be longer: no bound then.
inline std::optional<std::size_t> TextLimit(const control::Text& text, bool focused) {
  const std::int32_t max = control::Text1Of(text).MaxLength();
  if (max > 0) return static_cast<std::size_t>(max);
  if (focused) return text.Mask().size();
  return std::nullopt;
}

inline void CheckWithinLimit(const control::Text& text, bool focused, const char* when) {
  const std::optional<std::size_t> limit = TextLimit(text, focused);
  const std::size_t size = control::Text1Of(text).Text().size();
  if (limit && size > *limit) {
    Broken("text past its limit", std::string(when) + ": " + std::to_string(size) + " units, limit " +
                                      std::to_string(*limit) + (focused ? " (focused)" : ""));
  }
}

// --- The mask's literals and the history of a visit -------------------------------------------

// The types whose edit template holds literals: a text with a mask of its own, a number, a date.
inline bool HasLiterals(const engine::FormatMembers& m) {
  return (m.m_DataType == engine::dtAlphaNumeric && m.m_InputFormat == engine::dtCustomFormat) ||
         m.m_DataType == engine::dtNumeric || m.m_DataType == engine::dtDate;
}

// A case format converts the whole text it shows, the letters of the mask's literals included.
inline bool ShowsLiteral(const engine::FormatMembers& m, char16_t literal, char16_t shown) {
  if (shown == literal) return true;
  if (m.m_DisplayFormat < engine::dtUpperCase || m.m_DisplayFormat > engine::dtProperCase) return false;
  const std::u16string one(1, literal);
  return host::ToUpperCase(one).front() == shown || host::ToLowerCase(one).front() == shown;
}

// While a field is edited, every literal of its mask (a character of the edit template other
// than a blank) stands at its place in the box, as far as both reach: no key, paste, cut or step
// of the history moves or overwrites one. Unfocused, a number shows its display form instead.
inline void CheckLiteralsInPlace(const control::Text& text, bool focused, const char* when) {
  const engine::FormatMembers& m = control::EngineOf(text).Settings();
  if (!focused || !m.m_HasFocus || !HasLiterals(m)) return;
  const std::u16string& shown = control::Text1Of(text).Text();
  const std::size_t end = std::min(shown.size(), m.m_EditTemplate.size());
  for (std::size_t i = 0; i < end; ++i) {
    const char16_t literal = m.m_EditTemplate[i];
    if (literal != u' ' && !ShowsLiteral(m, literal, shown[i])) {
      Broken("a literal of the mask moved", std::string(when) + ": at " + std::to_string(i) + ", template " +
                                                Units(m.m_EditTemplate) + " text " + Units(shown));
    }
  }
}

// Ctrl+Z and Ctrl+Y walk through the texts a visit's edits left, one edit a step.
inline void CheckRestored(const char* how, std::size_t step, const std::u16string& expected,
                          const std::u16string& got) {
  if (got != expected)
    Broken(how, "step " + std::to_string(step) + ": expected " + Units(expected) + " got " + Units(got));
}

// --- Nothing typed is lost --------------------------------------------------------------------

// The characters of an edited text at edit positions (where the template holds a blank and the
// mask does not), and for a number its decimal point.
inline std::u16string TypedCharacters(const engine::FormatMembers& m, std::u16string_view edited) {
  std::u16string typed;
  for (std::size_t i = 0; i < edited.size(); ++i) {
    const char16_t templateChar = i < m.m_EditTemplate.size() ? m.m_EditTemplate[i] : u'\0';
    const bool maskBlank = i < m.m_Mask.size() && m.m_Mask[i] == u' ';
    const bool point = m.m_DataType == engine::dtNumeric && templateChar == u'.';
    if ((templateChar == u' ' && !maskBlank) || point) typed += edited[i];
  }
  return typed;
}

inline std::u16string Trimmed(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

// A typed number: an optional sign, then what stands up to the first gap ("12·34" is 12).
inline double TypedNumber(std::u16string_view typed) {
  std::u16string rest = Trimmed(typed);
  double sign = 1;
  if (!rest.empty() && (rest.front() == u'-' || rest.front() == u'+')) {
    sign = rest.front() == u'-' ? -1 : 1;
    rest = Trimmed(std::u16string_view(rest).substr(1));
  }
  return sign * host::ReadNumber(std::u16string_view(rest).substr(0, rest.find(u' ')));
}

// After a field is left, its value holds what was typed into it, within the type's rules: a
// text its typed characters less the blanks around them, a password every character, a number
// the number they spell (unless no double holds it), a complete date the day it names.
inline void CheckNothingLost(const engine::FormatMembers& before, std::u16string_view edited, const Variant& value) {
  const std::u16string typed = TypedCharacters(before, edited);
  const std::string where = " (edited " + Units(edited) + ")";
  switch (before.m_DataType) {
    case engine::dtAlphaNumeric:
      if (!value.IsString() || value.AsString() != Trimmed(typed))
        Broken("typed text lost", host::TypeName(value) + where);
      return;
    case engine::dtPassword:
      if (!value.IsString() || value.AsString() != edited) Broken("typed password lost", where);
      return;
    case engine::dtNumeric: {
      double expected = 0;
      try {
        expected = TypedNumber(typed);
      } catch (const host::HostError&) {
        return;  // more than a double holds
      }
      double got = 0;
      try {
        got = host::ToDouble(value);
      } catch (const host::HostError&) {
        Broken("typed number became a non-number", host::TypeName(value) + where);
      }
      if (got != expected)
        Broken("typed number lost", std::to_string(got) + " for " + std::to_string(expected) + where);
      return;
    }
    case engine::dtDate:
      if (typed.find(u' ') != std::u16string::npos || value.Type() != host::VarType::Date)
        return;  // incomplete or refused
      if (host::FormatDate(value.AsDate(), before.m_Mask) != edited) Broken("typed date lost", where);
      return;
    default: return;
  }
}

// Stands between a field's box and the field, to see what the box held when the focus left it
// and what value the field made of it.
class LeaveWatcher final : public host::EditBoxEvents {
 public:
  LeaveWatcher(control::Text& text, host::EditBox& box) : text_(text), box_(box), inner_(box.EventHandler()) {
    box_.SetEventHandler(this);
  }
  LeaveWatcher(const LeaveWatcher&) = delete;
  LeaveWatcher& operator=(const LeaveWatcher&) = delete;
  ~LeaveWatcher() { box_.SetEventHandler(inner_); }

  void GotFocus() override { inner_->GotFocus(); }
  void LostFocus() override {
    const engine::FormatMembers before = control::EngineOf(text_).Settings();
    const std::u16string edited = box_.Text();
    try {
      inner_->LostFocus();
    } catch (const host::HostError& error) {
      if (before.m_HasFocus && before.m_DataType == engine::dtNumeric)
        CheckNothingLost(before, edited, Variant::Null());
      throw;
    }
    if (before.m_HasFocus) CheckNothingLost(before, edited, control::EngineOf(text_).Settings().m_Value);
  }
  void Change() override { inner_->Change(); }
  void KeyDown(std::int16_t& keyCode, std::int16_t& shift) override { inner_->KeyDown(keyCode, shift); }
  void KeyPress(std::int16_t& keyAscii) override { inner_->KeyPress(keyAscii); }
  void KeyUp(std::int16_t& keyCode, std::int16_t& shift) override { inner_->KeyUp(keyCode, shift); }
  void Paste(std::u16string& text) override { inner_->Paste(text); }
  void Click() override { inner_->Click(); }
  void DblClick() override { inner_->DblClick(); }
  void MouseDown(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
    inner_->MouseDown(button, shift, x, y);
  }
  void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
    inner_->MouseMove(button, shift, x, y);
  }
  void MouseUp(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
    inner_->MouseUp(button, shift, x, y);
  }

 private:
  control::Text& text_;
  host::EditBox& box_;
  host::EditBoxEvents* inner_;
};

// --- Stored values ------------------------------------------------------------------------------

inline bool SameNumber(double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); }

inline bool SameValue(const Variant& a, const Variant& b) {
  if (a.Type() != b.Type()) return false;
  switch (a.Type()) {
    case host::VarType::Single: return SameNumber(a.AsSingle(), b.AsSingle());
    case host::VarType::Double: return SameNumber(a.AsDouble(), b.AsDouble());
    case host::VarType::Date: return SameNumber(a.AsDate().serial, b.AsDate().serial);
    case host::VarType::Object: {
      const auto& x = a.AsObject();
      const auto& y = b.AsObject();
      if (!x || !y) return !x && !y;
      if (x->KindName() != y->KindName()) return false;
      if (const auto* fx = dynamic_cast<const host::Font*>(x.get())) {
        const auto* fy = dynamic_cast<const host::Font*>(y.get());
        return fx->name == fy->name && SameNumber(fx->size, fy->size) && fx->weight == fy->weight &&
               fx->charset == fy->charset && fx->bold == fy->bold && fx->italic == fy->italic &&
               fx->underline == fy->underline && fx->strikethrough == fy->strikethrough;
      }
      if (const auto* px = dynamic_cast<const host::Picture*>(x.get())) {
        const auto* py = dynamic_cast<const host::Picture*>(y.get());
        return px->width == py->width && px->height == py->height && px->bits == py->bits;
      }
      return x == y;
    }
    default: return a == b;
  }
}

inline std::string Show(const Variant& v) {
  std::string text = host::TypeName(v);
  if (v.Type() == host::VarType::Object && v.AsObject()) {
    if (const auto* f = dynamic_cast<const host::Font*>(v.AsObject().get())) {
      return text + "{" + Units(f->name) + " " + std::to_string(f->size) + " " + std::to_string(f->weight) + " " +
             std::to_string(f->charset) + " " + std::to_string(f->bold) + std::to_string(f->italic) +
             std::to_string(f->underline) + std::to_string(f->strikethrough) + "}";
    }
  }
  try {
    if (v.Type() != host::VarType::Object) text += ":" + host::ToUtf8(host::ToText(v));
  } catch (const host::HostError&) {
  }
  return text;
}

// What the box showed: a reloaded control shows the display form of its value afresh, which may
// differ from a box that last showed, say, a typed blank or padding not yet refreshed.
inline bool IsShownText(const std::string& key) {
  return key == "Text" || key == "SelText" || key == "SelStart" || key == "SelLength";
}

inline void CompareBags(const host::PropertyBag& original, const host::PropertyBag& reloaded, const char* how) {
  const auto& a = original.Entries();
  const auto& b = reloaded.Entries();
  if (a.size() != b.size()) Broken(how, "key count differs");
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].first != b[i].first) Broken(how, "key " + a[i].first + " vs " + b[i].first);
    if (!IsShownText(a[i].first) && !SameValue(a[i].second, b[i].second)) {
      for (std::size_t k = 0; k < a.size(); ++k) {
        std::fprintf(stderr, "  %s: %s | %s\n", a[k].first.c_str(), Show(a[k].second).c_str(),
                     Show(b[k].second).c_str());
      }
      Broken(how, "key " + a[i].first + ": " + Show(a[i].second) + " became " + Show(b[i].second));
    }
  }
}

// A form file keeps strings as UTF-8, which has no lone surrogates: they come back as U+FFFD.
inline std::u16string ThroughUtf8(const std::u16string& text) { return host::FromUtf8(host::ToUtf8(text)); }

inline host::PropertyBag Utf8Normalised(const host::PropertyBag& bag) {
  host::PropertyBag out;
  for (const auto& [key, value] : bag.Entries()) {
    Variant copy = value;
    if (value.IsString()) copy = Variant::String(ThroughUtf8(value.AsString()));
    if (value.Type() == host::VarType::Object && value.AsObject()) {
      if (const auto* font = dynamic_cast<const host::Font*>(value.AsObject().get())) {
        auto clone = font->Clone();
        clone->name = ThroughUtf8(clone->name);
        copy = Variant::Object(clone);
      }
    }
    out.WriteProperty(key, copy, Variant());
  }
  return out;
}

// --- The file itself, read without the form file's own reader ---------------------------------

inline std::string Base64(std::string_view bytes) {
  static constexpr std::string_view digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::uint32_t group = 0;
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    for (std::size_t k = 0; k < 3; ++k)
      group = group << 8 | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    for (std::size_t k = 0; k < 4; ++k) out += k <= count ? digits[group >> (18 - 6 * k) & 0x3Fu] : '=';
  }
  return out;
}

// The day of a date, as the file writes it (YYYY-MM-DD), from the host's date picture.
inline std::string DayText(host::Date date) { return host::ToUtf8(host::FormatDate(date, u"YYYY-MM-DD")); }

inline bool FileValueMatches(const nlohmann::json& stored, const Variant& value) {
  const bool hasValue = stored.contains("value");
  const nlohmann::json& v = hasValue ? stored["value"] : stored;
  switch (value.Type()) {
    case host::VarType::Empty:
    case host::VarType::Null: return !hasValue;
    case host::VarType::Integer: return v.is_number_integer() && v.get<std::int64_t>() == value.AsInteger();
    case host::VarType::Long: return v.is_number_integer() && v.get<std::int64_t>() == value.AsLong();
    case host::VarType::Single: return v.is_number() && static_cast<float>(v.get<double>()) == value.AsSingle();
    case host::VarType::Double: return v.is_number() && v.get<double>() == value.AsDouble();
    case host::VarType::Date:
      if (v.is_number()) return v.get<double>() == value.AsDate().serial;
      return v.is_string() && v.get<std::string>().substr(0, 10) == DayText(value.AsDate());
    case host::VarType::String: return v.is_string() && v.get<std::string>() == host::ToUtf8(value.AsString());
    case host::VarType::Boolean: return v.is_boolean() && v.get<bool>() == value.AsBoolean();
    case host::VarType::Object: break;
  }
  const auto& object = value.AsObject();
  if (!object) return !hasValue || v.is_null();
  if (const auto* font = dynamic_cast<const host::Font*>(object.get())) {
    return v.is_object() && v["name"] == host::ToUtf8(font->name) &&
           static_cast<float>(v["size"].get<double>()) == font->size && v["weight"] == font->weight &&
           v["charset"] == font->charset && v["bold"] == font->bold && v["italic"] == font->italic &&
           v["underline"] == font->underline && v["strikethrough"] == font->strikethrough;
  }
  const auto& picture = dynamic_cast<const host::Picture&>(*object);
  return v.is_object() && v["width"] == picture.width && v["height"] == picture.height &&
         v["bits"] == Base64(picture.bits);
}

struct SavedControl {
  std::u16string name;
  host::PropertyBag bag;
};

// The file holds the controls in order, each with every key of its bag in order, with its
// subtype and its value.
inline void CheckFileHolds(const std::filesystem::path& path, const std::vector<SavedControl>& saved) {
  std::ifstream in(path, std::ios::binary);
  const nlohmann::json file =
      nlohmann::json::parse(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const nlohmann::json& controls = file.at("controls");
  if (controls.size() != saved.size()) Broken("form file: control count", std::to_string(controls.size()));
  for (std::size_t c = 0; c < saved.size(); ++c) {
    const nlohmann::json& control = controls[c];
    if (control.at("name") != host::ToUtf8(saved[c].name) || control.at("class") != "Text")
      Broken("form file: control", control.dump());
    const nlohmann::json& properties = control.at("properties");
    const auto& entries = saved[c].bag.Entries();
    if (properties.size() != entries.size()) Broken("form file: key count", std::to_string(properties.size()));
    for (std::size_t k = 0; k < entries.size(); ++k) {
      const auto& [key, value] = entries[k];
      const nlohmann::json& stored = properties[k];
      if (stored.at("key") != key || stored.at("type") != host::TypeName(value) || !FileValueMatches(stored, value)) {
        Broken("form file: stored key differs", key + " " + Show(value) + " vs " + stored.dump());
      }
    }
  }
}

}  // namespace kestrow::fuzz
