// The kestrow program's command line, apart from the process: `kestrow demo`, `kestrow run FORM`,
// `kestrow script [FILE|-]`, `kestrow script --help` and `kestrow --version`.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

namespace kestrow::script {

// `args` are the words after the program's name. Returns the exit status: 0, or 2 for a command
// line that is not understood, a script that cannot be opened, or a malformed script line.
int RunProgram(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kestrow::script
