// Errors the host raises: its error number and text, passed on to the caller unchanged.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrow::host {

class HostError : public std::runtime_error {
 public:
  HostError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

namespace errors {
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInvalidUseOfNull = 94;
inline constexpr int kFileNotFound = 53;
inline constexpr int kPathFileAccessError = 75;  // found but not readable, or not writable
inline constexpr int kInvalidFileFormat = 321;
inline constexpr int kInvalidPropertyValue = 380;
inline constexpr int kPropertyReadOnly = 383;
inline constexpr int kNotSupported = 438;  // no such property or method
inline constexpr int kWrongArguments = 450;

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseTypeMismatch();
[[noreturn]] void RaiseInvalidPropertyValue();
[[noreturn]] void RaiseInvalidProcedureCall();
[[noreturn]] void RaiseInvalidUseOfNull();
}  // namespace errors

}  // namespace kestrow::host
