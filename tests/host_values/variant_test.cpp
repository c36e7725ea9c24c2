#include <gtest/gtest.h>

#include <cfloat>
#include <optional>

#include "host_values/host_error_testing.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::host {
namespace {

using test_support::RaisedError;

Variant Str(std::u16string_view text) { return Variant::String(std::u16string(text)); }
Variant AFont() { return Variant::Object(std::make_shared<Font>()); }

TEST(Variant, TypeNamesOfObjectsComeFromTheirKind) {
  EXPECT_EQ(TypeName(Variant::Single(1)), "Single");
  EXPECT_EQ(TypeName(Variant::Object(std::make_shared<Picture>())), "Picture");
  EXPECT_EQ(TypeName(Variant::Object(nullptr)), "Nothing");
}

// Either a result or the number of the error raised.
struct Outcome {
  std::optional<double> value;
  std::optional<int> error;
};
Outcome Value(double v) { return {v, std::nullopt}; }
Outcome Error(int number) { return {std::nullopt, number}; }

template <typename Convert>
void ExpectOutcome(Convert convert, const Variant& input, const Outcome& expected) {
  std::optional<double> actual;
  const std::optional<int> error = RaisedError([&] { actual = static_cast<double>(convert(input)); });
  std::string label = TypeName(input);
  if (input.IsString()) label.append(" ").append(ToUtf8(input.AsString()));
  EXPECT_EQ(error, expected.error) << label;
  EXPECT_EQ(actual, expected.value) << label;
}

TEST(Variant, ToIntegerAndToLongShareTheirReading) {
  using namespace errors;
  const struct {
    Variant input;
    Outcome outcome;
  } cases[] = {
      {Variant::Double(2.5), Value(2)},
      {Variant::Double(3.5), Value(4)},
      {Variant::Double(-2.5), Value(-2)},
      {Variant::Double(2.5000000000000004), Value(3)},
      {Variant::Single(-1.5f), Value(-2)},
      {Variant::Boolean(true), Value(-1)},
      {Variant::Boolean(false), Value(0)},
      {Variant(), Value(0)},
      {Variant::FromDate({3.5}), Value(4)},
      {Str(u" 12.5 "), Value(12)},
      {Str(u"-1e2"), Value(-100)},
      {Str(u".5"), Value(0)},
      {Str(u""), Error(kTypeMismatch)},
      {Str(u"12a"), Error(kTypeMismatch)},
      {Str(u"1 2"), Error(kTypeMismatch)},
      {Str(u"."), Error(kTypeMismatch)},
      {Str(u"1e"), Error(kTypeMismatch)},
      {Str(u"\t1"), Error(kTypeMismatch)},
      {Variant::Null(), Error(kInvalidUseOfNull)},
      {AFont(), Error(kTypeMismatch)},
  };
  for (const auto& c : cases) {
    ExpectOutcome(ToInteger, c.input, c.outcome);
    ExpectOutcome(ToLong, c.input, c.outcome);
  }
}

TEST(Variant, IntegerRangesOverflow) {
  using namespace errors;
  const struct {
    Variant input;
    Outcome as_integer, as_long;
  } cases[] = {
      {Variant::Double(32767.4), Value(32767), Value(32767)},
      {Variant::Double(32767.5), Error(kOverflow), Value(32768)},
      {Variant::Double(-32768.5), Value(-32768), Value(-32768)},
      {Variant::Long(40000), Error(kOverflow), Value(40000)},
      {Variant::Double(2147483647.5), Error(kOverflow), Error(kOverflow)},
      {Variant::Double(-2147483648.5), Error(kOverflow), Value(-2147483648.0)},
      {Str(u"1e400"), Error(kOverflow), Error(kOverflow)},
  };
  for (const auto& c : cases) {
    ExpectOutcome(ToInteger, c.input, c.as_integer);
    ExpectOutcome(ToLong, c.input, c.as_long);
  }
}

TEST(Variant, ToSingleAndToDouble) {
  EXPECT_EQ(ToDouble(Str(u" 0.1 ")), 0.1);
  EXPECT_EQ(ToDouble(Variant::FromDate({-1.25})), -1.25);
  EXPECT_EQ(ToSingle(Variant::Double(FLT_MAX)), FLT_MAX);
  EXPECT_EQ(RaisedError([] { ToSingle(Variant::Double(3.5e38)); }), errors::kOverflow);
  EXPECT_EQ(RaisedError([] { ToDouble(Variant::Null()); }), errors::kInvalidUseOfNull);
  EXPECT_EQ(RaisedError([] { ToSingle(Str(u"x")); }), errors::kTypeMismatch);
}

TEST(Variant, ToBoolean) {
  using namespace errors;
  const struct {
    Variant input;
    Outcome outcome;  // 1 for true, 0 for false
  } cases[] = {
      {Str(u" TRUE "), Value(1)},
      {Str(u"false"), Value(0)},
      {Str(u"0"), Value(0)},
      {Str(u"-0.5"), Value(1)},
      {Str(u"yes"), Error(kTypeMismatch)},
      {Variant(), Value(0)},
      {Variant::Double(0.0), Value(0)},
      {Variant::Long(-3), Value(1)},
      {Variant::FromDate({0.5}), Value(1)},
      {Variant::Null(), Error(kInvalidUseOfNull)},
      {AFont(), Error(kTypeMismatch)},
  };
  for (const auto& c : cases) ExpectOutcome(ToBoolean, c.input, c.outcome);
}

TEST(Variant, ToDate) {
  using namespace errors;
  const struct {
    Variant input;
    Outcome outcome;  // the serial
  } cases[] = {
      {Variant::FromDate({-1.25}), Value(-1.25)},
      {Variant::Double(45000.25), Value(45000.25)},
      {Variant::Integer(-3), Value(-3)},
      {Str(u"7 December 2026"), Value(DateSerial(2026, 12, 7).serial)},
      {Str(u"29/2/2023"), Error(kTypeMismatch)},
      {Variant::Double(-657434.5), Value(-657434.5)},
      {Variant::Double(-657435), Error(kOverflow)},
      {Variant::Double(2958466), Error(kOverflow)},
      {Variant::Boolean(true), Error(kTypeMismatch)},
      {Variant(), Error(kTypeMismatch)},
      {Variant::Null(), Error(kInvalidUseOfNull)},
  };
  for (const auto& c : cases) ExpectOutcome([](const Variant& v) { return ToDate(v).serial; }, c.input, c.outcome);
}

TEST(Variant, ToText) {
  const struct {
    Variant input;
    std::u16string_view text;
  } cases[] = {
      {Variant(), u""},
      {Variant::Integer(-32768), u"-32768"},
      {Variant::Long(2147483647), u"2147483647"},
      {Variant::Single(0.1f), u"0.1"},
      {Variant::Single(16777216.0f), u"1.677722E+07"},
      {Variant::Single(-2.5e-6f), u"-2.5E-06"},
      {Variant::Double(0.1 + 0.2), u"0.3"},
      {Variant::Boolean(true), u"True"},
      {Variant::Boolean(false), u"False"},
      {Variant::FromDate(DateSerial(2026, 12, 7)), u"07/12/2026"},
      {Variant::FromDate({DateSerial(2026, 12, 7).serial + (13 * 3600 + 5 * 60 + 9) / 86400.0}),
       u"07/12/2026 13:05:09"},
      {Variant::FromDate({-1.25}), u"29/12/1899 06:00:00"},
      {Str(u" as is "), u" as is "},
  };
  for (const auto& c : cases) EXPECT_EQ(ToText(c.input), c.text) << TypeName(c.input);
  EXPECT_EQ(RaisedError([] { ToText(Variant::Null()); }), errors::kInvalidUseOfNull);
  EXPECT_EQ(RaisedError([] { ToText(AFont()); }), errors::kTypeMismatch);
}

TEST(Variant, NumericallyEquals) {
  const struct {
    Variant input;
    double n;
    bool equal;
  } cases[] = {
      {Variant::Integer(5), 5, true},
      {Variant::Double(5.5), 5, false},
      {Variant::Single(0.5f), 0.5, true},
      {Str(u" 5.0 "), 5, true},
      {Str(u"5x"), 5, false},
      {Str(u"1e999"), 0, false},
      {Variant::Boolean(true), -1, true},
      {Variant::FromDate({5}), 5, false},
      {Variant(), 0, true},
      {Variant(), 1, false},
      {Variant::Null(), 0, false},
      {AFont(), 0, false},
  };
  for (const auto& c : cases) EXPECT_EQ(NumericallyEquals(c.input, c.n), c.equal) << TypeName(c.input);
}

}  // namespace
}  // namespace kestrow::host
