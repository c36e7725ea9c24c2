// One output line for each thing the host recorded.
#pragma once

#include <string>

#include "kestrow/host/forms/form.h"

namespace kestrow::script {

std::string RecordLine(const host::HostRecord& record);

}  // namespace kestrow::script
