// The page Format in a headless frame beside a form of two Text controls ("Field1", "Field2").
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kestrow/control/text.h"
#include "kestrow/host/headless_form.h"
#include "kestrow/host/headless_page_frame.h"
#include "kestrow/host/runtime.h"
#include "kestrow/proppage/format_page.h"

namespace kestrow::testing {

class PageTest : public ::testing::Test {
 public:
  PageTest() {
    host::SetClock([] { return host::CivilDate{2026, 12, 7}; });
    first_ = &control::AddText(form_, u"Field1");
    second_ = &control::AddText(form_, u"Field2");
    form_.AddPlainBox(u"other");
    frame_ = std::make_unique<host::HeadlessPageFrame>(
        form_, [](host::PageFrame& frame) { return std::make_unique<proppage::FormatPage>(frame); });
  }
  ~PageTest() override { host::SetClock({}); }

  control::Text& First() { return *first_; }
  control::Text& Second() { return *second_; }
  host::HeadlessPageFrame& Frame() { return *frame_; }

  // Opens the page on the first control (or on both, the first being the one shown).
  void Open() { Frame().Select({first_}); }
  void OpenOnBoth() { Frame().Select({first_, second_}); }

  host::EditBox& Field(std::string_view name) { return *std::get<host::EditBox*>(Frame().Find(name)->control); }
  host::DropDownList& List(std::string_view name) { return *std::get<host::DropDownList*>(Frame().Find(name)->control); }
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
  // Moves into the field, selects all of it and types `text` over it, as a designer does.
  void Retype(std::string_view field, std::u16string_view text) {
    Frame().Focus(field);
    form_.Handle([&] { Field(field).UserSelect(0, static_cast<std::int32_t>(Field(field).Text().size())); });
    Frame().Type(text);
  }

  // The message boxes shown since the last call, as "prompt|buttons|caption".
  std::vector<std::string> Messages() {
    std::vector<std::string> lines;
    for (const host::HostRecord& r : form_.TakeRecords()) {
      if (r.kind != host::HostRecord::Kind::MsgBox) continue;
      lines.push_back(host::ToUtf8(r.text) + "|" + std::to_string(r.buttons) + "|" + (r.caption ? host::ToUtf8(*r.caption) : "(none)"));
    }
    return lines;
  }

  host::HeadlessForm form_;

 private:
  control::Text* first_ = nullptr;
  control::Text* second_ = nullptr;
  std::unique_ptr<host::HeadlessPageFrame> frame_;
};

}  // namespace kestrow::testing
