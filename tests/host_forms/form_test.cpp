// The headless form: tab order, queued focus moves, the record, and key delivery.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "kestrow/host/forms/form.h"

namespace kestrow::host {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// A control that reports its box's events through its site, with hooks for the tests.
class Probe final : public Component, public EditBoxEvents {
 public:
  Probe(ControlSite& site, EditBox& box) : site_(site) { box.SetEventHandler(this); }

  void GotFocus() override {
    Raise("GotFocus");
    if (on_got_focus) on_got_focus(site_);
  }
  void LostFocus() override { Raise("LostFocus"); }
  void KeyDown(std::int16_t& keyCode, std::int16_t& /*shift*/) override {
    Raise("KeyDown", keyCode);
    if (on_key_down) on_key_down(site_);
  }
  void KeyPress(std::int16_t& keyAscii) override { Raise("KeyPress", keyAscii); }
  void KeyUp(std::int16_t& keyCode, std::int16_t& /*shift*/) override { Raise("KeyUp", keyCode); }

  std::function<void(ControlSite&)> on_got_focus;
  std::function<void(ControlSite&)> on_key_down;

 private:
  void Raise(std::string_view event) { site_.RaiseEvent(event, {}); }
  // The code goes by reference: whatever the application leaves in it is what the box acts on.
  void Raise(std::string_view event, std::int16_t& code) {
    EventArg arg{"Code", Variant::Integer(code)};
    site_.RaiseEvent(event, std::span(&arg, 1));
    code = arg.value.AsInteger();
  }

  ControlSite& site_;
};

class FormTest : public ::testing::Test {
 protected:
  Probe& Add(std::u16string name) {
    return static_cast<Probe&>(form_.AddControl(
        std::move(name), [](ControlSite& site, EditBox& box) { return std::make_unique<Probe>(site, box); }));
  }

  // One line per record: "focus B", "B GotFocus", "A KeyDown 65", "sendkeys {TAB}".
  std::vector<std::string> Log() {
    std::vector<std::string> lines;
    for (const HostRecord& r : form_.TakeRecords()) {
      switch (r.kind) {
        case HostRecord::Kind::Focus: lines.push_back("focus " + Narrow(r.text)); break;
        case HostRecord::Kind::SendKeys: lines.push_back("sendkeys " + Narrow(r.text)); break;
        case HostRecord::Kind::PropertyChanged:
          lines.push_back(Narrow(r.control) + " changed " + std::string(r.name));
          break;
        case HostRecord::Kind::MsgBox: lines.push_back("msgbox " + Narrow(r.text)); break;
        case HostRecord::Kind::Dialog: lines.push_back("dialog " + Narrow(r.text)); break;
        case HostRecord::Kind::Event: {
          std::string line = Narrow(r.control) + " " + std::string(r.name);
          for (const auto& [name, value] : r.args) line += " " + std::to_string(value.AsInteger());
          lines.push_back(line);
          break;
        }
      }
    }
    return lines;
  }
  std::string Focused() const { return Narrow(form_.FocusedName().value_or(u"(none)")); }

