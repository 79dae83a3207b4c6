#pragma once
// The timeout of a run. The engine calls tick() at every backward branch and call;
// that is a counter decrement, and only every kTicksPerCheck ticks the clock is read.
// Once the script time (wall time minus time in host dialogs) passes the timeout,
// the host is asked whether to stop; a stop throws ScriptAbort.

#include <cstdint>

namespace quillo::script {

class HostServices;

class RunBudget {
public:
    static constexpr int32_t kTicksPerCheck = 4096;
    static constexpr int64_t kNoTimeout = -1;

    explicit RunBudget(HostServices* host = nullptr) : host_(host) {}

    void setHost(HostServices* host) { host_ = host; }
    // Milliseconds of script time before the question; kNoTimeout (or any value
    // <= 0) never asks.
    void setTimeoutMs(int64_t ms) { timeoutMs_ = ms; }
    int64_t timeoutMs() const { return timeoutMs_; }

    // Starts measuring (the outermost AddCode); nested begin/end pairs are counted.
    void begin();
    void end();
    bool running() const { return depth_ > 0; }

    // Asks the run to stop at the next tick (a host's Stop command).
    void requestAbort()
    {
        abortRequested_ = true;
        countdown_ = 0;
    }
    bool abortRequested() const { return abortRequested_; }

    // The hot-path check. Throws ScriptAbort when the run is to stop.
    void tick()
    {
        if (--countdown_ <= 0)
            check();
    }

    // Script milliseconds since begin(), without dialog time.
    int64_t elapsedScriptMs() const;

private:
    void check();

    HostServices* host_;
    int64_t timeoutMs_ = 10000;
    int32_t countdown_ = kTicksPerCheck;
    int32_t depth_ = 0;
    bool abortRequested_ = false;
    int64_t startNanos_ = 0;
    int64_t startDialogNanos_ = 0;
    int64_t nextQuestionMs_ = 0; // script time at which the question is (next) due
};

} // namespace quillo::script
