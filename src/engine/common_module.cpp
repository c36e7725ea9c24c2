#include "engine/common_module.h"

#include <array>
#include <cmath>

#include "kestrow/host/values/runtime.h"

namespace kestrow::engine::CommonModule {

std::u16string TranslateChars(std::u16string_view source, std::u16string_view fromSet, std::u16string_view toSet) {
  std::u16string result;
  result.reserve(source.size());
  for (char16_t c : source) {
    const auto found = fromSet.find(c);
    if (found == std::u16string_view::npos) {
      result.push_back(c);
    } else if (found < toSet.size()) {
      result.push_back(toSet[found]);
    }
  }
  return result;
}

namespace {

// The decimals X shows in its general text form; an exponent form counts the places its
// mantissa and exponent together give (1.5E-07 has eight).
int DecimalsShown(double X) {
  const std::u16string text = host::NumberText(X);
  const auto exponentAt = text.find(u'E');
  const std::u16string_view mantissa = std::u16string_view(text).substr(0, exponentAt);
  const auto point = mantissa.find(u'.');
  int decimals = point == std::u16string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
  if (exponentAt != std::u16string::npos) {
    decimals -= static_cast<int>(host::ReadNumber(std::u16string_view(text).substr(exponentAt + 1)));
  }
  return decimals < 0 ? 0 : decimals;
}

double SignOf(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }

}  // namespace

double FloatMod(double X, double F) {
  if (F == 0) return 0;
  const double q = X / F;
  const double r = host::RoundHalfEven(q);
  const double t = std::fabs(r) > std::fabs(q) ? std::fabs(r) - 1 : std::fabs(r);
  return host::RoundHalfEven(SignOf(X) * (std::fabs(X) - std::fabs(F) * t), DecimalsShown(X));
}

namespace {

constexpr std::array<std::int16_t, 12> kDaysPerMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kWindowBefore = 30;
constexpr int kWindowAfter = 69;
// The window is one century, so every two-digit year has exactly one completion.
static_assert(kWindowBefore + kWindowAfter + 1 == 100);
constexpr int kFirstDateYear = 100;
constexpr int kLastDateYear = 9999;

// The year of the window (current year - 30 .. + 69) that ends in the two digits given.
std::int16_t CompleteTwoDigitYear(std::int16_t twoDigits) {
  const int low = host::CivilOf(host::Today()).year - kWindowBefore;
  const int offset = ((twoDigits - low % 100) % 100 + 100) % 100;
  return static_cast<std::int16_t>(low + offset);
}

}  // namespace

bool IsValidDate(std::int16_t& day, std::int16_t& month, std::int16_t& year) {
  if (year >= 0 && year < 100) {
    year = CompleteTwoDigitYear(year);
  }
  if (year < kFirstDateYear || year > kLastDateYear) return false;
  if (month < 1 || month > 12) return false;
  if (month == 2 && IsLeapYear(year)) return day >= 1 && day <= 29;
  return day >= 1 && day <= kDaysPerMonth[static_cast<std::size_t>(month - 1)];
}

bool IsLeapYear(const std::int16_t& year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

}  // namespace kestrow::engine::CommonModule
