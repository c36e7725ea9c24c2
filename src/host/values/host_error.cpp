#include "kestrow/host/values/host_error.h"

namespace kestrow::host::errors {

void RaiseInvalidProcedureCall() { throw HostError(kInvalidProcedureCall, "Invalid procedure call or argument"); }
void RaiseOverflow() { throw HostError(kOverflow, "Overflow"); }
void RaiseTypeMismatch() { throw HostError(kTypeMismatch, "Type mismatch"); }
void RaiseInvalidUseOfNull() { throw HostError(kInvalidUseOfNull, "Invalid use of Null"); }
void RaiseInvalidPropertyValue() { throw HostError(kInvalidPropertyValue, "Invalid property value"); }

}  // namespace kestrow::host::errors
