#include "scripting/jscript/Payload.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace quillo::jscript::payload {

namespace {

CellPool& threadPool() {
    static constinit thread_local CellPool* pool = nullptr;
    if (!pool) [[unlikely]] pool = new CellPool;  // deliberately never deleted: see Payload.h
    return *pool;
}

}  // namespace

void* allocate(size_t bytes) {
    uint8_t cls = CellPool::classOf(bytes);
    if (cls == CellPool::kUnpooled) {
        void* p = ::operator new(bytes);
        if (bytes >= kPrefaultBytes) prefault(p, bytes);
        return p;
    }
    return threadPool().allocate(bytes, cls);
}

void release(void* p, size_t bytes) {
    uint8_t cls = CellPool::classOf(bytes);
    if (cls == CellPool::kUnpooled) ::operator delete(p);
    else threadPool().release(p, cls);
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

}  // namespace quillo::jscript::payload
