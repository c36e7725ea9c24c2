// Dates: serial arithmetic, the date picture, text-to-date conversion and the host's clock.
#include <cmath>
#include <ctime>
#include <string>
#include <utility>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

constexpr int kSecondsPerDay = 86400;

// Days since 1970-01-01 in the proleptic Gregorian calendar (eras of 400 years, March-based
// years so the leap day falls at the end).
constexpr long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const auto yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

constexpr CivilDate CivilFromDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
  const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const long long year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

constexpr long long kEpoch = DaysFromCivil(1899, 12, 30);
constexpr long long kFirstDay = DaysFromCivil(100, 1, 1) - kEpoch;
constexpr long long kLastDay = DaysFromCivil(9999, 12, 31) - kEpoch;

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// A serial's day and its time of day, rounded to the nearest second (which may carry into the
// next day). The day part counts back for negative serials while the time still runs forward.
struct DayAndTime {
  long long day = 0;
  int seconds = 0;
};

DayAndTime Split(Date date) {
  // Far beyond any calendar the host knows, and the day would no longer fit the arithmetic.
  if (!(std::fabs(date.serial) < 1e11)) errors::RaiseOverflow();
  const double whole = std::trunc(date.serial);
  DayAndTime split{static_cast<long long>(whole), 0};
  const long long seconds = std::llround(std::fabs(date.serial - whole) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++split.day;
  } else {
    split.seconds = static_cast<int>(seconds);
  }
  return split;
}

Date SerialOf(long long day, int seconds) {
  const double time = static_cast<double>(seconds) / kSecondsPerDay;
  const auto whole = static_cast<double>(day);
  return Date{day < 0 ? whole - time : whole + time};
}

void AppendPadded(std::u16string& out, int value, std::size_t width) {
  const std::string digits = std::to_string(value);
  out.append(width > digits.size() ? width - digits.size() : 0, u'0');
  out.append(digits.begin(), digits.end());
}

// --- Text to date --------------------------------------------------------------------------

struct Fields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Pattern letters: Y year (4 digits), O month (2 digits), D day (2 digits), d day (1-2 digits),
// M English month name, h/n/s hour/minute/second (2 digits), " " one or more blanks; anything
// else must appear as is (letters in either case).
constexpr std::u16string_view kPatterns[] = {
    u"Y-O-D", u"Y-O-DTh:n", u"Y-O-DTh:n:s", u"Y-O-D h:n", u"Y-O-D h:n:s", u"d M Y", u"M d, Y", u"M d Y",
};

struct NumberField {
  char16_t letter;
  int Fields::*field;
  std::size_t min_digits;
  std::size_t max_digits;
};

constexpr NumberField kNumberFields[] = {
    {u'Y', &Fields::year, 4, 4},   {u'O', &Fields::month, 2, 2}, {u'D', &Fields::day, 2, 2},
    {u'd', &Fields::day, 1, 2},    {u'h', &Fields::hour, 2, 2},  {u'n', &Fields::minute, 2, 2},
    {u's', &Fields::second, 2, 2},
};

constexpr std::u16string_view kMonthNames[] = {u"january",   u"february", u"march",    u"april",
                                               u"may",       u"june",     u"july",     u"august",
                                               u"september", u"october",  u"november", u"december"};

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool IsAsciiLetter(char16_t c) { return LowerAscii(c) >= u'a' && LowerAscii(c) <= u'z'; }

const NumberField* FindNumberField(char16_t letter) {
  for (const NumberField& field : kNumberFields) {
    if (field.letter == letter) return &field;
  }
  return nullptr;
}

class PatternMatch {
 public:
  explicit PatternMatch(std::u16string_view text) : text_(text) {}

  std::optional<Fields> Run(std::u16string_view pattern) {
    for (char16_t letter : pattern) {
      if (!Step(letter)) return std::nullopt;
    }
    if (pos_ != text_.size()) return std::nullopt;
    return fields_;
  }

