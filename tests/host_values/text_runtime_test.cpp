#include <gtest/gtest.h>

#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

using namespace std::string_literals;

TEST(CaseConversion, MapsAsciiAndLatin1LettersOnly) {
  // Boundaries of the Latin-1 letter ranges, the two signs inside them, and sharp s.
  EXPECT_EQ(ToUpperCase(u"az\u00E0\u00FE\u00F7\u00FF\u00DF@[`{1"), u"AZ\u00C0\u00DE\u00F7\u0178\u00DF@[`{1");
  EXPECT_EQ(ToLowerCase(u"AZ\u00C0\u00DE\u00D7\u0178\u00DF@[`{1"), u"az\u00E0\u00FE\u00D7\u00FF\u00DF@[`{1");
  EXPECT_EQ(ToUpperCase(u"\u0101\u03B1"), u"\u0101\u03B1");  // beyond Latin-1: unchanged
}

TEST(CaseConversion, ProperCaseStartsWordsAfterWhiteSpaceOnly) {
  const struct {
    std::u16string_view in, out;
  } cases[] = {
      {u"ann lee", u"Ann Lee"},
      {u"ab-12", u"Ab-12"},
      {u"mcDONALD o'neil", u"Mcdonald O'neil"},
      {u"jOHN", u"John"},
      {u"a\tb\nc\rd\ve\ff  g", u"A\tB\nC\rD\vE\fF  G"},
      {u"12AB x.y", u"12ab X.y"},
      {u"\u00E9MILE", u"\u00C9mile"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ToProperCase(c.in), c.out) << ToUtf8(c.in);
}

TEST(TrimBlanks, RemovesOnlyBlanksAtTheEnds) {
  const std::u16string text = u"  a b \t ";
  const std::u16string_view trimmed = TrimBlanks(text);
  EXPECT_EQ(trimmed, u"a b \t");
  EXPECT_EQ(trimmed.data(), text.data() + 2);  // a view into the argument, not a copy
  EXPECT_EQ(TrimBlanks(u"   "), u"");
  EXPECT_EQ(TrimBlanks(u""), u"");
}

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string text = u"A\u00E9\u20AC\U0001F600\U0010FFFF\u0000z"s;
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\0z"s);
  EXPECT_EQ(FromUtf8(utf8), text);
}

TEST(Utf8, LoneSurrogatesEncodeAsReplacement) {
  const std::u16string text{u'a', char16_t{0xD800}, u'b', char16_t{0xDC00}, char16_t{0xDBFF}};
  EXPECT_EQ(ToUtf8(text),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, EachMalformedPrefixDecodesAsOneReplacement) {
  const struct {
    std::string_view in;
    std::u16string_view out;
  } cases[] = {
      {"\xC0\xAF", u"\uFFFD\uFFFD"},  // overlong lead
      {"\xE2\x82", u"\uFFFD"},        // truncated at the end
      {"\xE2\x82"
       "A",
       u"\uFFFDA"},                                       // truncated before ASCII
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xE0\x9F\x80", u"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
      {"\x80x\xFF", u"\uFFFDx\uFFFD"},                    // stray continuation, invalid byte
  };
  for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.in), c.out) << testing::PrintToString(std::string(c.in));
}

}  // namespace
}  // namespace kestrow::host
