#include "scripting/jscript/Payload.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace quillo::jscript::payload {

constinit thread_local CellPool* tPool = nullptr;

CellPool* makeThreadPool() {
    tPool = new CellPool;  // deliberately never deleted: see Payload.h
    return tPool;
}

void prefault(void* p, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    static const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    uintptr_t start = (reinterpret_cast<uintptr_t>(p) + page - 1) & ~(page - 1);
    uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(page - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);  // advice: older kernels refuse it
#else
    (void)p;
    (void)bytes;
#endif
}

void* allocateLarge(size_t bytes) {
    void* p = ::operator new(bytes);
    if (bytes >= kPrefaultBytes) prefault(p, bytes);
    return p;
}

}  // namespace quillo::jscript::payload
