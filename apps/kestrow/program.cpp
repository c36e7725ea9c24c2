#include "program.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "kestrow/control/type_library.h"
#include "kestrow/version.h"
#include "live_commands.h"
#include "runner.h"
#include "script_runner.h"

namespace kestrow::script {

namespace {

constexpr std::string_view kUsage =
    "usage: kestrow demo [--save PATH]\n"
    "       kestrow run FORM [--save PATH]\n"
    "       kestrow script [FILE|-]\n"
    "       kestrow script --help\n"
    "       kestrow --version\n"
    "  demo     opens a sample form on the terminal; Ctrl+S saves it (to PATH, else\n"
    "           kestrow-demo.json), quitting prints every field's value as a JSON line\n"
    "  run      opens a form file on the terminal; Ctrl+S saves it (to PATH, else FORM)\n"
    "  script   plays a scenario (FILE, or standard input when FILE is missing or -) and prints\n"
    "           one JSON object a line\n";

bool IsHelp(std::string_view word) { return word == "--help" || word == "-h" || word == "help"; }

int Usage(std::ostream& err, const std::string& complaint) {
  err << "kestrow: " << complaint << '\n' << kUsage;
  return 2;
}

// The script commands, and the constants `set` takes by name, property by property.
void WriteScriptHelp(std::ostream& out) {
  out << "usage: kestrow script [FILE|-]\n"
         "Plays a scenario, one command a line, and prints one JSON object a line.\n\nCommands:\n";
  for (const std::string_view usage : Runner::Usages()) out << "  " << usage << '\n';
  out << "\nConstants, which set takes by name or by number:\n";
  for (const control::MemberInfo& member : control::TextMembers()) {
    const auto constants = control::ConstantsOf(member.type);
    if (constants.empty()) continue;
    out << "  " << member.name << '\n';
    for (const control::ConstantInfo& constant : constants) {
      const std::size_t padding = constant.name.size() < 24 ? 24 - constant.name.size() : 1;
      out << "    " << constant.name << std::string(padding, ' ') << constant.value << '\n';
    }
  }
}

// The script file, or why it cannot be read.
int RunScriptFile(std::string_view name, std::ostream& out, std::ostream& err) {
  const std::filesystem::path path{std::string(name)};
  std::ifstream file(path, std::ios::binary);
  const int reason = !file ? errno : std::filesystem::is_directory(path) ? EISDIR : 0;
  if (reason != 0) {
    err << "kestrow: cannot read " << name << ": " << std::generic_category().message(reason) << '\n';
    return 2;
  }
  return RunScript(file, out, err);
}

}  // namespace

int RunProgram(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err, "no command given");
  if (IsHelp(args[0])) {
    out << kUsage;
    return 0;
  }
  if (args[0] == "--version") {
    out << "kestrow " KESTROW_VERSION_STRING "\n";
    return 0;
  }
  if (args[0] == "demo" || args[0] == "run") return RunLive(args, out, err);
  if (args[0] != "script") return Usage(err, "unknown command \"" + std::string(args[0]) + "\"");
  if (args.size() > 2) return Usage(err, "unexpected word \"" + std::string(args[2]) + "\"");
  if (args.size() == 2 && IsHelp(args[1])) {
    WriteScriptHelp(out);
    return 0;
  }
  if (args.size() == 1 || args[1] == "-") return RunScript(in, out, err);
  return RunScriptFile(args[1], out, err);
}

}  // namespace kestrow::script
