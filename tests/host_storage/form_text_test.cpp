#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

#include "host_storage/form_testing.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using test_support::Raised;
using test_support::SameValue;
using test_support::Unplaced;

Date At(int year, int month, int day, int seconds) {
  const Date whole = DateSerial(year, month, day);
  const double time = seconds / 86400.0;
  return Date{whole.serial < 0 ? whole.serial - time : whole.serial + time};
}

StoredControl ControlOf(std::u16string name, std::vector<std::pair<std::string, Variant>> values) {
  StoredControl control{std::move(name), "Text", {}};
  for (auto& [key, value] : values) control.properties.WriteProperty(key, value, Variant());
  return control;
}

Variant OneValueBack(const Variant& value) {
  const auto controls = ParseForm(FormatForm({ControlOf(u"F", {{"K", value}})}), "t.json");
  return controls.at(0).properties.Entries().at(0).second;
}

// --- Writing --------------------------------------------------------------------------------

TEST(FormText, SmallFormIsWrittenExactly) {
  auto font = std::make_shared<Font>();
  font->name = u"Caf\u00e9";
  const std::string text = FormatForm({ControlOf(u"Field1", {{"BackColor", Variant::Long(-2147483643)},
                                                             {"FontSize", Variant::Single(0.1f)},
                                                             {"Value", Variant::Null()},
                                                             {"Font", Variant::Object(font)},
                                                             {"DragIcon", Variant::Object(nullptr)}})});
  EXPECT_EQ(text, R"({
  "form": "kestrow",
  "version": 1,
  "controls": [
    {
      "name": "Field1",
      "class": "Text",
      "properties": [
        {
          "key": "BackColor",
          "type": "Long",
          "value": -2147483643
        },
        {
          "key": "FontSize",
          "type": "Single",
          "value": 0.1
        },
        {
          "key": "Value",
          "type": "Null"
        },
        {
          "key": "Font",
          "type": "Font",
          "value": {
            "name": "Café",
            "size": 9.75,
            "weight": 400,
            "charset": 0,
            "bold": false,
            "italic": false,
            "underline": false,
            "strikethrough": false
          }
        },
        {
          "key": "DragIcon",
          "type": "Nothing"
        }
      ]
    }
  ]
}
)");
}

TEST(FormText, NumbersReadBackBitIdentical) {
  for (const float f : {0.1f, 3.4028235e38f, -3.4028235e38f, -0.0f, FLT_TRUE_MIN, FLT_MIN, 1.0f / 3.0f, 16777215.0f}) {
    const Variant back = OneValueBack(Variant::Single(f));
    ASSERT_EQ(back.Type(), VarType::Single) << f;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(back.AsSingle()), std::bit_cast<std::uint32_t>(f)) << f;
  }
  for (const double d : {0.1, 1e-300, -0.0, DBL_TRUE_MIN, DBL_MAX, 0.1 + 0.2, -2147483648.5, 1e21}) {
    const Variant back = OneValueBack(Variant::Double(d));
    ASSERT_EQ(back.Type(), VarType::Double) << d;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(back.AsDouble()), std::bit_cast<std::uint64_t>(d)) << d;
  }
}

TEST(FormText, DatesComeBackExactlyOnEitherSideOfTheEpoch) {
  for (const Date date : {At(100, 1, 1, 0), At(9999, 12, 31, 86399), At(1899, 12, 29, 6 * 3600), At(1899, 12, 30, 1),
                          At(2024, 2, 29, 0)}) {
    EXPECT_EQ(OneValueBack(Variant::FromDate(date)), Variant::FromDate(date)) << date.serial;
  }
  // A fraction of a second, which the text form cannot hold, is kept as the serial number.
  for (const Date date : {Date{At(2026, 1, 1, 10).serial + 0.4 / 86400}, Date{1e-7}, Date{-1.0000001}}) {
    EXPECT_EQ(OneValueBack(Variant::FromDate(date)), Variant::FromDate(date)) << date.serial;
  }
}

