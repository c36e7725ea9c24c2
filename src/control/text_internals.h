// What the project's own code (persistence, late binding, the hosts, the tests) reaches behind a
// Text control: its format engine and its inner edit box. Not for applications, which have the
// control's own interface.
#pragma once

#include "engine/text_engine.h"
#include "kestrow/control/text.h"

namespace kestrow::control {

engine::TextEngine& EngineOf(Text& text);
const engine::TextEngine& EngineOf(const Text& text);
host::EditBox& Text1Of(Text& text);
const host::EditBox& Text1Of(const Text& text);

}  // namespace kestrow::control
