// The commands that place controls and work on their settings.
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>

#include "control/text_internals.h"
#include "host/storage/json_writer.h"
#include "kestrow/control/dispatch.h"
#include "kestrow/control/type_library.h"
#include "kestrow/host/values/runtime.h"
#include "runner.h"
#include "script_lexer.h"
#include "script_values.h"
#include "value_json.h"

namespace kestrow::script {

namespace {

using host::Variant;

constexpr std::u16string_view kOther = u"other";

ValueStyle StyleOf(const control::MemberInfo* member) {
  return member != nullptr && member->type == control::ValueType::Colour ? ValueStyle::Colour : ValueStyle::Plain;
}

// The extent the host gives a control it places, in twips.
constexpr std::int32_t kPlacedWidth = 1935;
constexpr std::int32_t kPlacedHeight = 285;

// A factory of controls that the host sizes and then notifies (initialise or read properties).
host::Form::ComponentFactory Making(std::int32_t width, std::int32_t height,
                                    std::function<void(control::Text&)> notify) {
  return [=](host::ControlSite& site, host::EditBox& box) {
    auto text = std::make_unique<control::Text>(site, box);
    text->Resize(width, height);
    notify(*text);
    return text;
  };
}

host::Form::ComponentFactory ReadingFrom(host::PropertyBag& bag, std::int32_t width, std::int32_t height) {
  return Making(width, height, [&bag](control::Text& text) { text.ReadProperties(bag); });
}

// The type name as printed: an object member holding no object is still of its member's kind.
std::string TypeNameOf(const Variant& value, const control::MemberInfo* member) {
  if (value.Type() == host::VarType::Object && !value.AsObject() && member != nullptr) {
    if (member->type == control::ValueType::Picture) return "Picture";
    if (member->type == control::ValueType::Font) return "Font";
  }
  return host::TypeName(value);
}

// `set` takes the constants of an enumerated property by name too, as the number they stand for.
Variant SettingValue(std::string_view property, std::string_view word) {
  const control::MemberInfo* member = control::FindMember(property);
  const control::ConstantInfo* constant = member == nullptr ? nullptr : control::FindConstant(member->type, word);
  return ParseValue(constant == nullptr ? std::string(word) : std::to_string(constant->value));
}

std::int32_t ParseTwips(std::string_view word, std::string_view what) {
  return static_cast<std::int32_t>(
      ParseWhole(word, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), what));
}

}  // namespace

void Runner::Place(const Words& words, const host::Form::ComponentFactory& make) {
  std::u16string name;
  int number = unnamed_;
  if (words.size() > 1) {
    name = ParseName(words[1]);
    if (form_.Contains(name)) throw ScriptError("an element named " + host::ToUtf8(name) + " is already on the form");
  } else {
    // A default name someone took by hand is passed over.
    do {
      name = u"Field" + host::FromUtf8(std::to_string(++number));
    } while (form_.Contains(name));
  }
  // The control enters the form only once its notification has run, so a failed read leaves
  // nothing behind.
  form_.Handle([&] { form_.AddControl(name, make, kOther); });
  unnamed_ = number;
  current_ = std::move(name);
}

void Runner::Today(const Words& words) {
  const host::CivilDate date = ParseCivilDate(words[1]);
  host::SetClock([date] { return date; });
}

void Runner::New(const Words& words) {
  Place(words, Making(kPlacedWidth, kPlacedHeight, [](control::Text& text) { text.InitProperties(); }));
}

void Runner::Use(const Words& words) {
  std::u16string name = ParseName(words[1]);
  if (!form_.Contains(name) || form_.ControlNamed(name) == nullptr) {
    throw ScriptError("no control named " + host::ToUtf8(name) + " on the form");
  }
  current_ = std::move(name);
}

void Runner::Bag(const Words& words) {
  const std::string key = words[1].starts_with('"') ? host::ToUtf8(ParseString(words[1])) : words[1];
  const Variant value = ParseValue(words[2]);
  // The bag stores one value a key; a second one would be lost without a word.
  if (pending_.Contains(key)) throw ScriptError("bag key \"" + key + "\" is already in the pending bag");
  pending_.WriteProperty(key, value, value);
}

