#include "scripting/vbscript/library/Clock.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/HostServices.h"

#include <cmath>

namespace quillo::vbscript::library {

double localNow(const BuiltinContext& context)
{
    return context.host ? context.host->nowLocalOle() : quillo::script::nowLocalOle();
}

double secondsSinceMidnight(const BuiltinContext& context)
{
    const double utcMs = double(context.host ? context.host->nowUtcMillis()
                                             : quillo::script::nowUtcMillis());
    const double localMs = quillo::script::utcToLocalMs(utcMs);
    const double intoDay = std::fmod(localMs, quillo::script::kMsPerDay);
    return (intoDay < 0 ? intoDay + quillo::script::kMsPerDay : intoDay) / 1000.0;
}

} // namespace quillo::vbscript::library
