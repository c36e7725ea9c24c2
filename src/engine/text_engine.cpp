#include "kestrow/engine/text_engine.h"

namespace kestrow::engine {

TextEngine::TextEngine(host::EditBox& text1, host::ControlSite& site) : text1_(text1), site_(site) {
  text1_.SetEventHandler(this);
}

}  // namespace kestrow::engine
