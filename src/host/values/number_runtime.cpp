// Number reading, rounding and the text forms of numbers. Everything that rounds works on a
// decimal form of the double so that ties are judged the way a user reads the number.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kSingleSignificantDigits = 7;
// Exponent digits beyond this cannot change whether a double over- or underflows.
constexpr long long kExponentCap = 1'000'000'000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsSkipped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Walks a text with the characters the reader ignores left out.
class Cursor {
 public:
  explicit Cursor(std::u16string_view text) : text_(text) { Skip(); }
  char16_t Peek() const { return pos_ < text_.size() ? text_[pos_] : u'\0'; }
  void Next() {
    ++pos_;
    Skip();
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
  }
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

std::string TakeDigits(Cursor& cursor) {
  std::string digits;
  for (; IsDigit(cursor.Peek()); cursor.Next()) digits += static_cast<char>(cursor.Peek());
  return digits;
}

// The exponent after the mantissa; an "E" without digits after it is not part of the number.
long long TakeExponent(Cursor& cursor) {
  if (cursor.Peek() != u'E' && cursor.Peek() != u'e') return 0;
  Cursor look = cursor;
  look.Next();
  const bool negative = look.Peek() == u'-';
  if (look.Peek() == u'+' || negative) look.Next();
  if (!IsDigit(look.Peek())) return 0;
  long long exponent = 0;
  for (; IsDigit(look.Peek()); look.Next()) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (look.Peek() - u'0');
  }
  cursor = look;
  return negative ? -exponent : exponent;
}

// digits x 10^exponent, correctly rounded. The text has no decimal point, so the C locale's
// idea of one does not matter.
double ParseScaled(bool negative, const std::string& digits, long long exponent) {
  const std::string text = (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value)) errors::RaiseOverflow();
  return value;
}

// value = sum of digits[i] * 10^(exponent - i); the first digit is non-zero, no digits is zero.
struct Decimal {
  bool negative = false;
  std::string digits;
  long long exponent = 0;

  char DigitAt(long long power) const {
    const long long index = exponent - power;
    return index >= 0 && index < Size() ? digits[static_cast<std::size_t>(index)] : '0';
  }
  long long Size() const { return static_cast<long long>(digits.size()); }
};

Decimal DecimalOf(double value, int significant) {
  Decimal decimal;
  decimal.negative = std::signbit(value);
  if (value == 0.0) return decimal;
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, significant - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') decimal.digits += c;
  }
  long long exponent = 0;
  for (char c : text.substr(e + 2)) exponent = exponent * 10 + (c - '0');
  decimal.exponent = text[e + 1] == '-' ? -exponent : exponent;
  return decimal;
}

enum class Tie { ToEven, AwayFromZero };

// Drops every digit below 10^lowest, rounding the last one kept.
void RoundAt(Decimal& decimal, long long lowest, Tie tie) {
  const long long keep = decimal.exponent - lowest + 1;
  if (keep >= decimal.Size()) return;
  if (keep < 0) {  // below a tenth of the last place: rounds to zero
    decimal.digits.clear();
    return;
  }
  const std::size_t cut = static_cast<std::size_t>(keep);
  const char first = decimal.digits[cut];
  const bool exactHalf = first == '5' && decimal.digits.find_first_not_of('0', cut + 1) == std::string::npos;
  const bool keptOdd = cut > 0 && (decimal.digits[cut - 1] - '0') % 2 == 1;
  const bool up = first > '5' || (first == '5' && (!exactHalf || tie == Tie::AwayFromZero || keptOdd));
  decimal.digits.resize(cut);
  if (!up) {
    if (decimal.digits.empty()) decimal.exponent = 0;
    return;
  }
  std::size_t i = cut;
  while (i > 0 && decimal.digits[i - 1] == '9') decimal.digits[--i] = '0';
  if (i > 0) {
    ++decimal.digits[i - 1];
  } else {  // carried out of the first digit: one place more
    decimal.digits.insert(decimal.digits.begin(), '1');
    ++decimal.exponent;
  }
}

