// The commands of the designer on the property page Format.
#include <algorithm>
#include <array>

#include "host/controls/keyboard.h"
#include "host/storage/json_writer.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "kestrow/proppage/format_page.h"
#include "runner.h"
#include "script_lexer.h"
#include "script_values.h"

namespace kestrow::script {

namespace {

constexpr std::array<std::string_view, 3> kLists{"cmbDataType", "cmbInputFormat", "cmbDisplayFormat"};
constexpr std::array<std::string_view, 4> kFields{"txtLength", "txtDecPlaces", "txtPadChar", "txtMask"};

template <std::size_t N>
const std::string& OneOf(const std::array<std::string_view, N>& names, const std::string& word, std::string_view what) {
  if (std::ranges::find(names, word) == names.end())
    throw ScriptError("\"" + word + "\" is no " + std::string(what) + " of the page");
  return word;
}

void WritePageControl(json::JsonWriter& json, const host::PageControl& entry) {
  json.Key(entry.name).BeginObject();
  std::visit(
      [&](const auto* control) {
        using Control = std::remove_cvref_t<decltype(*control)>;
        if constexpr (std::is_same_v<Control, host::CaptionedControl>) {
          json.Key("text").String(control->Caption());
        } else {
          json.Key("text").String(control->Text());
        }
        json.Key("enabled").Boolean(control->Enabled()).Key("visible").Boolean(control->Visible());
        if constexpr (std::is_same_v<Control, host::DropDownList>) {
          json.Key("items").BeginArray();
          for (std::int32_t i = 0; i < control->ListCount(); ++i) json.String(control->List(i));
          json.EndArray().Key("listindex").Integer(control->ListIndex());
        }
      },
      entry.control);
  json.EndObject();
}

}  // namespace

void Runner::Page(const Words& words) {
  static const std::array<Command, 9> kCommands{{
      {"open", &Runner::PageOpen, 2, ~std::size_t{0}, "page open [NAME ...]"},
      {"pick", &Runner::PagePick, 4, 4, "page pick LIST \"ITEM\""},
      {"focus", &Runner::PageFocus, 3, 3, "page focus FIELD"},
      {"type", &Runner::PageType, 4, 4, "page type FIELD \"TEXT\""},
      {"key", &Runner::PageKey, 4, 5, "page key FIELD NAME [MODS]"},
      {"leave", &Runner::PageLeave, 2, 2, "page leave"},
      {"apply", &Runner::PageApply, 2, 2, "page apply"},
      {"show", &Runner::PageShow, 2, 2, "page show"},
      {"close", &Runner::PageClose, 2, 2, "page close"},
  }};
  const auto command = std::ranges::find(kCommands, words[1], &Command::name);
  if (command == kCommands.end()) throw ScriptError("unknown page command \"" + words[1] + "\"");
  CheckWordCount(*command, words);
  (this->*command->run)(words);
}

host::FormPageFrame& Runner::OpenPage() {
  if (!page_) throw ScriptError("no page is open (use page open first)");
  return *page_;
}

void Runner::PageOpen(const Words& words) {
  std::vector<std::u16string> names;
  for (std::size_t i = 2; i < words.size(); ++i) names.push_back(ParseName(words[i]));
  if (names.empty()) names.push_back(CurrentName());
  for (const std::u16string& name : names) {
    if (!form_.Contains(name) || !dynamic_cast<control::Text*>(form_.ControlNamed(name))) {
      throw ScriptError("no control named " + host::ToUtf8(name) + " on the form");
    }
  }
  page_.reset();
  page_ = std::make_unique<host::FormPageFrame>(
      form_, [](host::PageFrame& frame) { return std::make_unique<proppage::FormatPage>(frame); });
  page_selection_ = std::move(names);
  ReselectPageControls();
}

void Runner::ReselectPageControls() {
  if (!page_) return;
  std::vector<host::Dispatchable*> controls;
  for (const std::u16string& name : page_selection_) {
    controls.push_back(static_cast<control::Text*>(form_.ControlNamed(name)));
  }
  page_->Select(std::move(controls));
}

void Runner::PagePick(const Words& words) {
  const std::string& list = OneOf(kLists, words[2], "list");
  const std::u16string item = ParseString(words[3]);
  if (!OpenPage().Pick(list, item)) throw ScriptError("no item \"" + host::ToUtf8(item) + "\" in " + list);
}

bool Runner::EnterPageField(std::string_view field) {
  host::FormPageFrame& page = OpenPage();
  if (page.FocusedName() != field) page.Focus(field);
  return page.FocusedName() == field;
}

void Runner::PageFocus(const Words& words) { EnterPageField(OneOf(kFields, words[2], "field")); }

void Runner::PageType(const Words& words) {
  const std::string& field = OneOf(kFields, words[2], "field");
  const std::u16string text = ParseString(words[3]);
  if (!EnterPageField(field)) return;
  // As on the form, each character is a host event of its own.
  for (std::size_t i = 0; i < text.size(); ++i) {
    try {
      page_->Type(std::u16string_view(text).substr(i, 1));
    } catch (const host::HostError& error) {
      EmitError(error.Number(), error.Description());
    }
  }
}

void Runner::PageKey(const Words& words) {
  const std::string& field = OneOf(kFields, words[2], "field");
  const std::int16_t shift = words.size() > 4 ? ParseModifiers(words[4]) : std::int16_t{0};
  if (!host::IsTabKey(words[3]) && !host::StrokeForNamedKey(words[3], shift))
    throw ScriptError("unknown key \"" + words[3] + "\"");
  if (EnterPageField(field)) page_->PressKey(words[3], shift);
}

void Runner::PageLeave(const Words& /*words*/) { OpenPage().Leave(); }

void Runner::PageApply(const Words& /*words*/) { OpenPage().Apply(); }

void Runner::PageShow(const Words& /*words*/) {
  host::FormPageFrame& page = OpenPage();
  json::JsonWriter json;
  json.BeginObject().Key("page").BeginObject().Key("changed").Boolean(page.Site().Changed());
  for (const host::PageControl& control : page.Page().Controls()) WritePageControl(json, control);
  json.EndObject().EndObject();
  Emit(json.Text());
}

void Runner::PageClose(const Words& /*words*/) {
  OpenPage();
  page_.reset();
  page_selection_.clear();
}

}  // namespace kestrow::script