 private:
  bool Step(char16_t letter) {
    if (letter == u' ') return Blanks();
    if (letter == u'M') return MonthName();
    if (const NumberField* field = FindNumberField(letter)) return Number(*field);
    if (pos_ >= text_.size() || LowerAscii(text_[pos_]) != LowerAscii(letter)) return false;
    ++pos_;
    return true;
  }

  bool Blanks() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] == u' ') ++pos_;
    return pos_ > start;
  }

  bool Number(const NumberField& field) {
    const std::size_t start = pos_;
    int value = 0;
    while (pos_ < text_.size() && pos_ - start < field.max_digits && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
      value = value * 10 + (text_[pos_++] - u'0');
    }
    fields_.*field.field = value;
    return pos_ - start >= field.min_digits;
  }

  // A full English month name or its first three letters.
  bool MonthName() {
    std::u16string word;
    while (pos_ < text_.size() && IsAsciiLetter(text_[pos_])) word += LowerAscii(text_[pos_++]);
    for (int month = 1; month <= 12; ++month) {
      const std::u16string_view name = kMonthNames[month - 1];
      if (word == name || word == name.substr(0, 3)) {
        fields_.month = month;
        return true;
      }
    }
    return false;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
  Fields fields_;
};

std::optional<Date> ValidDate(const Fields& f) {
  if (f.year < 100 || f.year > 9999 || f.month < 1 || f.month > 12) return std::nullopt;
  if (f.day < 1 || f.day > DaysInMonth(f.year, f.month)) return std::nullopt;
  if (f.hour > 23 || f.minute > 59 || f.second > 59) return std::nullopt;
  const long long day = DaysFromCivil(f.year, static_cast<unsigned>(f.month), static_cast<unsigned>(f.day)) - kEpoch;
  return SerialOf(day, f.hour * 3600 + f.minute * 60 + f.second);
}

// --- Clock ---------------------------------------------------------------------------------

CivilDate SystemDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

Clock& CurrentClock() {
  static Clock clock;
  return clock;
}

}  // namespace

Date DateSerial(int year, int month, int day) {
  const long long months = static_cast<long long>(month) - 1;
  const long long wholeYear = year + FloorDiv(months, 12);
  const auto monthOfYear = static_cast<unsigned>(months - FloorDiv(months, 12) * 12 + 1);
  const long long serial = DaysFromCivil(wholeYear, monthOfYear, 1) + (static_cast<long long>(day) - 1) - kEpoch;
  if (serial < kFirstDay || serial > kLastDay) errors::RaiseInvalidProcedureCall();
  return Date{static_cast<double>(serial)};
}

CivilDate CivilOf(Date date) { return CivilFromDays(Split(date).day + kEpoch); }

int SecondsOfDay(Date date) { return Split(date).seconds; }

std::u16string FormatDate(Date date, std::u16string_view picture) {
  const CivilDate civil = CivilOf(date);
  struct Token {
    std::u16string_view name;
    int value;
  };
  const Token tokens[] = {{u"YYYY", civil.year}, {u"MM", civil.month}, {u"DD", civil.day}};
  std::u16string out;
  for (std::size_t i = 0; i < picture.size();) {
    const Token* token = nullptr;
    for (const Token& candidate : tokens) {
      if (picture.substr(i).starts_with(candidate.name)) token = &candidate;
    }
    if (token == nullptr) {
      out += picture[i++];
      continue;
    }
    AppendPadded(out, token->value, token->name.size());
    i += token->name.size();
  }
  return out;
}

std::optional<Date> ParseDate(std::u16string_view text) {
  text = TrimBlanks(text);
  for (std::u16string_view pattern : kPatterns) {
    if (auto fields = PatternMatch(text).Run(pattern)) return ValidDate(*fields);
  }
  return std::nullopt;
}

Date Today() {
  const Clock& clock = CurrentClock();
  const CivilDate today = clock ? clock() : SystemDate();
  return DateSerial(today.year, today.month, today.day);
}

void SetClock(Clock clock) { CurrentClock() = std::move(clock); }

}  // namespace kestrow::host
