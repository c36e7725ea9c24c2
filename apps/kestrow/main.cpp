// kestrow: the project's command-line program.
#include <cstring>
#include <fstream>
#include <iostream>

#include "kestrow/version.h"
#include "script_runner.h"

namespace {

constexpr const char* kUsage =
    "usage: kestrow script [FILE|-]\n"
    "       kestrow --version\n"
    "  script   plays a scenario (FILE, or standard input when FILE is missing or -) and prints\n"
    "           one JSON object a line\n";

int Usage() {
  std::cerr << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version") {
    std::cout << "kestrow " KESTROW_VERSION_STRING "\n";
    return 0;
  }
  if (command != "script" || argc > 3) return Usage();

  if (argc == 2 || std::strcmp(argv[2], "-") == 0) return kestrow::script::RunScript(std::cin, std::cout, std::cerr);
  std::ifstream file(argv[2], std::ios::binary);
  if (!file) {
    std::cerr << "kestrow: cannot open " << argv[2] << '\n';
    return 2;
  }
  return kestrow::script::RunScript(file, std::cout, std::cerr);
}