TEST(FormText, ValuesThatCannotBeStoredAreRefused) {
  class Other final : public HostObject {
    std::string_view KindName() const override { return "Other"; }
  };
  auto badFont = std::make_shared<Font>();
  badFont->size = std::numeric_limits<float>::quiet_NaN();
  const Variant refused[] = {
      Variant::Single(std::numeric_limits<float>::infinity()),
      Variant::Double(-std::numeric_limits<double>::infinity()),
      Variant::Double(std::nan("")),
      Variant::FromDate(Date{std::nan("")}),
      Variant::FromDate(Date{At(9999, 12, 31, 86399).serial + 0.9 / 86400}),  // rounds into the year 10000
      Variant::FromDate(Date{-657435.0}),
      Variant::Object(badFont),
      Variant::Object(std::make_shared<Other>())};
  for (const Variant& value : refused) {
    const auto error = Raised([&] { FormatForm({ControlOf(u"F1", {{"Key", value}})}); });
    ASSERT_TRUE(error) << TypeName(value);
    EXPECT_EQ(error->Number(), errors::kInvalidPropertyValue);
    EXPECT_NE(error->Description().find("control \"F1\", key \"Key\""), std::string::npos) << error->Description();
  }
  // The same name twice, and names that differ only in unpaired surrogates (written alike).
  const std::pair<std::u16string, std::u16string> sameNames[] = {
      {u"A", u"A"}, {std::u16string(1, char16_t{0xD800}), std::u16string(1, char16_t{0xDC00})}};
  // A pair, not a structured binding: clang 14 cannot capture bindings in a lambda.
  for (const auto& names : sameNames) {
    const auto twice = Raised([&] { FormatForm({ControlOf(names.first, {}), ControlOf(names.second, {})}); });
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->Number(), errors::kInvalidPropertyValue);
  }
  const auto notUtf8 = Raised([] { FormatForm({ControlOf(u"A", {{"\xff", Variant()}})}); });
  ASSERT_TRUE(notUtf8);
  EXPECT_EQ(notUtf8->Number(), errors::kInvalidPropertyValue);
}

// --- Reading --------------------------------------------------------------------------------

std::string FormWithProperty(const std::string& property) {
  return R"({"form":"kestrow","version":1,"controls":[{"name":"Field1","class":"Text","properties":[)" + property +
         "]}]}";
}

std::string WithValue(const std::string& type, const std::string& value) {
  return FormWithProperty(R"({"key":"K","type":")" + type + R"(","value":)" + value + "}");
}

TEST(FormText, ValuesInRangeAreRead) {
  const struct {
    std::string type, value;
    Variant expected;
  } cases[] = {
      {"Integer", "-32768", Variant::Integer(-32768)},
      {"Long", "-2147483648", Variant::Long(std::numeric_limits<std::int32_t>::min())},
      {"Single", "3.40282356e38", Variant::Single(FLT_MAX)},  // above FLT_MAX but rounds to it
      {"Single", "7", Variant::Single(7.0f)},
      {"Date", "\"2024-02-29\"", Variant::FromDate(DateSerial(2024, 2, 29))},
      {"Date", "\"2026-01-01T00:00:00\"", Variant::FromDate(DateSerial(2026, 1, 1))},
      {"String", "\"\\ud83d\\ude00\\u0000\"", Variant::String(u"\U0001F600" + std::u16string(1, u'\0'))},
      {"Boolean", "false", Variant::Boolean(false)},
  };
  for (const auto& c : cases) {
    const auto controls = ParseForm(WithValue(c.type, c.value), "form.json");
    EXPECT_TRUE(SameValue(controls.at(0).properties.Entries().at(0).second, c.expected)) << c.type << " " << c.value;
  }
}

