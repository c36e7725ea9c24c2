// kestrow: the project's command-line program.
#include <iostream>
#include <string_view>
#include <vector>

#include "program.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return kestrow::script::RunProgram(args, std::cin, std::cout, std::cerr);
}
