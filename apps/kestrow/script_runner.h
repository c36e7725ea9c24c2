// `kestrow script`: plays a scenario against Text controls on a headless form and prints, one
// JSON object a line, everything the controls and the host do.
#pragma once

#include <istream>
#include <ostream>

namespace kestrow::script {

// Returns the exit status: 0, or 2 after a malformed line (one line about it goes to `err`;
// what was printed before it stays).
int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kestrow::script
