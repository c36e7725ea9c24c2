// Compact JSON text, members in the order they are written. Floating numbers keep their own
// width: a Single prints the shortest text that reads back to the same float, not to a double.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrow::script {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // Keys given as UTF-8 (names from the library and the script).
  JsonWriter& Key(std::string_view key);
  JsonWriter& Key(std::u16string_view key);

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

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void Quoted(std::string_view utf8);
  void Quoted(std::u16string_view text);

  std::string out_;
  std::vector<bool> has_members_;  // one per open container
  bool after_key_ = false;
};

}  // namespace kestrow::script
