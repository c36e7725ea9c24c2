#include "script_runner.h"

#include <exception>
#include <string>

#include "host/storage/json_writer.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "record_json.h"
#include "runner.h"
#include "script_lexer.h"

namespace kestrow::script {

namespace {

// A run may set the host's date; the next run (or the rest of a test program) gets the machine's.
class ClockRestorer {
 public:
  ClockRestorer() = default;
  ClockRestorer(const ClockRestorer&) = delete;
  ClockRestorer& operator=(const ClockRestorer&) = delete;
  ~ClockRestorer() { host::SetClock({}); }
};

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

}  // namespace

std::u16string ParseName(std::string_view word) {
  std::u16string name = word.starts_with('"') ? ParseString(word) : host::FromUtf8(word);
  if (name.empty()) throw ScriptError("a name cannot be empty");
  return name;
}

Runner::Runner(std::ostream& out) : out_(out) { form_.AddPlainBox(u"other"); }

const std::vector<Runner::Command>& Runner::Commands() {
  static const std::vector<Command> commands{
      {"today", &Runner::Today, 2, 2, "today YYYY-MM-DD"},
      {"new", &Runner::New, 1, 2, "new [NAME]"},
      {"use", &Runner::Use, 2, 2, "use NAME"},
      {"bag", &Runner::Bag, 3, 3, "bag KEY VALUE"},
      {"read", &Runner::Read, 1, 2, "read [NAME]"},
      {"save", &Runner::Save, 1, 1, "save"},
      {"reload", &Runner::Reload, 1, 1, "reload"},
      {"set", &Runner::Set, 3, 3, "set PROP VALUE"},
      {"get", &Runner::Get, 2, 2, "get PROP"},
      {"call", &Runner::Call, 2, 2, "call METHOD"},
      {"resize", &Runner::Resize, 3, 3, "resize WIDTH HEIGHT"},
      {"show", &Runner::Show, 1, 2, "show [size|clipboard]"},
      {"focus", &Runner::Focus, 1, 2, "focus [NAME]"},
      {"blur", &Runner::Blur, 1, 1, "blur"},
      {"type", &Runner::Type, 2, 2, "type \"TEXT\""},
      {"key", &Runner::Key, 2, 3, "key NAME [MODS]"},
      {"keydown", &Runner::KeyDown, 2, 3, "keydown CODE [SHIFT]"},
      {"keypress", &Runner::KeyPress, 2, 2, "keypress CODE"},
      {"keyup", &Runner::KeyUp, 2, 3, "keyup CODE [SHIFT]"},
      {"select", &Runner::Select, 3, 3, "select START LENGTH"},
      {"clipboard", &Runner::Clipboard, 2, 2, "clipboard \"TEXT\""},
      {"mouse", &Runner::Mouse, 6, 6, "mouse down|move|up BUTTON SHIFT X Y"},
      {"click", &Runner::Click, 1, 1, "click"},
      {"dblclick", &Runner::DblClick, 1, 1, "dblclick"},
      // Each page command checks its own words.
      {"page", &Runner::Page, 2, ~std::size_t{0}, "page open|pick|focus|type|key|leave|apply|show|close ..."},
  };
  return commands;
}

std::vector<std::string_view> Runner::Usages() {
  std::vector<std::string_view> usages;
  for (const Command& command : Commands()) usages.push_back(command.usage);
  return usages;
}

void Runner::CheckWordCount(const Command& command, const Words& words) {
  if (words.size() > command.max_words) {
    throw ScriptError("unexpected word " + Quoted(words[command.max_words]) + " (usage: " + std::string(command.usage) +
                      ")");
  }
  if (words.size() < command.min_words) throw ScriptError("missing words (usage: " + std::string(command.usage) + ")");
}

void Runner::Execute(const Words& words) {
  const Command* command = nullptr;
  for (const Command& candidate : Commands()) {
    if (candidate.name == words[0]) command = &candidate;
  }
  if (command == nullptr) throw ScriptError("unknown command " + Quoted(words[0]));
  CheckWordCount(*command, words);
  try {
    (this->*command->run)(words);
  } catch (const host::HostError& error) {
    EmitError(error.Number(), error.Description());
  }
  FlushRecords();
}

void Runner::FlushRecords() {
  for (const host::HostRecord& record : form_.TakeRecords()) out_ << RecordLine(record) << '\n';
}

void Runner::Emit(const std::string& line) {
  FlushRecords();
  out_ << line << '\n';
}

void Runner::EmitError(int number, const std::string& description) {
  json::JsonWriter json;
  json.BeginObject().Key("error").BeginObject().Key("number").Integer(number).Key("description").String(description);
  json.EndObject().EndObject();
  Emit(json.Text());
}

const std::u16string& Runner::CurrentName() const {
  if (!current_) throw ScriptError("no control yet (use new or read first)");
  return *current_;
}

control::Text& Runner::Current() { return *static_cast<control::Text*>(form_.ControlNamed(CurrentName())); }

void Runner::RequireFocus() const {
  if (!form_.FocusedName()) throw ScriptError("a key or selection with nothing focused (use focus first)");
}

int RunScript(std::istream& in, std::ostream& out, std::ostream& err) {
  const ClockRestorer restorer;
  Runner runner(out);
  LineReader reader(in);
  std::string line;
  auto fail = [&](const std::string& message) {
    runner.FlushRecords();
    out.flush();
    err << "line " << reader.LineNumber() << ": " << message << '\n';
    return 2;
  };
  try {
    while (reader.Next(line)) {
      const Words words = SplitWords(line);
      if (!words.empty()) runner.Execute(words);
    }
  } catch (const ScriptError& error) {
    return fail(error.what());
  } catch (const std::exception& error) {
    // Not the script's fault, but the run cannot go on sensibly.
    return fail(std::string("internal error: ") + error.what());
  }
  out.flush();
  return 0;
}

}  // namespace kestrow::script
