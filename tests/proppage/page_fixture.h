// The page Format in a headless frame beside a form of two Text controls ("Field1", "Field2").
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/forms/form_page_frame.h"
#include "kestrow/host/storage/property_bag.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::testing {

// Stands in for a selected control: every read and write goes on to the control, and the writes
// are kept, so a test sees which settings the page wrote, in which order and with which types.
class WriteLog final : public host::Dispatchable {
 public:
  explicit WriteLog(control::Text& text) : text_(text) {}
  host::Variant GetProperty(std::string_view name) override { return text_.GetProperty(name); }
  void PutProperty(std::string_view name, const host::Variant& value) override {
    names.emplace_back(name);
    values.push_back(value);
    text_.PutProperty(name, value);
  }
  std::vector<std::string> names;
  std::vector<host::Variant> values;

 private:
  control::Text& text_;
};

class PageTest : public ::testing::Test {
 public:
  PageTest() {
    host::SetClock([] { return host::CivilDate{2026, 12, 7}; });
    first_ = &control::AddText(form_, u"Field1");
    second_ = &control::AddText(form_, u"Field2");
    form_.AddPlainBox(u"other");
    frame_ = std::make_unique<host::FormPageFrame>(
        form_, [](host::PageFrame& frame) { return std::make_unique<proppage::FormatPage>(frame); });
  }
  ~PageTest() override { host::SetClock({}); }

  control::Text& First() { return *first_; }
  control::Text& Second() { return *second_; }
  host::FormPageFrame& Frame() { return *frame_; }

  // Opens the page on the first control (or on both, the first being the one shown).
  void Open() { Frame().Select({first_}); }
  void OpenOnBoth() { Frame().Select({first_, second_}); }

  host::EditBox& Field(std::string_view name) { return *std::get<host::EditBox*>(Frame().Find(name)->control); }
  host::DropDownList& List(std::string_view name) {
    return *std::get<host::DropDownList*>(Frame().Find(name)->control);
  }
  host::CaptionedControl& Caption(std::string_view name) {
    return *std::get<host::CaptionedControl*>(Frame().Find(name)->control);
  }
  std::string Text(std::string_view field) { return host::ToUtf8(Field(field).Text()); }
  std::string Selected(std::string_view list) { return host::ToUtf8(List(list).Text()); }
  std::vector<std::string> Items(std::string_view list) {
    std::vector<std::string> items;
    for (std::int32_t i = 0; i < List(list).ListCount(); ++i) items.push_back(host::ToUtf8(List(list).List(i)));
    return items;
  }
  bool Changed() { return Frame().Site().Changed(); }

  void Pick(std::string_view list, std::u16string_view item) { ASSERT_TRUE(Frame().Pick(list, item)); }
  // Picks a data type and then an input format, as a designer does from the top of the page.
  void Choose(std::u16string_view data_type, std::u16string_view input_format) {
    if (List("cmbDataType").Text() != data_type) Pick("cmbDataType", data_type);
    Pick("cmbInputFormat", input_format);
  }
  // Moves into the field, selects all of it and types `text` over it, as a designer does.
  void Retype(std::string_view field, std::u16string_view text) {
    Frame().Focus(field);
    form_.Handle([&] { Field(field).UserSelect(0, static_cast<std::int32_t>(Field(field).Text().size())); });
    Frame().Type(text);
  }
  // Moves into the field, selects all of it and deletes it with backspace.
  void Erase(std::string_view field) {
    Retype(field, u"");
    Frame().PressKey("BACKSPACE", 0);
  }
  std::string Focused() {
    const auto name = Frame().FocusedName();
    return name ? std::string(*name) : std::string();
  }

  // The control's settings by name, as the page reads and writes them.
  static std::int32_t Whole(control::Text& text, std::string_view name) { return host::ToLong(text.GetProperty(name)); }
  static std::string Str(control::Text& text, std::string_view name) {
    return host::ToUtf8(host::ToText(text.GetProperty(name)));
  }
  void Put(control::Text& text, std::string_view name, const host::Variant& value) {
    form_.Handle([&] { text.PutProperty(name, value); });
  }
  // Gives the control stored settings as a form file would, unchecked by the property setters.
  void Stored(control::Text& text, const std::vector<std::pair<std::string, host::Variant>>& entries) {
    host::PropertyBag bag;
    for (const auto& [key, value] : entries) bag.WriteProperty(key, value, host::Variant());
    form_.Handle([&] { text.ReadProperties(bag); });
  }

  // The message boxes shown since the last call, as "prompt|buttons|caption".
  std::vector<std::string> Messages() {
    std::vector<std::string> lines;
    for (const host::HostRecord& r : form_.TakeRecords()) {
      if (r.kind != host::HostRecord::Kind::MsgBox) continue;
      lines.push_back(host::ToUtf8(r.text) + "|" + std::to_string(r.buttons) + "|" +
                      (r.caption ? host::ToUtf8(*r.caption) : "(none)"));
    }
    return lines;
  }

  host::Form form_;

 private:
  control::Text* first_ = nullptr;
  control::Text* second_ = nullptr;
  std::unique_ptr<host::FormPageFrame> frame_;
};

}  // namespace kestrow::testing
