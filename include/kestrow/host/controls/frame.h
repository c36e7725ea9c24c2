// The host's intrinsic frame: a captioned border that groups controls. The controls inside it
// are placed relative to the frame, not to the form; keeping them is the form's business.
#pragma once

#include "kestrow/host/controls/captioned_control.h"

namespace kestrow::host {

using Frame = CaptionedControl;

}  // namespace kestrow::host
