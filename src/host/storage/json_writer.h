// JSON text, members in the order they are written: compact (one object a line for the runner)
// or indented (form files). Floating numbers keep their own width: a Single prints the shortest
// text that reads back to the same float, a Double the shortest that reads back to the double.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrow::json {

class JsonWriter {
 public:
  // With `indent` > 0 every member and element starts a line of its own, indented that many
  // blanks a level, and a member's name is followed by ": ".
  explicit JsonWriter(int indent = 0) : indent_(indent) { out_.reserve(kFirstCapacity); }

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // UTF-8 text is written as it is; 16-bit text is converted, a lone surrogate kept as an escape.
  JsonWriter& Key(std::string_view utf8);
  JsonWriter& Key(std::u16string_view text);

  JsonWriter& String(std::string_view utf8);
  JsonWriter& String(std::u16string_view text);
  JsonWriter& Integer(std::int64_t value);
  JsonWriter& Unsigned(std::uint64_t value);
  // Infinities and NaN have no JSON form and print as null.
  JsonWriter& Double(double value);
  JsonWriter& Single(float value);
  JsonWriter& Boolean(bool value);
  JsonWriter& Null();

  const std::string& Text() const { return out_; }
  std::string Take() { return std::move(out_); }

 private:
  // Room for a runner line without growing.
  static constexpr std::size_t kFirstCapacity = 120;

  JsonWriter& NameEnds();  // after the quoted name of a member
  void BeforeValue();
  void NewLine(std::size_t depth);
  JsonWriter& Open(char bracket);
  JsonWriter& Close(char bracket);
  void Quoted(std::string_view utf8);
  void Quoted(std::u16string_view text);
  template <typename T>
  JsonWriter& Number(T value);

  std::string out_;
  // One flag per open container, in a string so that the usual few levels ask for no memory.
  std::string has_members_;
  bool after_key_ = false;
  int indent_;
};

}  // namespace kestrow::json
