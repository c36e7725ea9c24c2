// The commands of the user at the keyboard and the mouse.
#include <limits>

#include "host/controls/keyboard.h"
#include "kestrow/host/values/host_error.h"
#include "kestrow/host/values/runtime.h"
#include "runner.h"
#include "script_lexer.h"
#include "script_values.h"

namespace kestrow::script {

namespace {

constexpr std::int64_t kShortMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kShortMax = std::numeric_limits<std::int16_t>::max();

std::int16_t ParseCode(std::string_view word) {
  return static_cast<std::int16_t>(ParseWhole(word, kShortMin, kShortMax, "the code"));
}

// A character code: its 16-bit unsigned number (as typed characters have) or the signed one.
std::int16_t ParseCharacterCode(std::string_view word) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(ParseWhole(word, kShortMin, 0xFFFF, "the code")));
}

// The shift state a raw key event may name after its code; none without it.
std::int16_t OptionalShift(const Words& words) { return words.size() > 2 ? ParseShift(words[2]) : std::int16_t{0}; }

}  // namespace

void Runner::Focus(const Words& words) {
  const std::u16string name = words.size() > 1 ? ParseName(words[1]) : CurrentName();
  if (!form_.Contains(name)) throw ScriptError("no element named " + host::ToUtf8(name) + " on the form");
  form_.Focus(name);
}

void Runner::Blur(const Words& /*words*/) { form_.Focus(u"other"); }

void Runner::Type(const Words& words) {
  const std::u16string text = ParseString(words[1]);
  RequireFocus();
  // Each character is a host event of its own: an error in one key does not swallow the next.
  for (std::size_t i = 0; i < text.size(); ++i) {
    try {
      form_.Type(std::u16string_view(text).substr(i, 1));
    } catch (const host::HostError& error) {
      EmitError(error.Number(), error.Description());
    }
  }
}

void Runner::Key(const Words& words) {
  const std::int16_t shift = words.size() > 2 ? ParseModifiers(words[2]) : std::int16_t{0};
  if (!host::IsTabKey(words[1]) && !host::StrokeForNamedKey(words[1], shift))
    throw ScriptError("unknown key \"" + words[1] + "\"");
  RequireFocus();
  form_.PressKey(words[1], shift);
}

void Runner::KeyDown(const Words& words) {
  const std::int16_t code = ParseCode(words[1]);
  const std::int16_t shift = OptionalShift(words);
  RequireFocus();
  form_.RawKeyDown(code, shift);
}

void Runner::KeyPress(const Words& words) {
  const std::int16_t code = ParseCharacterCode(words[1]);
  RequireFocus();
  form_.RawKeyPress(code);
}

void Runner::KeyUp(const Words& words) {
  const std::int16_t code = ParseCode(words[1]);
  const std::int16_t shift = OptionalShift(words);
  RequireFocus();
  form_.RawKeyUp(code, shift);
}

void Runner::Select(const Words& words) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  const auto start = static_cast<std::int32_t>(ParseWhole(words[1], 0, kMax, "the start"));
  const auto length = static_cast<std::int32_t>(ParseWhole(words[2], 0, kMax, "the length"));
  RequireFocus();
  form_.Select(start, length);
}

void Runner::Clipboard(const Words& words) { form_.SetClipboard(ParseString(words[1])); }

void Runner::Mouse(const Words& words) {
  host::Form::MouseAction action{};
  if (words[1] == "down") {
    action = host::Form::MouseAction::Down;
  } else if (words[1] == "move") {
    action = host::Form::MouseAction::Move;
  } else if (words[1] == "up") {
    action = host::Form::MouseAction::Up;
  } else {
    throw ScriptError("the mouse action \"" + words[1] + "\" is not down, move or up");
  }
  const auto button = static_cast<std::int16_t>(ParseWhole(words[2], kShortMin, kShortMax, "the button"));
  const std::int16_t shift = ParseShift(words[3]);
  const float x = ParseSingle(words[4], "X");
  const float y = ParseSingle(words[5], "Y");
  form_.Mouse(CurrentName(), action, button, shift, x, y);
}

void Runner::Click(const Words& /*words*/) { form_.Click(CurrentName()); }

void Runner::DblClick(const Words& /*words*/) { form_.DblClick(CurrentName()); }

}  // namespace kestrow::script
