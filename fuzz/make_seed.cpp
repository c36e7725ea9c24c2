// Encodes a scenario (.ksc, the runner's commands) into a seed for control_fuzzer (fuzz_ops.h).
// Lines are read with the runner's own lexer, so quoted texts mean what they mean to the runner.
// Commands the fuzzer has no operation for (show, bag, read) are skipped, and so are lines the
// runner would refuse; save becomes a bag round trip, reload one that replaces the control; the
// form is saved to a form file at the end. Usage: make_seed OUT < scenario.ksc
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "fuzz_ops.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/values/runtime.h"
#include "script_lexer.h"

namespace {

using namespace kestrow;

class Writer {
 public:
  void U8(unsigned value) { bytes.push_back(static_cast<std::uint8_t>(value & 0xFF)); }
  void U16(unsigned value) {
    U8(value);
    U8(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }
  void F32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    U32(bits);
  }
  void F64(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
  }
  void String(const std::u16string& text) {
    const std::size_t length = std::min<std::size_t>(text.size(), 0xFFFF);
    if (length < fuzz::kRunString) {
      U8(static_cast<unsigned>(length));
    } else {
      U8(fuzz::kLongString);
      U16(static_cast<unsigned>(length));
    }
    for (std::size_t i = 0; i < length; ++i) U16(text[i]);
  }
  std::vector<std::uint8_t> bytes;
};

void Value(Writer& out, const std::string& word) {
  const auto after = [&](std::size_t n) { return word.substr(n); };
  if (!word.empty() && word[0] == '"') {
    out.U8(fuzz::kString);
    out.String(script::ParseString(word));
  } else if (word == "true" || word == "false") {
    out.U8(fuzz::kBoolean);
    out.U8(word == "true" ? 1 : 0);
  } else if (word == "null") {
    out.U8(fuzz::kNull);
  } else if (word == "empty") {
    out.U8(fuzz::kEmpty);
  } else if (word.rfind("Integer:", 0) == 0) {
    out.U8(fuzz::kInteger);
    out.U16(static_cast<unsigned>(std::stoi(after(8))));
  } else if (word.rfind("Long:", 0) == 0) {
    out.U8(fuzz::kLong);
    out.U32(static_cast<std::uint32_t>(std::stol(after(5))));
  } else if (word.rfind("Single:", 0) == 0) {
    out.U8(fuzz::kSingle);
    out.F32(std::stof(after(7)));
  } else if (word.rfind("Double:", 0) == 0) {
    out.U8(fuzz::kDouble);
    out.F64(std::stod(after(7)));
  } else if (word.rfind("Date:", 0) == 0) {
    out.U8(fuzz::kDate);
    out.F64(host::DateSerial(std::stoi(after(5)), std::stoi(word.substr(10, 2)), std::stoi(word.substr(13, 2))).serial);
  } else if (word.find_first_of(".eE") != std::string::npos) {
    out.U8(fuzz::kDouble);
    out.F64(std::stod(word));
  } else {
    const long long n = std::stoll(word);
    if (n >= -32768 && n <= 32767) {
      out.U8(fuzz::kInteger);
      out.U16(static_cast<unsigned>(n));
    } else {
      out.U8(fuzz::kLong);
      out.U32(static_cast<std::uint32_t>(n));
    }
  }
}

unsigned MemberIndex(const std::string& name) {
  const auto members = control::TextMembers();
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (members[i].name == name) return static_cast<unsigned>(i);
  }
  std::cerr << "make_seed: unknown member " << name << "\n";
  std::exit(2);
}

unsigned KeyIndex(const std::string& name) {
  for (int i = 0; i < fuzz::kKeyCount; ++i) {
    if (strcasecmp(fuzz::kKeyNames[i], name.c_str()) == 0) return static_cast<unsigned>(i);
  }
  std::cerr << "make_seed: no fuzzer key " << name << "\n";
  std::exit(2);
}

unsigned Shift(const std::string& mods) {
  unsigned shift = 0;
  if (mods.find("shift") != std::string::npos) shift |= 1;
  if (mods.find("ctrl") != std::string::npos) shift |= 2;
  if (mods.find("alt") != std::string::npos) shift |= 4;
  return shift;
}

// What the lines so far set up: the controls by name (the fuzzer has at most three, so names
// share them), the current one and the host's clock.
struct Scenario {
  std::map<std::string, unsigned> controls;
  unsigned current = 0;
  int year = 2026, month = 12, day = 7;

  unsigned Index(const std::string& name) {
    const auto found = controls.find(name);
    if (found != controls.end()) return found->second;
    const auto next = static_cast<unsigned>(controls.size() % 3);
    controls.emplace(name, next);
    return next;
  }
  unsigned Count() const { return static_cast<unsigned>(std::clamp<std::size_t>(controls.size(), 1, 3)); }
};

// The element after the controls is "other"; 11 picks it whatever their count (11 % 2, 11 % 3 and
// 11 % 4 are each the count).
constexpr unsigned kOtherElement = 11;

