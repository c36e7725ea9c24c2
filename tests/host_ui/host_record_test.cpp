// What a record holds must stay right however its names were passed and however long it is kept.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "kestrow/host/headless_form.h"

namespace kestrow::host {
namespace {

class Raiser final : public Component {
 public:
  explicit Raiser(ControlSite& site) : site_(site) {}
  void Raise(std::string_view event, std::span<EventArg> args) { site_.RaiseEvent(event, args); }

 private:
  ControlSite& site_;
};

Raiser& AddRaiser(HeadlessForm& form, std::u16string name) {
  return static_cast<Raiser&>(form.AddControl(std::move(name), [](ControlSite& site, EditBox&) { return std::make_unique<Raiser>(site); }));
}

TEST(InternedName, TheSameTextGivesTheSameViewWhereverItCameFrom) {
  const std::string first = "SomeEventName";
  const std::string second = "SomeEventName";
  EXPECT_EQ(InternedName(first).data(), InternedName(second).data());
  EXPECT_EQ(InternedName(first), "SomeEventName");
  EXPECT_NE(InternedName("Other").data(), InternedName(first).data());
}

TEST(NameCache, ABufferReusedForAnotherNameGivesTheOtherName) {
  NameCache cache;
  char buffer[] = "KeyDown";
  EXPECT_EQ(cache.Intern(buffer), "KeyDown");
  buffer[3] = 'U';
  buffer[4] = 'p';
  buffer[5] = '\0';
  EXPECT_EQ(cache.Intern(std::string_view(buffer, 5)), "KeyUp");
  EXPECT_EQ(cache.Intern(std::string_view(buffer, 3)), "Key");
}

TEST(HostRecord, NamesAndArgumentsOutliveTheFormAndTheCallersBuffers) {
  std::vector<HostRecord> records;
  {
    HeadlessForm form;
    Raiser& raiser = AddRaiser(form, u"AControlWithALongName");
    std::string event = "Moved";
    std::array<std::string, 5> names{"A", "B", "C", "D", "E"};  // one more than fits in the record
    std::array<EventArg, 5> args{};
    for (std::size_t i = 0; i < args.size(); ++i) args[i] = {names[i], Variant::Integer(static_cast<std::int16_t>(i))};
    raiser.Raise(event, args);
    event = "Later";
    names.fill("?");
    records = form.TakeRecords();
  }
  ASSERT_EQ(records.size(), 1u);
  const HostRecord& record = records[0];
  EXPECT_EQ(record.control, u"AControlWithALongName");
  EXPECT_EQ(record.name, "Moved");
  ASSERT_EQ(record.args.size(), 5u);
  for (std::size_t i = 0; i < record.args.size(); ++i) {
    EXPECT_EQ(record.args[i].name, std::string(1, static_cast<char>('A' + i)));
    EXPECT_EQ(record.args[i].value, Variant::Integer(static_cast<std::int16_t>(i)));
  }
  const HostRecord copy = record;
  EXPECT_EQ(copy.args.size(), 5u);
  EXPECT_EQ(copy.args[4].name, "E");
}

}  // namespace
}  // namespace kestrow::host