  Form form_;
};

using Lines = std::vector<std::string>;

TEST_F(FormTest, TabOrderWrapsAndSkipsDisabledElements) {
  form_.AddPlainBox(u"a");
  form_.AddPlainBox(u"b");
  form_.AddPlainBox(u"c");
  form_.Tab(true);  // from nothing backwards: the last
  EXPECT_EQ(Focused(), "c");
  form_.Tab(false);
  EXPECT_EQ(Focused(), "a");
  form_.Box(u"b").SetEnabled(false);
  form_.Tab(false);
  EXPECT_EQ(Focused(), "c");
  form_.Tab(true);
  EXPECT_EQ(Focused(), "a");

  form_.Box(u"c").SetEnabled(false);
  form_.TakeRecords();
  form_.Tab(false);  // only the focused one is left
  EXPECT_EQ(Focused(), "a");
  form_.Box(u"a").SetEnabled(false);
  form_.Tab(false);
  EXPECT_EQ(Focused(), "a");
  EXPECT_TRUE(form_.Records().empty());
}

TEST_F(FormTest, FocusRecordComesBeforeLostFocusAndGotFocus) {
  Add(u"A");
  Add(u"B");
  form_.Focus(u"A");
  form_.Focus(u"A");  // already there: nothing
  EXPECT_EQ(Log(), (Lines{"focus A", "A GotFocus"}));
  form_.Focus(u"B");
  EXPECT_EQ(Log(), (Lines{"focus B", "A LostFocus", "B GotFocus"}));
  EXPECT_FALSE(form_.Box(u"A").HasFocus());
  EXPECT_TRUE(form_.Box(u"B").HasFocus());
}

TEST_F(FormTest, QueuedMovesWaitForTheWholeKeystroke) {
  Probe& a = Add(u"A");
  Add(u"B");
  a.on_key_down = [](ControlSite& site) { site.SendKeys(u"{TAB}"); };
  form_.Focus(u"A");
  form_.TakeRecords();
  form_.Type(u"k");
  EXPECT_EQ(Log(), (Lines{"A KeyDown 75", "sendkeys {TAB}", "A KeyPress 107", "A KeyUp 75", "focus B", "A LostFocus",
                          "B GotFocus"}));
  EXPECT_EQ(form_.Box(u"A").Text(), u"k");
}

TEST_F(FormTest, QueuedMovesRunInOrderFromTheFocusAtThatTime) {
  Probe& a = Add(u"A");
  form_.AddPlainBox(u"B");
  form_.AddPlainBox(u"C");
  form_.AddPlainBox(u"D");
  a.on_key_down = [&](ControlSite& site) {
    form_.Box(u"C").SetFocus();
    site.SendKeys(u"{TAB}");   // from C, not from A
    site.SendKeys(u"{BS}");    // recorded only
    site.SendKeys(u"+{TAB}");  // from D back to C
    site.SendKeys(u"+{TAB}");
  };
  form_.Focus(u"A");
  form_.TakeRecords();
  ASSERT_TRUE(form_.PressKey("Home", 0));
  Lines moves;
  for (const std::string& line : Log()) {
    if (line.starts_with("focus") || line.starts_with("sendkeys")) moves.push_back(line);
  }
  EXPECT_EQ(moves, (Lines{"sendkeys {TAB}", "sendkeys {BS}", "sendkeys +{TAB}", "sendkeys +{TAB}", "focus C", "focus D",
                          "focus C", "focus B"}));
}

TEST_F(FormTest, EventHandlerChangesAByReferenceArgument) {
  Add(u"A");
  form_.SetEventHandler([](std::u16string_view control, std::string_view event, std::span<EventArg> args) {
    if (control == u"A" && event == "KeyPress" && args[0].value.AsInteger() == 'a')
      args[0].value = Variant::Integer('b');
  });
  form_.Focus(u"A");
  form_.TakeRecords();
  form_.Type(u"ac");
  EXPECT_EQ(form_.Box(u"A").Text(), u"bc");
  const Lines log = Log();
  EXPECT_EQ(log[1], "A KeyPress 97");  // recorded as raised, before the handler
}

TEST_F(FormTest, RecordingOffAppendsNothingButEventsStillRun) {
  Probe& a = Add(u"A");
  Add(u"B");
  EXPECT_TRUE(form_.Recording());
  form_.Focus(u"A");
  const std::size_t kept = form_.Records().size();
  ASSERT_GT(kept, 0u);

  std::vector<std::string> handled;
  form_.SetEventHandler([&](std::u16string_view, std::string_view event, std::span<EventArg> args) {
    handled.emplace_back(event);
    if (event == "KeyPress" && args[0].value.AsInteger() == 'a') args[0].value = Variant::Integer('z');
  });
  int answer = -1;
  a.on_key_down = [&](ControlSite& site) {
    answer = site.MsgBox(u"prompt", 0, u"caption");
    site.PropertyChanged("Value");
    site.SendKeys(u"{TAB}");
  };
  form_.SetRecording(false);
  EXPECT_FALSE(form_.Recording());
  form_.Type(u"a");

  EXPECT_EQ(form_.Records().size(), kept);  // nothing appended, nothing dropped
  EXPECT_EQ(answer, kMsgBoxOk);
  EXPECT_EQ(handled, (Lines{"KeyDown", "KeyPress", "KeyUp", "LostFocus", "GotFocus"}));
  EXPECT_EQ(form_.Box(u"A").Text(), u"z");  // the handler's change still went back
  EXPECT_EQ(Focused(), "B");                // the queued move still ran

  form_.SetRecording(true);
  form_.TakeRecords();
  form_.Focus(u"A");
  EXPECT_EQ(Log(), (Lines{"focus A", "B LostFocus", "A GotFocus"}));
}

TEST_F(FormTest, PingPongOfFocusMovesStopsAfterAThousand) {
  Probe& a = Add(u"A");
  Probe& b = Add(u"B");
  a.on_got_focus = [](ControlSite& site) { site.SendKeys(u"{TAB}"); };
  b.on_got_focus = [](ControlSite& site) { site.SendKeys(u"+{TAB}"); };
  form_.Focus(u"A");
  auto focusMoves = [&] {
    int count = 0;
    for (const HostRecord& r : form_.TakeRecords()) count += r.kind == HostRecord::Kind::Focus;
    return count;
  };
  EXPECT_EQ(focusMoves(), 1 + 1000);
  form_.Select(0, 0);  // the queue was dropped, not carried over
  EXPECT_EQ(focusMoves(), 0);
}

TEST_F(FormTest, HostTabIsNoKeyAndKeysNeedAFocusedElement) {
  Add(u"A");
  Add(u"B");
  EXPECT_THROW(form_.Type(u"x"), std::logic_error);
  EXPECT_THROW(form_.RawKeyPress('x'), std::logic_error);
  EXPECT_THROW(form_.Select(0, 0), std::logic_error);
  EXPECT_FALSE(form_.PressKey("NoSuchKey", 0));
  form_.Focus(u"A");
  form_.TakeRecords();
  EXPECT_TRUE(form_.PressKey("Tab", 1));
  EXPECT_EQ(Log(), (Lines{"focus B", "A LostFocus", "B GotFocus"}));
}

TEST_F(FormTest, SetFocusArrivesAfterTheEventAndNotOnADisabledBox) {
  EditBox& a = form_.AddPlainBox(u"a");
  EditBox& b = form_.AddPlainBox(u"b");
  form_.Handle([&] {
    b.SetFocus();
    form_.Handle([] {});  // a nested host event is part of this one
    EXPECT_EQ(Focused(), "(none)");
  });
  EXPECT_EQ(Focused(), "b");
  a.SetEnabled(false);
  form_.Handle([&] { a.SetFocus(); });
  form_.Focus(u"a");
  EXPECT_EQ(Focused(), "b");
}

TEST_F(FormTest, ReplaceControlKeepsThePlaceAndDropsTheFocusSilently) {
  Add(u"A");
  Add(u"B");
  form_.AddPlainBox(u"C");
  form_.Focus(u"B");
  form_.Box(u"B").SetText(u"old");
  form_.TakeRecords();
  Component* old = form_.ControlNamed(u"B");
  form_.ReplaceControl(u"B", [](ControlSite& site, EditBox& box) { return std::make_unique<Probe>(site, box); });
  EXPECT_NE(form_.ControlNamed(u"B"), old);
  EXPECT_EQ(form_.Box(u"B").Text(), u"");
  EXPECT_FALSE(form_.FocusedName());
  EXPECT_TRUE(form_.Records().empty());
  form_.Focus(u"A");
  form_.Tab(false);
  EXPECT_EQ(Focused(), "B");
  EXPECT_EQ(form_.ControlNamed(u"C"), nullptr);
  EXPECT_THROW(form_.Box(u"Z"), std::out_of_range);
  EXPECT_THROW(form_.ControlNamed(u"Z"), std::out_of_range);
}

// Places are kept by index: every insert, removal and replacement leaves the tab order whole.
TEST_F(FormTest, TabOrderFollowsInsertsBeforeAnElementAndRemovals) {
  const auto make = [](ControlSite& site, EditBox& box) { return std::make_unique<Probe>(site, box); };
  form_.AddPlainBox(u"other");
  for (const char16_t* name : {u"A", u"B", u"C"}) form_.AddControl(name, make, u"other");
  form_.AddControl(u"first", make, u"A");
  // A factory that places an element itself: the new control still goes just before `other`.
  form_.AddControl(
      u"D",
      [&](ControlSite& site, EditBox& box) {
        form_.AddPlainBox(u"late");
        return make(site, box);
      },
      u"other");
  form_.RemoveControl(u"B");
  form_.ReplaceControl(u"C", make);
  form_.Focus(u"late");
  form_.TakeRecords();
  std::vector<std::string> order;
  for (int i = 0; i < 6; ++i) {
    form_.Tab(false);
    order.push_back(Focused());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"first", "A", "C", "D", "other", "late"}));
  form_.Tab(true);
  EXPECT_EQ(Focused(), "other");
}

TEST_F(FormTest, PlainBoxEditsThroughTheFormsClipboard) {
  EditBox& box = form_.AddPlainBox(u"p");
  form_.Focus(u"p");
  form_.Type(u"Hi, 1.5!");
  EXPECT_EQ(box.Text(), u"Hi, 1.5!");
  form_.Select(0, 2);
  ASSERT_TRUE(form_.PressKey("c", keys::kCtrlMask));
  EXPECT_EQ(form_.Clipboard(), u"Hi");
  ASSERT_TRUE(form_.PressKey("End", 0));
  ASSERT_TRUE(form_.PressKey("V", keys::kCtrlMask));
  EXPECT_EQ(box.Text(), u"Hi, 1.5!Hi");
}

}  // namespace
}  // namespace kestrow::host
