#include "script_values.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "script_lexer.h"

namespace kestrow::script {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t Digits(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - from;
}

enum class NumberForm { None, Whole, Real };

// JSON's number form (leading zeros allowed): -?D+(.D+)?([eE][+-]?D+)?
NumberForm FormOf(std::string_view text) {
  std::size_t i = text.starts_with('-') ? 1 : 0;
  std::size_t n = Digits(text, i);
  if (n == 0) return NumberForm::None;
  i += n;
  NumberForm form = NumberForm::Whole;
  if (i < text.size() && text[i] == '.') {
    n = Digits(text, ++i);
    if (n == 0) return NumberForm::None;
    i += n;
    form = NumberForm::Real;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    n = Digits(text, i);
    if (n == 0) return NumberForm::None;
    i += n;
    form = NumberForm::Real;
  }
  return i == text.size() ? form : NumberForm::None;
}

[[noreturn]] void Bad(std::string_view what, std::string_view word, std::string_view why) {
  throw ScriptError(std::string(what) + " " + std::string(why) + ": " + std::string(word));
}

template <typename T>
T ParseFloating(std::string_view word, std::string_view what) {
  if (FormOf(word) == NumberForm::None) Bad(what, word, "is not a number");
  T value{};
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error == std::errc::result_out_of_range) Bad(what, word, "is out of range");
  if (error != std::errc() || end != word.data() + word.size()) Bad(what, word, "is not a number");
  return value;
}

int Field(std::string_view text, std::size_t at, std::size_t width) {
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (i >= text.size() || !IsDigit(text[i])) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::int64_t ParseWhole(std::string_view word, std::int64_t min, std::int64_t max, std::string_view what) {
  if (FormOf(word) != NumberForm::Whole) Bad(what, word, "is not a whole number");
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || value < min || value > max) {
    Bad(what, word, "is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")");
  }
  return value;
}

float ParseSingle(std::string_view word, std::string_view what) { return ParseFloating<float>(word, what); }

double ParseDouble(std::string_view word, std::string_view what) { return ParseFloating<double>(word, what); }

host::CivilDate ParseCivilDate(std::string_view text) {
  const int year = Field(text, 0, 4);
  const int month = Field(text, 5, 2);
  const int day = Field(text, 8, 2);
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || year < 0 || month < 0 || day < 0) {
    Bad("the date", text, "is not written YYYY-MM-DD");
  }
  if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    Bad("the date", text, "is not a day of the years 100 to 9999");
  }
  return {year, month, day};
}

host::Date ParseDateTime(std::string_view text) {
  const host::CivilDate civil = ParseCivilDate(text.substr(0, 10));
  int seconds = 0;
  if (text.size() > 10) {
    const std::string_view time = text.substr(10);
    const int hours = Field(time, 1, 2);
    const int minutes = Field(time, 4, 2);
    const int secs = Field(time, 7, 2);
    if (time.size() != 9 || time[0] != 'T' || time[3] != ':' || time[6] != ':' || hours < 0 || minutes < 0 ||
        secs < 0) {
      Bad("the date", text, "is not written YYYY-MM-DDTHH:MM:SS");
    }
    if (hours > 23 || minutes > 59 || secs > 59) Bad("the date", text, "has no such time of day");
    seconds = (hours * 60 + minutes) * 60 + secs;
  }
  const double day = host::DateSerial(civil.year, civil.month, civil.day).serial;
  const double time = seconds / 86400.0;
  // Before the host's day 0 the serial counts back while its fraction still runs forward.
  return host::Date{day < 0 ? day - time : day + time};
}

std::int16_t ParseModifiers(std::string_view word) {
  std::int16_t shift = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = word.find('+', start);
    const std::string_view part =
        word.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
    if (SameLetters(part, "shift")) {
      shift |= 1;
    } else if (SameLetters(part, "ctrl")) {
      shift |= 2;
    } else if (SameLetters(part, "alt")) {
      shift |= 4;
    } else {
      Bad("the modifiers", word, "are not shift, ctrl, alt or a + join of them");
    }
    if (plus == std::string_view::npos) return shift;
    start = plus + 1;
  }
}

std::int16_t ParseShift(std::string_view word) {
  if (!word.empty() && (IsDigit(word[0]) || word[0] == '-')) {
    return static_cast<std::int16_t>(ParseWhole(word, std::numeric_limits<std::int16_t>::min(),
                                                std::numeric_limits<std::int16_t>::max(), "the shift state"));
  }
  return ParseModifiers(word);
}

host::Variant ParseValue(std::string_view word) {
  using host::Variant;
  if (word.starts_with('"')) return Variant::String(ParseString(word));
  if (word == "true" || word == "false") return Variant::Boolean(word == "true");
  if (word == "null") return Variant::Null();
  if (word == "empty") return Variant();

  const std::size_t colon = word.find(':');
  if (colon != std::string_view::npos && colon > 0 && !IsDigit(word[0]) && word[0] != '-') {
    const std::string_view type = word.substr(0, colon);
    const std::string_view text = word.substr(colon + 1);
    if (type == "Integer") {
      return Variant::Integer(static_cast<std::int16_t>(ParseWhole(
          text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(), "the Integer")));
    }
    if (type == "Long") {
      return Variant::Long(static_cast<std::int32_t>(ParseWhole(text, std::numeric_limits<std::int32_t>::min(),
                                                                std::numeric_limits<std::int32_t>::max(), "the Long")));
    }
    if (type == "Single") return Variant::Single(ParseSingle(text, "the Single"));
    if (type == "Double") return Variant::Double(ParseDouble(text, "the Double"));
    if (type == "Boolean") {
      if (text != "true" && text != "false") Bad("the Boolean", text, "is not true or false");
      return Variant::Boolean(text == "true");
    }
    if (type == "String") return Variant::String(ParseString(text));
    if (type == "Date") return Variant::FromDate(ParseDateTime(text));
    Bad("the value", word, "has an unknown subtype (Integer, Long, Single, Double, Boolean, String, Date)");
  }

  switch (FormOf(word)) {
    case NumberForm::Whole: {
      const std::int64_t limit = std::numeric_limits<std::int32_t>::max();
      std::int64_t whole = 0;
      const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), whole);
      if (error == std::errc() && end == word.data() + word.size() && whole >= -limit - 1 && whole <= limit) {
        if (whole >= std::numeric_limits<std::int16_t>::min() && whole <= std::numeric_limits<std::int16_t>::max()) {
          return Variant::Integer(static_cast<std::int16_t>(whole));
        }
        return Variant::Long(static_cast<std::int32_t>(whole));
      }
      return Variant::Double(ParseDouble(word, "the number"));
    }
    case NumberForm::Real: return Variant::Double(ParseDouble(word, "the number"));
    case NumberForm::None: break;
  }
  Bad("the value", word, "is not a string, number, true, false, null, empty or TYPE:VALUE");
}

}  // namespace kestrow::script
