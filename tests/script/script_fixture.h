// Runs a scenario text through the runner and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "script_runner.h"

namespace kestrow::script::testing {

struct Outcome {
  int status = -1;
  std::vector<std::string> lines;  // standard output, one entry a line
  std::string err;

  // The lines that contain `part`, in order.
  std::vector<std::string> With(std::string_view part) const {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
      if (line.find(part) != std::string::npos) found.push_back(line);
    }
    return found;
  }
  // The index of the first line equal to `line`, or -1.
  int IndexOf(std::string_view line) const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i] == line) return static_cast<int>(i);
    }
    return -1;
  }
};

inline Outcome Play(std::string_view script) {
  std::istringstream in{std::string(script)};
  std::ostringstream out;
  std::ostringstream err;
  Outcome run;
  run.status = RunScript(in, out, err);
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) run.lines.push_back(line);
  run.err = err.str();
  return run;
}

}  // namespace kestrow::script::testing
