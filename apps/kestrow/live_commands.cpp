#include "live_commands.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "demo_form.h"
#include "kestrow/control/form_storage.h"
#include "kestrow/control/text.h"
#include "kestrow/host/forms/form.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/terminal/terminal_host.h"
#include "value_json.h"

namespace kestrow::script {

namespace {

// Where the demo saves when no --save is given: the current folder.
constexpr std::string_view kDemoSavePath = "kestrow-demo.json";

struct LiveCommand {
  bool demo = false;
  std::filesystem::path form;       // run: the form file
  std::filesystem::path save_path;  // run: the form file again, unless --save names another
};

// The command line, or a complaint about it.
std::optional<LiveCommand> Parse(std::span<const std::string_view> args, std::string& complaint) {
  LiveCommand command;
  command.demo = args[0] == "demo";
  std::optional<std::filesystem::path> save;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--save") {
      if (i + 1 == args.size()) {
        complaint = "--save needs a path";
        return std::nullopt;
      }
      save = std::filesystem::path(std::string(args[++i]));
    } else if (!command.demo && command.form.empty()) {
      command.form = std::string(args[i]);
    } else {
      complaint = "unexpected word \"" + std::string(args[i]) + "\"";
      return std::nullopt;
    }
  }
  if (!command.demo && command.form.empty()) {
    complaint = "run needs a form file";
    return std::nullopt;
  }
  command.save_path = save ? *save : command.demo ? std::filesystem::path(kDemoSavePath) : command.form;
  return command;
}

// One JSON line a field, in tab order, so the program can end a shell pipeline.
void WriteValues(host::Form& form, const std::vector<std::u16string>& fields, std::ostream& out) {
  for (const std::u16string& name : fields) {
    auto& text = *static_cast<control::Text*>(form.ControlNamed(name));
    out << FieldValueLine(name, text.GetProperty("Value")) << '\n';
  }
}

}  // namespace

int RunLive(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  std::string complaint;
  const std::optional<LiveCommand> command = Parse(args, complaint);
  if (!command) {
    err << "kestrow: " << complaint << "\nusage: kestrow demo [--save PATH]\n       kestrow run FORM [--save PATH]\n";
    return 2;
  }
  host::Form form;
  form.SetRecording(false);  // a live session would grow the record without bound
  std::vector<std::u16string> fields;
  try {
    fields = command->demo ? PlaceDemoForm(form) : control::LoadForm(form, command->form);
  } catch (const host::HostError& error) {
    err << "kestrow: " << error.Description() << '\n';
    return 1;
  }
  if (const std::optional<std::string> why = terminal::WhyNoTerminal()) {
    err << "kestrow: " << *why << '\n';
    return 1;
  }
  bool saved = false;
  terminal::Session session{form, fields,
                            [&] {
                              control::SaveForm(form, fields, command->save_path);
                              saved = true;
                            },
                            command->demo ? u"Kestrow demo" : command->form.filename().u16string()};
  std::string error;
  const int status = terminal::Run(session, error);
  if (status != 0) {
    err << "kestrow: " << error << '\n';
    return status;
  }
  WriteValues(form, fields, out);
  if (saved) err << "kestrow: the form is saved in " << command->save_path.string() << '\n';
  return 0;
}

}  // namespace kestrow::script
