#pragma once
// Runs a script on a thread of its own with a chosen native stack size.

#include "tests/scripting/vbscript/ScriptCase.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <string>

namespace quillo::vbscript::testing {

struct ThreadRun {
    std::string source;
    std::string output;
};

inline void* runOnThread(void* p)
{
    auto* run = static_cast<ThreadRun*>(p);
    run->output = outputOf(run->source);
    return nullptr;
}

// The console output (and "error N") of `source` run on a thread with `stackBytes` of stack.
inline std::string outputWithStack(const std::string& source, size_t stackBytes)
{
    ThreadRun run{source, {}};
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, stackBytes);
    pthread_t thread;
    EXPECT_EQ(pthread_create(&thread, &attr, runOnThread, &run), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
    return run.output;
}

} // namespace quillo::vbscript::testing