double DoubleOf(const Decimal& decimal) {
  if (decimal.digits.empty()) return decimal.negative ? -0.0 : 0.0;
  return ParseScaled(decimal.negative, decimal.digits, decimal.exponent - decimal.Size() + 1);
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The host's general number format with `significant` digits at most.
std::u16string GeneralText(double value, int significant) {
  if (!std::isfinite(value)) errors::RaiseOverflow();
  Decimal decimal = DecimalOf(value, significant);
  if (decimal.digits.empty()) return u"0";
  decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
  const std::string& digits = decimal.digits;
  const long long exponent = decimal.exponent;
  std::string text = decimal.negative ? "-" : "";
  if (exponent >= significant || exponent < -5) {
    text += digits[0];
    if (digits.size() > 1) text.append(".").append(digits, 1);
    const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
    text += exponent < 0 ? "E-" : "E+";
    text.append(magnitude.size() < 2 ? "0" : "").append(magnitude);
  } else if (exponent >= 0) {
    for (long long power = exponent; power >= 0; --power) text += decimal.DigitAt(power);
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() > whole) text.append(".").append(digits, whole);
  } else {
    text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  }
  return Widen(text);
}

}  // namespace

double ReadNumber(std::u16string_view text) {
  Cursor cursor(text);
  const bool negative = cursor.Peek() == u'-';
  if (negative || cursor.Peek() == u'+') cursor.Next();
  const std::string whole = TakeDigits(cursor);
  std::string fraction;
  if (cursor.Peek() == u'.') {
    cursor.Next();
    fraction = TakeDigits(cursor);
  }
  if (whole.empty() && fraction.empty()) return 0.0;
  const long long exponent = TakeExponent(cursor);
  return ParseScaled(negative, whole + fraction, exponent - static_cast<long long>(fraction.size()));
}

double RoundHalfEven(double value, int digits) {
  if (!std::isfinite(value)) return value;
  Decimal decimal = DecimalOf(value, kSignificantDigits);
  const long long lowest = -static_cast<long long>(digits);
  if (decimal.exponent - lowest + 1 >= kSignificantDigits) return value;  // nothing to round away
  RoundAt(decimal, lowest, Tie::ToEven);
  return DoubleOf(decimal);
}

std::int16_t RoundToInteger(double value) {
  const double rounded = RoundHalfEven(value, 0);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) errors::RaiseOverflow();
  return static_cast<std::int16_t>(rounded);
}

std::u16string FormatNumber(double value, std::u16string_view picture) {
  if (!std::isfinite(value)) errors::RaiseOverflow();
  const std::size_t point = picture.find(u'.');
  const long long decimals =
      point == std::u16string_view::npos ? 0 : static_cast<long long>(picture.size() - point - 1);
  long long minWhole = 0;
  for (char16_t c : picture.substr(0, point)) minWhole += c == u'0' ? 1 : 0;

  Decimal decimal = DecimalOf(value, kSignificantDigits);
  RoundAt(decimal, -decimals, Tie::AwayFromZero);
  // A negative value keeps its sign even when it rounds to zero (-0.001 with two places is -0.00).
  std::string text = value < 0.0 ? "-" : "";
  const long long top = std::max(decimal.digits.empty() ? -1 : decimal.exponent, minWhole - 1);
  for (long long power = top; power >= 0; --power) text += decimal.DigitAt(power);
  if (decimals > 0) text += '.';
  for (long long power = -1; power >= -decimals; --power) text += decimal.DigitAt(power);
  return Widen(text);
}

std::u16string NumberText(double value) { return GeneralText(value, kSignificantDigits); }

std::u16string SingleText(float value) { return GeneralText(static_cast<double>(value), kSingleSignificantDigits); }

}  // namespace kestrow::host
