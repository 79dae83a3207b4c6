#include "scripting/core/HostServices.h"

#include "scripting/core/DateTime.h"

#include <chrono>

namespace quillo::script {

int64_t monotonicNanos()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {
// Single-threaded: dialogs are modal and nest only through re-entrant calls.
int64_t g_dialogNanos = 0;
int g_dialogDepth = 0;
} // namespace

double HostServices::nowLocalOle()
{
    return quillo::script::nowLocalOle();
}

int64_t HostServices::nowUtcMillis()
{
    return quillo::script::nowUtcMillis();
}

HostDialogScope::HostDialogScope() : start_(monotonicNanos())
{
    ++g_dialogDepth;
}

HostDialogScope::~HostDialogScope()
{
    if (--g_dialogDepth == 0)
        g_dialogNanos += monotonicNanos() - start_;
}

int64_t HostDialogScope::totalDialogNanos()
{
    return g_dialogNanos;
}

} // namespace quillo::script
