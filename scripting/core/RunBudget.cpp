#include "scripting/core/RunBudget.h"

#include "scripting/core/HostServices.h"
#include "scripting/core/ScriptError.h"

namespace quillo::script {

void RunBudget::begin()
{
    if (depth_++ > 0)
        return;
    startNanos_ = monotonicNanos();
    startDialogNanos_ = HostDialogScope::totalDialogNanos();
    nextQuestionMs_ = timeoutMs_;
    abortRequested_ = false;
    countdown_ = kTicksPerCheck;
}

void RunBudget::end()
{
    if (depth_ > 0 && --depth_ == 0)
        abortRequested_ = false;
}

int64_t RunBudget::elapsedScriptMs() const
{
    if (depth_ == 0)
        return 0;
    const int64_t wall = monotonicNanos() - startNanos_;
    const int64_t dialogs = HostDialogScope::totalDialogNanos() - startDialogNanos_;
    return (wall - dialogs) / 1000000;
}

void RunBudget::check()
{
    countdown_ = kTicksPerCheck;
    if (abortRequested_)
        throw ScriptAbort{};
    if (depth_ == 0 || timeoutMs_ <= 0 || !host_)
        return;
    if (elapsedScriptMs() < nextQuestionMs_)
        return;
    bool stop;
    {
        HostDialogScope dialog;
        stop = host_->askStopLongRunningScript();
    }
    if (stop) {
        abortRequested_ = true;
        throw ScriptAbort{};
    }
    // Continue: ask again after another full timeout of script time.
    nextQuestionMs_ = elapsedScriptMs() + timeoutMs_;
}

} // namespace quillo::script
