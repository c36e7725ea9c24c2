// The host's intrinsic label: a caption drawn at a place.
#pragma once

#include "kestrow/host/controls/captioned_control.h"

namespace kestrow::host {

using Label = CaptionedControl;

}  // namespace kestrow::host
