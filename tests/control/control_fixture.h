// A headless form with one Text control ("Field1") and a plain box ("other").
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_values/host_error_testing.h"
#include "kestrow/control/dispatch.h"
#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::testing {

class ControlTest : public ::testing::Test {
 public:
  ControlTest() {
    host::SetClock([] { return host::CivilDate{2026, 12, 7}; });
    text_ = &control::AddText(form_, u"Field1");
    form_.AddPlainBox(u"other");
  }
  ~ControlTest() override { host::SetClock({}); }

  control::Text& Control() { return *text_; }

  host::Variant Get(std::string_view name) { return control::GetProperty(*text_, control::MemberNamed(name)); }
  void Put(std::string_view name, const host::Variant& value) {
    control::PutProperty(*text_, control::MemberNamed(name), value);
  }

  // The records since the last call, as "changed X", "event X", "msgbox prompt|buttons|caption".
  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    for (const host::HostRecord& r : form_.TakeRecords()) {
      switch (r.kind) {
        case host::HostRecord::Kind::PropertyChanged: lines.push_back("changed " + std::string(r.name)); break;
        case host::HostRecord::Kind::Event: lines.push_back("event " + std::string(r.name)); break;
        case host::HostRecord::Kind::MsgBox:
          lines.push_back("msgbox " + host::ToUtf8(r.text) + "|" + std::to_string(r.buttons) + "|" +
                          (r.caption ? host::ToUtf8(*r.caption) : "(none)"));
          break;
        default: lines.push_back("other"); break;
      }
    }
    return lines;
  }

  // The error number a call raises, or 0.
  template <typename F>
  static int ErrorOf(F&& call) {
    return host::test_support::RaisedError(std::forward<F>(call)).value_or(0);
  }

  host::Form form_;

 private:
  control::Text* text_ = nullptr;
};

}  // namespace kestrow::testing