TEST(FormText, WrongValuesNameTheFileControlAndKey) {
  const struct {
    std::string type, value, problem;
  } cases[] = {
      {"Integer", "70000", "Integer value out of range"},
      {"Integer", "1.0", "Integer value is not an integer"},
      {"Long", "1e12", "Long value is not an integer"},
      {"Long", "2147483648", "Long value out of range"},
      {"Long", "18446744073709551615", "Long value out of range"},
      {"Long", "-9223372036854775808", "Long value out of range"},
      {"Single", "3.4028236e38", "Single value out of range"},
      {"Single", "-3.4028235677973366e38", "Single value out of range"},  // the tie rounds to infinity
      {"Double", "true", "Double value is not a number"},
      {"Boolean", "1", "Boolean value is not true or false"},
      {"String", "5", "String value is not a string"},
      {"Date", "true", "Date value is not a string or a serial number"},
      {"Date", "1e9", "Date value out of range"},
      {"Date", "\"2026-13-01\"", "Date value out of range"},
      {"Date", "\"2025-02-29\"", "Date value out of range"},
      {"Date", "\"2026-01-01T24:00:00\"", "Date value out of range"},
      {"Date", "\"2026-1-01\"", "Date value is not YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS"},
      {"Date", "\"+026-01-01\"", "Date value is not YYYY-MM-DD or YYYY-MM-DDTHH:MM:SS"},
      {"Font", "\"Arial\"", "Font value is not a JSON object"},
      {"Font", R"({"name":"A","size":9,"weight":400,"charset":0,"bold":false,"underline":false,"strikethrough":false})",
       "missing \"italic\""},
      {"Font",
       R"({"name":"A","size":9,"weight":40000,"charset":0,"bold":false,"italic":false,"underline":false,"strikethrough":false})",
       "Font \"weight\" out of range"},
      {"Font",
       R"({"name":"A","size":9,"weight":4,"charset":0,"bold":0,"italic":false,"underline":false,"strikethrough":false})",
       "Font \"bold\" is not true or false"},
      {"Font",
       R"({"name":"A","size":9,"weight":4,"charset":0,"bold":false,"italic":false,"underline":false,"strikethrough":false,"x":1})",
       "unexpected member \"x\""},
      {"Picture", R"({"width":1,"height":1,"bits":"abc"})", "Picture \"bits\" is not base64"},
      {"Picture", R"({"width":1,"height":1,"bits":"QR=="})", "Picture \"bits\" is not base64"},
      {"Picture", R"({"width":1.5,"height":1,"bits":""})", "Picture \"width\" is not an integer"},
      {"Empty", "0", "Empty takes no \"value\""},
      {"Nothing", "{}", "Nothing takes no \"value\""},
      {"Currency", "1", "unknown type \"Currency\""},
  };
  for (const auto& c : cases) {
    const auto error = Raised([&] { ParseForm(WithValue(c.type, c.value), "form.json"); });
    ASSERT_TRUE(error) << c.type << " " << c.value;
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
    EXPECT_EQ(Unplaced(error->Description()), "form.json: control \"Field1\", key \"K\": " + c.problem) << c.value;
  }
}

TEST(FormText, MalformedStructureIsNamed) {
  const std::string head = R"({"form":"kestrow","version":1,"controls":)";
  const struct {
    std::string text, problem;
  } cases[] = {
      {"", "invalid JSON: "},
      {"[]", "not a JSON object"},
      {head + "[]} x", "invalid JSON: "},
      {R"({"form":"other","version":1,"controls":[]})", "\"form\" is not \"kestrow\""},
      {R"({"form":"kestrow","version":2,"controls":[]})", "unsupported version 2"},
      {R"({"form":"kestrow","version":"1","controls":[]})", "\"version\" is not an integer"},
      {R"({"form":"kestrow","version":1})", "missing \"controls\""},
      {R"({"form":"kestrow","version":1,"controls":[],"extra":0})", "unexpected member \"extra\""},
      {head + R"([{"class":"Text","properties":[]}]})", "controls[0]: missing \"name\""},
      {head + R"([{"name":5,"class":"Text","properties":[]}]})", "controls[0]: \"name\" is not a string"},
      {head + R"([{"name":"A","class":"Text","properties":[]},{"name":"A","class":"Text","properties":[]}]})",
       "controls[1]: control name \"A\" used twice"},
      {FormWithProperty(R"({"type":"Empty"})"), "control \"Field1\", properties[0]: missing \"key\""},
      {FormWithProperty(R"({"key":"K","type":"Long"})"), "control \"Field1\", key \"K\": missing \"value\""},
      {FormWithProperty(R"({"key":"K","type":"Empty"},{"key":"K","type":"Null"})"),
       "control \"Field1\", key \"K\": key stored twice"},
      {FormWithProperty(R"({"key":"K","type":"Long","value":1,"value":2})"),
       "control \"Field1\", key \"K\": JSON object names member \"value\" twice"},
      {FormWithProperty(R"({"key":"K","value":1,"type":"Long"})"),
       "control \"Field1\", key \"K\": \"value\" before \"type\""},
      {FormWithProperty(R"({"key":"K","type":"Double","value":1e999})"),
       "control \"Field1\", key \"K\": invalid JSON: number overflow"},
      {FormWithProperty("{\"key\":\"\xff\",\"type\":\"Empty\"}"), "control \"Field1\", properties[0]: invalid JSON: "},
      {FormWithProperty(R"({"key":"\ud800","type":"Empty"})"), "control \"Field1\", properties[0]: invalid JSON: "},
  };
  for (const auto& c : cases) {
    const auto error = Raised([&] { ParseForm(c.text, "form.json"); });
    ASSERT_TRUE(error) << c.text;
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
    EXPECT_TRUE(Unplaced(error->Description()).starts_with("form.json: " + c.problem)) << error->Description();
    EXPECT_EQ(ToUtf8(FromUtf8(error->Description())), error->Description()) << "description is not UTF-8";
  }
}

