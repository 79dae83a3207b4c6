#pragma once
// The time Now, Date, Time, Timer and Randomize read: the host's clock when there is a host
// (tests set it), the system's otherwise.

#include "scripting/vbscript/library/Builtins.h"

namespace quillo::vbscript::library {

// Local time as an OLE date, to the second.
double localNow(const BuiltinContext& context);
// Seconds since local midnight, to the millisecond.
double secondsSinceMidnight(const BuiltinContext& context);

} // namespace quillo::vbscript::library
