// A headless form with one text field ("Field1") followed by a plain box ("other"), the host's
// clock fixed at 7 December 2026, and helpers to read what happened.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/text_internals.h"
#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::testing {

// Test texts are written in UTF-8 with a middle dot for each blank, so they can be counted.
inline std::u16string Dots(std::string_view utf8) {
  std::u16string text = host::FromUtf8(utf8);
  for (char16_t& c : text) {
    if (c == u'\u00B7') c = u' ';
  }
  return text;
}

inline std::string Show(std::u16string_view text) {
  std::u16string shown(text);
  for (char16_t& c : shown) {
    if (c == u' ') c = u'\u00B7';
  }
  return host::ToUtf8(shown);
}

// Shift states of the key model.
inline constexpr std::int16_t kShift = host::keys::kShiftMask;
inline constexpr std::int16_t kCtrl = host::keys::kCtrlMask;

class FieldTest : public ::testing::Test {
 public:
  FieldTest() {
    host::SetClock([] { return host::CivilDate{2026, 12, 7}; });
    field_ = &AddField(u"Field1");
    form_.AddPlainBox(u"other");
  }
  ~FieldTest() override { host::SetClock({}); }

  engine::TextEngine& AddField(std::u16string name) {
    return control::EngineOf(control::AddText(form_, std::move(name)));
  }

  engine::TextEngine& Field() { return *field_; }
  host::EditBox& Box() { return form_.Box(u"Field1"); }
  std::string BoxText() { return Show(Box().Text()); }
  // Settings as a stored form may hold them, taken unchecked: `change` edits a copy, which the
  // field then takes exactly.
  template <typename Change>
  void Store(Change&& change) {
    engine::FormatMembers settings = field_->Settings();
    change(settings);
    field_->Assign(settings);
  }

  void Focus() { form_.Focus(u"Field1"); }
  void Blur() { form_.Focus(u"other"); }
  void Type(std::u16string_view text) { form_.Type(text); }
  void Key(std::string_view name, std::int16_t shift = 0) { ASSERT_TRUE(form_.PressKey(name, shift)); }
  void Caret(std::int32_t start, std::int32_t length = 0) { form_.Select(start, length); }
  // Text and caret as the user left them, without going through the engine.
  void Edit(std::string_view text, std::int32_t caret, std::int32_t length = 0) {
    Box().SetText(Dots(text));
    Box().UserSelect(caret, length);
  }

  // Puts the focused box in a state, presses one key (a character or a named key), returns the
  // text.
  std::string PressIn(std::string_view before, std::int32_t caret, std::string_view key, std::int32_t selection = 0) {
    Focus();
    Edit(before, caret, selection);
    ClearLog();
    if (key.size() == 1) {
      Type(host::FromUtf8(key));
    } else {
      Key(key);
    }
    return BoxText();
  }

  // Everything recorded since the last call, one short line each:
  // "Change", "KeyPress 49", "changed Mask", "msgbox Invalid Date|16|", "sendkeys {TAB}", "focus other".
  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    for (const host::HostRecord& record : form_.TakeRecords()) lines.push_back(Line(record));
    return lines;
  }
  void ClearLog() { form_.TakeRecords(); }
  std::vector<std::string> Reports() {
    std::vector<std::string> names;
    for (const host::HostRecord& record : form_.TakeRecords()) {
      if (record.kind == host::HostRecord::Kind::PropertyChanged) names.emplace_back(record.name);
    }
    return names;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> lines;
    for (const host::HostRecord& record : form_.TakeRecords()) {
      if (record.kind == host::HostRecord::Kind::MsgBox) lines.push_back(Line(record));
    }
    return lines;
  }

  // Common field set-ups, through the public setters.
  void MakeNumeric(std::int16_t length, std::int16_t decimals, std::int32_t inputFormat) {
    Field().SetDataType(engine::dtNumeric);
    Field().SetLength(length);
    Field().SetDecimalPlaces(decimals);
    Field().SetInputFormat(inputFormat);
    ClearLog();
  }
  void MakeDate(std::int32_t inputFormat, std::int32_t displayFormat) {
    Field().SetDataType(engine::dtDate);
    Field().SetInputFormat(inputFormat);
    Field().SetDisplayFormat(displayFormat);
    ClearLog();
  }
  void MakeCustom(std::string_view mask) {
    Field().SetInputFormat(engine::dtCustomFormat);
    Field().SetMask(Dots(mask));
    ClearLog();
  }

  host::Form form_;

 private:
  static std::string Line(const host::HostRecord& record) {
    switch (record.kind) {
      case host::HostRecord::Kind::Event: {
        std::string line(record.name);
        for (const auto& [name, value] : record.args) line += " " + host::ToUtf8(host::ToText(value));
        return line;
      }
      case host::HostRecord::Kind::PropertyChanged: return "changed " + std::string(record.name);
      case host::HostRecord::Kind::MsgBox:
        return "msgbox " + host::ToUtf8(record.text) + "|" + std::to_string(record.buttons) + "|" +
               (record.caption ? host::ToUtf8(*record.caption) : "(none)");
      case host::HostRecord::Kind::SendKeys: return "sendkeys " + host::ToUtf8(record.text);
      case host::HostRecord::Kind::Focus: return "focus " + host::ToUtf8(record.text);
      case host::HostRecord::Kind::Dialog: return "dialog " + host::ToUtf8(record.text);
    }
    return {};
  }

  engine::TextEngine* field_ = nullptr;
};

}  // namespace kestrow::testing