// A file as the earlier writer saved it: nlohmann's number forms (1.0, 1e+20, 1e-07, -0.0) and
// short escapes (\n, \t). It reads to the same values, and writing them again keeps them.
TEST(FormText, FilesSavedByTheEarlierWriterReadTheSame) {
  const std::string saved = R"({
  "form": "kestrow",
  "version": 1,
  "controls": [
    {
      "name": "Old",
      "class": "Text",
      "properties": [
        {
          "key": "Whole",
          "type": "Double",
          "value": 1.0
        },
        {
          "key": "Big",
          "type": "Double",
          "value": 1e+20
        },
        {
          "key": "Tiny",
          "type": "Double",
          "value": 1e-07
        },
        {
          "key": "NegZero",
          "type": "Double",
          "value": -0.0
        },
        {
          "key": "Size",
          "type": "Single",
          "value": 12.0
        },
        {
          "key": "Text",
          "type": "String",
          "value": "a\nb\u0001\"\\"
        },
        {
          "key": "When",
          "type": "Date",
          "value": 46000.000004629626
        },
        {
          "key": "Day",
          "type": "Date",
          "value": "2026-12-07"
        },
        {
          "key": "Font",
          "type": "Font",
          "value": {
            "name": "Tab\tFace",
            "size": 12.0,
            "weight": 400,
            "charset": 0,
            "bold": true,
            "italic": false,
            "underline": false,
            "strikethrough": false
          }
        },
        {
          "key": "Picture",
          "type": "Picture",
          "value": {
            "width": 2,
            "height": 1,
            "bits": "AP8Q"
          }
        },
        {
          "key": "Count",
          "type": "Integer",
          "value": -3
        }
      ]
    }
  ]
}
)";
  auto font = std::make_shared<Font>();
  font->name = u"Tab\tFace";
  font->size = 12.0f;
  font->bold = true;
  auto picture = std::make_shared<Picture>();
  picture->width = 2;
  picture->height = 1;
  picture->bits = std::string("\x00\xff\x10", 3);
  const std::vector<std::pair<std::string, Variant>> expected = {
      {"Whole", Variant::Double(1.0)},
      {"Big", Variant::Double(1e20)},
      {"Tiny", Variant::Double(1e-7)},
      {"NegZero", Variant::Double(-0.0)},
      {"Size", Variant::Single(12.0f)},
      {"Text", Variant::String(u"a\nb\u0001\"\\")},
      {"When", Variant::FromDate(Date{46000.0 + 0.4 / 86400})},
      {"Day", Variant::FromDate(DateSerial(2026, 12, 7))},
      {"Font", Variant::Object(font)},
      {"Picture", Variant::Object(picture)},
      {"Count", Variant::Integer(-3)}};
  const auto read = ParseForm(saved, "old.json");
  for (const auto& controls : {read, ParseForm(FormatForm(read), "new.json")}) {
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0].name, u"Old");
    const auto& entries = controls[0].properties.Entries();
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(entries[i].first, expected[i].first);
      EXPECT_TRUE(SameValue(entries[i].second, expected[i].second)) << expected[i].first;
    }
    EXPECT_TRUE(std::signbit(entries[3].second.AsDouble()));
  }
}

// --- Hostile input --------------------------------------------------------------------------

std::string Repeated(std::string_view part, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += part;
  return out;
}