// The operations of one line; none for a command the fuzzer has no operation for.
void EncodeLine(const std::vector<std::string>& w, Scenario& scenario, Writer& ops) {
  const std::string& c = w[0];
  const auto arg = [&](std::size_t i) { return i < w.size() ? w[i] : std::string(); };
  if (c == "today") {
    std::sscanf(w[1].c_str(), "%d-%d-%d", &scenario.year, &scenario.month, &scenario.day);
  } else if (c == "new" || c == "use") {
    scenario.current = scenario.Index(w.size() > 1 ? w[1] : "Field" + std::to_string(scenario.controls.size() + 1));
  } else if (c == "focus" || c == "blur") {
    ops.U8(fuzz::kFocus);
    const std::string target = c == "blur" ? "other" : arg(1);
    ops.U8(target == "other" ? kOtherElement : (target.empty() ? scenario.current : scenario.Index(target)));
  } else if (c == "type") {
    ops.U8(fuzz::kType);
    ops.String(script::ParseString(w[1]));
  } else if (c == "clipboard") {
    ops.U8(fuzz::kClipboard);
    ops.U8(fuzz::kStringFollows);
    ops.String(script::ParseString(w[1]));
  } else if (c == "key") {
    ops.U8(fuzz::kKey);
    ops.U8(KeyIndex(w[1]));
    ops.U8(Shift(arg(2)));
  } else if (c == "keydown" || c == "keyup") {
    ops.U8(c == "keydown" ? fuzz::kKeyDown : fuzz::kKeyUp);
    ops.U16(static_cast<unsigned>(std::stoi(w[1])));
    const std::string s = arg(2);
    ops.U16(s.empty()
                ? 0
                : (std::isdigit(static_cast<unsigned char>(s[0])) ? static_cast<unsigned>(std::stoi(s)) : Shift(s)));
  } else if (c == "keypress") {
    ops.U8(fuzz::kKeyPress);
    ops.U16(static_cast<unsigned>(std::stoi(w[1])));
  } else if (c == "select") {
    ops.U8(fuzz::kSelect);
    ops.U16(static_cast<unsigned>(std::stoi(w[1])));
    ops.U16(static_cast<unsigned>(std::stoi(w[2])));
  } else if (c == "set") {
    ops.U8(w[1] == "Value" ? fuzz::kValue : fuzz::kSet);
    ops.U8(scenario.current);
    if (w[1] != "Value") ops.U8(MemberIndex(w[1]));
    Value(ops, w[2]);
  } else if (c == "get") {
    ops.U8(fuzz::kGet);
    ops.U8(scenario.current);
    ops.U8(MemberIndex(w[1]));
  } else if (c == "call") {
    ops.U8(fuzz::kCall);
    ops.U8(scenario.current);
    ops.U8(w[1] == "ShowTalmoBox" ? 1 : 0);
  } else if (c == "resize") {
    ops.U8(fuzz::kResize);
    ops.U8(scenario.current);
    ops.U32(static_cast<std::uint32_t>(std::stol(w[1])));
    ops.U32(static_cast<std::uint32_t>(std::stol(w[2])));
  } else if (c == "click" || c == "dblclick" || c == "mouse") {
    ops.U8(fuzz::kMouse);
    ops.U8(scenario.current);
    const std::string action = c == "mouse" ? w[1] : c;
    ops.U8(action == "click" ? 0 : action == "dblclick" ? 1 : action == "down" ? 2 : action == "move" ? 3 : 4);
    const bool raw = c == "mouse";
    ops.U16(raw ? static_cast<unsigned>(std::stoi(w[2])) : 0);
    ops.U16(raw ? static_cast<unsigned>(std::stoi(w[3])) : 0);
    ops.F32(raw ? std::stof(w[4]) : 0.0f);
    ops.F32(raw ? std::stof(w[5]) : 0.0f);
  } else if (c == "save" || c == "reload") {
    ops.U8(fuzz::kBag);
    ops.U8(scenario.current);
    ops.U8(c == "reload" ? 1 : 0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seed OUT < scenario.ksc\n";
    return 2;
  }
  Scenario scenario;
  Writer ops;
  script::LineReader reader(std::cin);
  std::string line;
  while (reader.Next(line)) {
    // Encoded apart, so that a line refused halfway leaves nothing behind.
    Writer encoded;
    try {
      const std::vector<std::string> words = script::SplitWords(line);
      if (!words.empty()) EncodeLine(words, scenario, encoded);
    } catch (const script::ScriptError&) {
      continue;
    }
    ops.bytes.insert(ops.bytes.end(), encoded.bytes.begin(), encoded.bytes.end());
  }
  ops.U8(fuzz::kSaveFile);
  Writer out;
  out.U8(scenario.Count() - 1);
  out.U16(static_cast<unsigned>(scenario.year - 100));
  out.U8(static_cast<unsigned>(scenario.month - 1));
  out.U8(static_cast<unsigned>(scenario.day - 1));
  out.bytes.insert(out.bytes.end(), ops.bytes.begin(), ops.bytes.end());
  std::ofstream file(argv[1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.bytes.data()), static_cast<std::streamsize>(out.bytes.size()));
  return file ? 0 : 1;
}