void Runner::Read(const Words& words) {
  host::PropertyBag bag = std::exchange(pending_, host::PropertyBag());
  Place(words, ReadingFrom(bag, kPlacedWidth, kPlacedHeight));
}

void Runner::Save(const Words& /*words*/) {
  control::Text& text = Current();
  host::PropertyBag bag;
  form_.Handle([&] { text.WriteProperties(bag); });
  json::JsonWriter json;
  json.BeginObject().Key("control").String(CurrentName()).Key("bag").BeginObject();
  for (const auto& [key, value] : bag.Entries()) {
    const control::MemberInfo* member = control::FindMember(key);
    json.Key(key).BeginObject().Key("type").String(TypeNameOf(value, member)).Key("value");
    WriteValue(json, value, StyleOf(member));
    json.EndObject();
  }
  json.EndObject().EndObject();
  Emit(json.Text());
}

void Runner::Reload(const Words& /*words*/) {
  const std::u16string name = CurrentName();
  if (form_.FocusedName() == name) form_.Focus(kOther);
  host::PropertyBag bag;
  control::Text& old = Current();
  form_.Handle([&] { old.WriteProperties(bag); });
  // A field that sent the focus back to itself (an invalid date) gets it again once replaced.
  const bool keepsFocus = form_.FocusedName() == name;
  form_.Handle([&] { form_.ReplaceControl(name, ReadingFrom(bag, old.Width(), old.Height())); });
  // Only a page showing the replaced control loads again; any other keeps its unapplied edits.
  if (std::ranges::find(page_selection_, name) != page_selection_.end()) ReselectPageControls();
  if (keepsFocus) form_.Focus(name);
}

void Runner::Set(const Words& words) {
  control::Text& text = Current();
  const Variant value = SettingValue(words[1], words[2]);
  form_.Handle([&] { control::PutProperty(text, control::MemberNamed(words[1]), value); });
}

void Runner::Get(const Words& words) {
  control::Text& text = Current();
  const control::MemberInfo* member = nullptr;
  Variant value;
  form_.Handle([&] {
    member = &control::MemberNamed(words[1]);
    value = control::GetProperty(text, *member);
  });
  json::JsonWriter json;
  json.BeginObject()
      .Key("control")
      .String(CurrentName())
      .Key("get")
      .String(member->name)
      .Key("type")
      .String(TypeNameOf(value, member))
      .Key("value");
  WriteValue(json, value, StyleOf(member));
  json.EndObject();
  Emit(json.Text());
}

void Runner::Call(const Words& words) {
  control::Text& text = Current();
  form_.Handle([&] { control::CallMethod(text, control::MemberNamed(words[1]), {}); });
}

void Runner::Resize(const Words& words) {
  control::Text& text = Current();
  const std::int32_t width = ParseTwips(words[1], "the width");
  const std::int32_t height = ParseTwips(words[2], "the height");
  form_.Handle([&] { text.Resize(width, height); });
}

void Runner::Show(const Words& words) {
  if (words.size() == 2 && words[1] != "size" && words[1] != "clipboard") {
    throw ScriptError("unexpected word \"" + words[1] + "\" (usage: show [size|clipboard])");
  }
  json::JsonWriter json;
  if (words.size() == 2 && words[1] == "clipboard") {
    Emit(json.BeginObject().Key("clipboard").String(form_.Clipboard()).EndObject().Text());
    return;
  }
  control::Text& text = Current();
  const host::EditBox& box = control::Text1Of(text);
  json.BeginObject().Key("control").String(CurrentName());
  if (words.size() == 2) {
    json.Key("size")
        .BeginObject()
        .Key("width")
        .Integer(text.Width())
        .Key("height")
        .Integer(text.Height())
        .Key("box_width")
        .Integer(box.Width())
        .Key("box_height")
        .Integer(box.Height())
        .EndObject();
  } else {
    json.Key("box")
        .BeginObject()
        .Key("text")
        .String(box.Text())
        .Key("selstart")
        .Integer(box.SelStart())
        .Key("sellength")
        .Integer(box.SelLength())
        .Key("maxlength")
        .Integer(box.MaxLength())
        .Key("passwordchar")
        .String(box.PasswordChar())
        .Key("focused")
        .Boolean(box.HasFocus())
        .EndObject();
  }
  json.EndObject();
  Emit(json.Text());
}

}  // namespace kestrow::script
