// The text forms of the values JSON has no type for.
#include "host/storage/form_values.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"

namespace kestrow::host::form_values {
namespace {

// The serials of 1 January 100 and 31 December 9999, the calendar the host's dates cover.
constexpr double kFirstDaySerial = -657434.0;
constexpr double kLastDaySerial = 2958465.0;
constexpr int kSecondsPerDay = 86400;

// Doubles below 2^128 - 2^103 round to a finite Single; from there on they round to infinity.
const double kSingleLimit = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

constexpr std::string_view kBase64Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

// --- Numbers -------------------------------------------------------------------------------

double StoredSingle(float value) {
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
  double shortest = 0.0;
  const auto read = std::from_chars(text.data(), written.ptr, shortest);
  if (written.ec == std::errc() && read.ec == std::errc() &&
      std::bit_cast<std::uint32_t>(static_cast<float>(shortest)) == std::bit_cast<std::uint32_t>(value)) {
    return shortest;
  }
  return static_cast<double>(value);
}

std::optional<float> SingleFromStored(double value) {
  if (!(std::fabs(value) < kSingleLimit)) return std::nullopt;
  return static_cast<float>(value);
}

// --- Dates ---------------------------------------------------------------------------------

std::optional<std::string> DateText(Date date) {
  if (!(date.serial > kFirstDaySerial - 1.0 && date.serial < kLastDaySerial + 1.0)) return std::nullopt;
  const CivilDate civil = CivilOf(date);
  if (civil.year < 100 || civil.year > 9999) return std::nullopt;  // rounded past 9999-12-31
  const int seconds = SecondsOfDay(date);
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d", civil.year, civil.month, civil.day,
                seconds / 3600, seconds / 60 % 60, seconds % 60);
  return std::string(text.data(), seconds == 0 ? 10 : 19);  // the time of day only when there is one
}

DateReading DateFromText(std::string_view text) {
  constexpr std::string_view kPattern = "0000-00-00T00:00:00";
  if (text.size() != 10 && text.size() != kPattern.size()) return {{}, DateProblem::kForm};
  std::array<int, 6> fields{};  // year, month, day, hour, minute, second
  std::size_t field = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] != '0') {
      if (text[i] != kPattern[i]) return {{}, DateProblem::kForm};
      ++field;
    } else if (text[i] < '0' || text[i] > '9') {
      return {{}, DateProblem::kForm};
    } else {
      fields[field] = fields[field] * 10 + (text[i] - '0');
    }
  }
  const auto [year, month, day, hour, minute, second] = fields;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) {
    return {{}, DateProblem::kRange};
  }
  Date wholeDay;
  try {
    wholeDay = DateSerial(year, month, day);
  } catch (const HostError&) {
    return {{}, DateProblem::kRange};  // outside the years 100 to 9999
  }
  // DateSerial carries 31 April into May; the file must name a real day.
  if (CivilOf(wholeDay) != CivilDate{year, month, day}) return {{}, DateProblem::kRange};
  const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  return {Date{wholeDay.serial < 0 ? wholeDay.serial - time : wholeDay.serial + time}, DateProblem::kNone};
}

// --- Base64 --------------------------------------------------------------------------------

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8) | (k < count ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? kBase64Digits[(group >> (18 - 6 * k)) & 0x3Fu] : '=';
    }
  }
  return out;
}

// Whole groups of four, padding only at the end, and unused bits zero.
std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    std::size_t padding = 0;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      std::size_t digit = 0;
      if (c == '=' && last && k >= 2) {
        ++padding;
      } else if (padding != 0 || (digit = kBase64Digits.find(c)) == std::string_view::npos) {
        return std::nullopt;
      }
      group = (group << 6) | static_cast<std::uint32_t>(digit);
    }
    const std::size_t count = 3 - padding;
    if ((group & ((1u << (8 * padding)) - 1u)) != 0) return std::nullopt;
    for (std::size_t k = 0; k < count; ++k) out += static_cast<char>((group >> (16 - 8 * k)) & 0xFFu);
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  // Keys and class names are nearly always ASCII, which needs no round trip.
  if (std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return true;
  return ToUtf8(FromUtf8(text)) == text;
}

}  // namespace kestrow::host::form_values
