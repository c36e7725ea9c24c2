// Encodes a scenario (.ksc, the runner's commands) into a seed for control_fuzzer (fuzz_ops.h).
// Commands the fuzzer has no operation for (show, bag, read) are skipped; save becomes a bag
// round trip, reload one that replaces the control; every control is saved to a form file at the
// end. Usage: make_seed OUT < scenario.ksc
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_ops.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/runtime.h"

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

// The words of a line; a quoted word keeps its quotes (JSON escapes \" and \\ only).
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      word.push_back('"');
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        word.push_back(line[i]);
      }
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word.push_back(line[i++]);
    }
    words.push_back(word);
  }
  return words;
}

std::u16string Unquote(const std::string& word) {
  return host::FromUtf8(!word.empty() && word[0] == '"' ? word.substr(1) : word);
}

void Value(Writer& out, const std::string& word) {
  const auto after = [&](std::size_t n) { return word.substr(n); };
  if (!word.empty() && word[0] == '"') {
    out.U8(fuzz::kString);
    out.String(Unquote(word));
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seed OUT < scenario.ksc\n";
    return 2;
  }
  Writer ops;
  std::map<std::string, unsigned> controls;
  unsigned current = 0;
  int year = 2026, month = 12, day = 7;
  const auto index = [&](const std::string& name) {
    auto found = controls.find(name);
    if (found != controls.end()) return found->second;
    const auto next = static_cast<unsigned>(controls.size() % 3);
    controls.emplace(name, next);
    return next;
  };
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::vector<std::string> w = Words(line);
    if (w.empty() || w[0][0] == '#') continue;
    const std::string& c = w[0];
    const auto arg = [&](std::size_t i) { return i < w.size() ? w[i] : std::string(); };
    if (c == "today") {
      std::sscanf(w[1].c_str(), "%d-%d-%d", &year, &month, &day);
    } else if (c == "new" || c == "use") {
      current = index(w.size() > 1 ? w[1] : "Field" + std::to_string(controls.size() + 1));
    } else if (c == "focus" || c == "blur") {
      ops.U8(fuzz::kFocus);
      ops.U8(c == "blur" ? 3 : (w.size() > 1 ? (w[1] == "other" ? 3 : index(w[1])) : current));
    } else if (c == "type") {
      ops.U8(fuzz::kType);
      ops.String(Unquote(w[1]));
    } else if (c == "key") {
      ops.U8(fuzz::kKey);
      ops.U8(KeyIndex(w[1]));
      ops.U8(Shift(arg(2)));
    } else if (c == "keydown" || c == "keyup") {
      ops.U8(c == "keydown" ? fuzz::kKeyDown : fuzz::kKeyUp);
      ops.U16(static_cast<unsigned>(std::stoi(w[1])));
      const std::string s = arg(2);
      ops.U16(s.empty() ? 0 : (std::isdigit(static_cast<unsigned char>(s[0])) ? static_cast<unsigned>(std::stoi(s)) : Shift(s)));
    } else if (c == "keypress") {
      ops.U8(fuzz::kKeyPress);
      ops.U16(static_cast<unsigned>(std::stoi(w[1])));
    } else if (c == "select") {
      ops.U8(fuzz::kSelect);
      ops.U16(static_cast<unsigned>(std::stoi(w[1])));
      ops.U16(static_cast<unsigned>(std::stoi(w[2])));
    } else if (c == "set") {
      ops.U8(w[1] == "Value" ? fuzz::kValue : fuzz::kSet);
      ops.U8(current);
      if (w[1] != "Value") ops.U8(MemberIndex(w[1]));
      Value(ops, w[2]);
    } else if (c == "get") {
      ops.U8(fuzz::kGet);
      ops.U8(current);
      ops.U8(MemberIndex(w[1]));
    } else if (c == "call") {
      ops.U8(fuzz::kCall);
      ops.U8(current);
      ops.U8(w[1] == "ShowTalmoBox" ? 1 : 0);
    } else if (c == "resize") {
      ops.U8(fuzz::kResize);
      ops.U8(current);
      ops.U32(static_cast<std::uint32_t>(std::stol(w[1])));
      ops.U32(static_cast<std::uint32_t>(std::stol(w[2])));
    } else if (c == "click" || c == "dblclick" || c == "mouse") {
      ops.U8(fuzz::kMouse);
      ops.U8(current);
      const std::string action = c == "mouse" ? w[1] : c;
      ops.U8(action == "click" ? 0 : action == "dblclick" ? 1 : action == "down" ? 2 : action == "move" ? 3 : 4);
      const bool raw = c == "mouse";
      ops.U16(raw ? static_cast<unsigned>(std::stoi(w[2])) : 0);
      ops.U16(raw ? static_cast<unsigned>(std::stoi(w[3])) : 0);
      ops.F32(raw ? std::stof(w[4]) : 0.0f);
      ops.F32(raw ? std::stof(w[5]) : 0.0f);
    } else if (c == "save" || c == "reload") {
      ops.U8(fuzz::kBag);
      ops.U8(current);
      ops.U8(c == "reload" ? 1 : 0);
    }
  }
  for (unsigned i = 0; i < (controls.empty() ? 1 : controls.size()); ++i) {
    ops.U8(fuzz::kSaveFile);
    ops.U8(i);
  }
  Writer out;
  const auto count = static_cast<unsigned>(controls.empty() ? 1 : (controls.size() > 3 ? 3 : controls.size()));
  out.U8(count - 1);
  out.U16(static_cast<unsigned>(year - 100));
  out.U8(static_cast<unsigned>(month - 1));
  out.U8(static_cast<unsigned>(day - 1));
  out.bytes.insert(out.bytes.end(), ops.bytes.begin(), ops.bytes.end());
  std::ofstream file(argv[1], std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.bytes.data()), static_cast<std::streamsize>(out.bytes.size()));
  return file ? 0 : 1;
}
