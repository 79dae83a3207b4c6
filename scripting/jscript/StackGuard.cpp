#include "scripting/jscript/StackGuard.h"

#include <pthread.h>

#include <cstdint>

namespace quillo::jscript {

namespace {
constexpr size_t kMargin = 256 * 1024;

uintptr_t computeLimit() {
    pthread_attr_t attr;
    void* addr = nullptr;
    size_t size = 0;
    if (pthread_getattr_np(pthread_self(), &attr) == 0) {
        pthread_attr_getstack(&attr, &addr, &size);
        pthread_attr_destroy(&attr);
    }
    if (!addr || size < 2 * kMargin) {
        // Unknown bounds: allow 1 MB below the current frame.
        char here;
        return reinterpret_cast<uintptr_t>(&here) - 1024 * 1024;
    }
    return reinterpret_cast<uintptr_t>(addr) + kMargin;
}
}  // namespace

bool nativeStackLow() {
    thread_local uintptr_t limit = computeLimit();
    char here;
    return reinterpret_cast<uintptr_t>(&here) < limit;
}

}  // namespace quillo::jscript
