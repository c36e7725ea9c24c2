// What the form file's writer and readers share: its tag and version, the refusal of a file too
// large, and the text forms of the values JSON has no type for (Singles, dates, picture bits).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/variant.h"

namespace kestrow::host::form_values {

inline constexpr std::string_view kFormTag = "kestrow";
inline constexpr std::int64_t kFormVersion = 1;

[[noreturn]] inline void RaiseTooLarge(std::string_view source) {
  throw HostError(errors::kInvalidFileFormat, std::string(source) + ": larger than 64 MiB");
}

// The double that stands for a Single in the file: its shortest decimal form when that reads back
// to the same Single (so 0.1f is written 0.1), else its exact value.
double StoredSingle(float value);
// Empty for a double that rounds to no finite Single.
std::optional<float> SingleFromStored(double value);

// "YYYY-MM-DD", with "THH:MM:SS" when there is a time of day; empty outside the years 100 to
// 9999. Whole seconds only: the file keeps a date to the second, as the host shows it.
std::optional<std::string> DateText(Date date);

enum class DateProblem { kNone, kForm, kRange };
struct DateReading {
  Date date;
  DateProblem problem = DateProblem::kNone;
};
DateReading DateFromText(std::string_view text);

std::string Base64Encode(std::string_view bytes);
// Only the canonical form is taken, so each picture has exactly one spelling in the file.
std::optional<std::string> Base64Decode(std::string_view text);

bool IsUtf8(std::string_view text);

}  // namespace kestrow::host::form_values
