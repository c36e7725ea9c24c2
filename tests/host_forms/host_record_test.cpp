// What a record holds must stay right however its names were passed and however long it is kept.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "kestrow/host/forms/form.h"

namespace kestrow::host {
namespace {

class Raiser final : public Component {
 public:
  explicit Raiser(ControlSite& site) : site_(site) {}
  void Raise(EventName event, std::span<EventArg> args) { site_.RaiseEvent(event, args); }

 private:
  ControlSite& site_;
};

Raiser& AddRaiser(Form& form, std::u16string name) {
  return static_cast<Raiser&>(
      form.AddControl(std::move(name), [](ControlSite& site, EditBox&) { return std::make_unique<Raiser>(site); }));
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
    Form form;
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

// Arguments with a string among them, so that a slot made or unmade twice shows under the
// sanitizers as well as in the values.
RecordArgs ArgsOf(std::size_t count, char16_t mark) {
  RecordArgs args;
  for (std::size_t i = 0; i < count; ++i) {
    args.emplace_back(
        InternedName(std::string(1, static_cast<char>('a' + i))),
        i % 2 ? Variant::String(std::u16string(40, mark)) : Variant::Integer(static_cast<std::int16_t>(i)));
  }
  return args;
}

void ExpectArgs(const RecordArgs& args, std::size_t count, char16_t mark) {
  ASSERT_EQ(args.size(), count);
  std::size_t i = 0;
  for (const RecordArg& arg : args) {
    EXPECT_EQ(arg.name, std::string(1, static_cast<char>('a' + i)));
    EXPECT_EQ(arg.value,
              i % 2 ? Variant::String(std::u16string(40, mark)) : Variant::Integer(static_cast<std::int16_t>(i)));
    ++i;
  }
}

TEST(RecordArgs, CopiesMovesAndAssignmentsKeepEveryArgumentInPlaceOrSpilled) {
  for (const std::size_t count : {0u, 1u, 4u, 5u, 9u}) {
    for (const std::size_t other : {0u, 3u, 6u}) {
      SCOPED_TRACE(std::to_string(count) + " over " + std::to_string(other));
      const RecordArgs original = ArgsOf(count, u'x');
      RecordArgs copy(original);
      ExpectArgs(copy, count, u'x');
      RecordArgs moved(std::move(copy));
      ExpectArgs(moved, count, u'x');
      EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from record is empty

      RecordArgs assigned = ArgsOf(other, u'y');
      assigned = original;
      ExpectArgs(assigned, count, u'x');
      RecordArgs moveAssigned = ArgsOf(other, u'y');
      moveAssigned = std::move(moved);
      ExpectArgs(moveAssigned, count, u'x');
      const RecordArgs& same = moveAssigned;
      moveAssigned = same;
      ExpectArgs(moveAssigned, count, u'x');
      ExpectArgs(original, count, u'x');
    }
  }
}

TEST(RecordArgs, GrowingPastTheRecordKeepsTheFirstArguments) {
  RecordArgs args;
  for (std::size_t count = 1; count <= 2 * RecordArgs::kInline + 1; ++count) {
    args.emplace_back(InternedName(std::string(1, static_cast<char>('a' + count - 1))),
                      (count - 1) % 2 ? Variant::String(std::u16string(40, u'z'))
                                      : Variant::Integer(static_cast<std::int16_t>(count - 1)));
    ExpectArgs(args, count, u'z');
  }
}

TEST(HostRecord, LiteralNamesAreKeptAsTheyAreAndOthersCopied) {
  Form form;
  Raiser& raiser = AddRaiser(form, u"R");
  std::array<EventArg, 1> literal{{{"Literal", Variant::Integer(1)}}};
  raiser.Raise("LiteralEvent", literal);
  std::string buffer = "Buffered";
  std::array<EventArg, 1> buffered{{{buffer, Variant::Integer(2)}}};
  raiser.Raise(std::string_view(buffer), buffered);
  buffer = "Overwrit";
  const std::vector<HostRecord> records = form.TakeRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].name, "LiteralEvent");
  EXPECT_EQ(records[0].args[0].name, "Literal");
  EXPECT_EQ(records[1].name, "Buffered");
  EXPECT_EQ(records[1].args[0].name, "Buffered");
  EXPECT_NE(records[1].name.data(), buffer.data());
}

}  // namespace
}  // namespace kestrow::host