// Reading goes no deeper than the form's own shape: a deep text is refused where it leaves it.
TEST(FormText, NestingIsBoundedHoweverDeep) {
  const std::string font = R"({"form":"kestrow","version":1,"controls":[{"name":"Field1","class":"Text","properties":)"
                           R"([{"key":"K","type":"Font","value":{"name":)";
  const struct {
    std::string text, description;
  } cases[] = {
      {std::string(10'000'000, '['), "deep.json: line 1, column 1: not a JSON object"},
      {"\n\n  " + Repeated(R"({"a":)", 1'000'000), "deep.json: line 3, column 6: unexpected member \"a\""},
      {font + std::string(1'000'000, '{'), "deep.json: line 1, column " + std::to_string(font.size() + 1) +
                                               ": control \"Field1\", key \"K\": \"name\" is not a string"},
  };
  for (const auto& c : cases) {
    const auto error = Raised([&] { ParseForm(c.text, "deep.json"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat);
    EXPECT_EQ(error->Description(), c.description);
  }
}

std::string FullForm() {
  auto font = std::make_shared<Font>();
  auto picture = std::make_shared<Picture>();
  picture->bits = "\x01\x02\xff";
  return FormatForm({ControlOf(u"One", {{"E", Variant()},
                                        {"N", Variant::Null()},
                                        {"I", Variant::Integer(-5)},
                                        {"L", Variant::Long(70000)},
                                        {"S", Variant::Single(1.5f)},
                                        {"D", Variant::Double(-0.25)},
                                        {"T", Variant::FromDate(At(2026, 7, 4, 61))},
                                        {"Str", Variant::String(u"\u00e9\"\\")},
                                        {"B", Variant::Boolean(true)},
                                        {"F", Variant::Object(font)},
                                        {"P", Variant::Object(picture)},
                                        {"O", Variant::Object(nullptr)}}),
                     ControlOf(u"Two", {})});
}

// The place named is the last byte read when the fault was found, counted from 1 on each line.
TEST(FormText, FaultsNameTheirLineAndColumn) {
  const std::string text = FullForm();
  const struct {
    std::string from, to, description;
  } cases[] = {
      {"\"value\": 70000", "\"value\": 70000x",
       "cut.json: line 25, column 25: control \"One\", key \"L\": invalid JSON: syntax error while parsing object"},
      // A number is known to end at the byte after it, here the end of its line.
      {"\"value\": -5", "\"value\": 70000",
       "cut.json: line 20, column 25: control \"One\", key \"I\": Integer value out of range"},
      {"\"class\": \"Text\"", "\"kind\": \"Text\"",
       "cut.json: line 7, column 12: control \"One\": unexpected member \"kind\""},
  };
  for (const auto& c : cases) {
    std::string changed = text;
    changed.replace(changed.find(c.from), c.from.size(), c.to);
    const auto error = Raised([&] { ParseForm(changed, "cut.json"); });
    ASSERT_TRUE(error) << c.to;
    EXPECT_TRUE(error->Description().starts_with(c.description)) << error->Description();
  }
}

TEST(FormText, EveryTruncationIsAnErrorNamingTheSource) {
  const std::string text = FullForm();
  ASSERT_NO_THROW(ParseForm(text.substr(0, text.size() - 1), "cut.json"));  // only the final newline gone
  for (std::size_t cut = 0; cut + 1 < text.size(); ++cut) {
    const auto error = Raised([&] { ParseForm(text.substr(0, cut), "cut.json"); });
    ASSERT_TRUE(error) << cut;
    EXPECT_EQ(error->Number(), errors::kInvalidFileFormat) << cut;
    EXPECT_TRUE(error->Description().starts_with("cut.json: ")) << error->Description();
  }
}

// Single-byte corruption anywhere: either still a form or the one file-format error, never
// another exception or a crash.
TEST(FormText, CorruptedBytesGiveOnlyTheFileFormatError) {
  const std::string text =
      R"({"form":"kestrow","version":1,"controls":[{"name":"A","class":"Text","properties":[)"
      R"({"key":"E","type":"Empty"},{"key":"I","type":"Integer","value":-5},)"
      R"({"key":"S","type":"Single","value":1.5e3},{"key":"T","type":"Date","value":"2026-07-04T00:01:01"},)"
      R"({"key":"X","type":"String","value":"\u00e9\""},{"key":"B","type":"Boolean","value":true},)"
      R"({"key":"F","type":"Font","value":{"name":"C","size":9.75,"weight":400,"charset":0,)"
      R"("bold":false,"italic":false,"underline":false,"strikethrough":false}},)"
      R"({"key":"P","type":"Picture","value":{"width":0,"height":0,"bits":"AQL/"}}]}]})";
  ASSERT_EQ(ParseForm(text, "good.json").at(0).properties.Entries().size(), 8u);
  int rejected = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char replacement : {'"', '{', ']', ':', '0', '\\', '\xff'}) {
      std::string corrupted = text;
      corrupted[i] = replacement;
      try {
        ParseForm(corrupted, "bad.json");
      } catch (const HostError& error) {
        ASSERT_EQ(error.Number(), errors::kInvalidFileFormat) << i << " " << error.Description();
        ++rejected;
      }
    }
  }
  EXPECT_GT(rejected, static_cast<int>(text.size()));
}

}  // namespace
}  // namespace kestrow::host
