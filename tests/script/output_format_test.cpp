// The printed forms of values: JSON numbers that read back to the value's own type, escapes that
// keep every 16-bit text intact, and the host's dates, colours and objects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "host/storage/json_writer.h"
#include "kestrow/host/values/objects.h"
#include "kestrow/host/values/runtime.h"
#include "value_json.h"

namespace kestrow::script {
namespace {

using host::Variant;

std::string Printed(const Variant& value, ValueStyle style = ValueStyle::Plain) {
  json::JsonWriter json;
  WriteValue(json, value, style);
  return json.Text();
}

TEST(NumberOutput, SinglesPrintTheShortestTextOfTheFloatNotOfItsDouble) {
  EXPECT_EQ(Printed(Variant::Single(0.1f)), "0.1");
  EXPECT_EQ(Printed(Variant::Single(9.75f)), "9.75");
  EXPECT_EQ(Printed(Variant::Double(static_cast<double>(0.1f))), "0.10000000149011612");
}

TEST(NumberOutput, DoublesReadBackExactlyAndStayValidJson) {
  for (const double value : {0.1, 1e20, 1e-7, -2.5e-300, 123456789.125, 1.0 / 3.0}) {
    const std::string text = Printed(Variant::Double(value));
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    EXPECT_EQ(text.find_first_not_of("0123456789.-+e"), std::string::npos) << text;
    EXPECT_NE(text.front(), '.') << text;
  }
  EXPECT_EQ(Printed(Variant::Double(7)), "7");
}

TEST(NumberOutput, ColoursPrintAsUnsignedOnlyWhenAsked) {
  const Variant systemColour = Variant::Long(static_cast<std::int32_t>(0x80000005u));
  EXPECT_EQ(Printed(systemColour, ValueStyle::Colour), "2147483653");
  EXPECT_EQ(Printed(systemColour), "-2147483643");
  EXPECT_EQ(Printed(Variant::Integer(-5), ValueStyle::Colour), "-5") << "only a Long holds a colour";
}

TEST(TextOutput, EscapesQuotesBackslashesAndControlCharacters) {
  json::JsonWriter json;
  json.String(std::u16string(u"a\"b\\c\n\x01\x1f") + u'\0');
  EXPECT_EQ(json.Text(), R"("a\"b\\c\u000a\u0001\u001f\u0000")");
}

TEST(TextOutput, PairsBecomeUtf8AndLoneSurrogatesStayEscaped) {
  json::JsonWriter json;
  json.String(std::u16string(u"\u00e9\U0001F600") + char16_t{0xD800} + u"x" + char16_t{0xDC00});
  EXPECT_EQ(json.Text(), "\"\xC3\xA9\xF0\x9F\x98\x80\\ud800x\\udc00\"");
}

TEST(StructureOutput, MembersKeepTheirOrderWithCommasOnlyBetween) {
  json::JsonWriter json;
  json.BeginObject()
      .Key("z")
      .Integer(1)
      .Key("a")
      .BeginArray()
      .EndArray()
      .Key("m")
      .BeginArray()
      .Null()
      .Boolean(false)
      .EndArray();
  json.Key("o").BeginObject().EndObject().EndObject();
  EXPECT_EQ(json.Text(), R"({"z":1,"a":[],"m":[null,false],"o":{}})");
}

TEST(ValueOutput, DatesShowTheTimeOnlyWhenThereIsOne) {
  const host::Date day = host::DateSerial(2026, 12, 7);
  EXPECT_EQ(Printed(Variant::FromDate(day)), R"("2026-12-07")");
  EXPECT_EQ(Printed(Variant::FromDate({day.serial + 0.75})), R"("2026-12-07T18:00:00")");
  // Before day 0 the fraction still counts forward from midnight.
  EXPECT_EQ(Printed(Variant::FromDate({-1.25})), R"("1899-12-29T06:00:00")");
  EXPECT_EQ(DateText(host::DateSerial(100, 1, 1)), "0100-01-01");
}

TEST(ValueOutput, ObjectsNothingAndTheEmptyKinds) {
  auto font = std::make_shared<host::Font>();
  font->bold = true;
  EXPECT_EQ(Printed(Variant::Object(font)),
            R"({"name":"Courier New","size":9.75,"bold":true,"italic":false,"underline":false,"strikethrough":false})");
  auto picture = std::make_shared<host::Picture>();
  picture->width = 32;
  picture->height = 16;
  EXPECT_EQ(Printed(Variant::Object(picture)), R"({"width":32,"height":16})");
  EXPECT_EQ(Printed(Variant::Object(nullptr)), "null");
  EXPECT_EQ(Printed(Variant::Null()), "null");
  EXPECT_EQ(Printed(Variant()), "null");
  EXPECT_EQ(Printed(Variant::Boolean(true)), "true");
}

}  // namespace
}  // namespace kestrow::script
