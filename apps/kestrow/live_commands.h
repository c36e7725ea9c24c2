// `kestrow demo [--save PATH]` and `kestrow run FORM [--save PATH]`: a form live on the terminal,
// and every field's value on standard output once the user quits.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace kestrow::script {

// `args` start with "demo" or "run". Returns the exit status: 0 after a quit, 1 when the form or
// the terminal cannot be used, 2 for a command line that is not understood.
int RunLive(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace kestrow::script
