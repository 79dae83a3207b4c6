#pragma once
// Memory that cells own outside themselves (spilled properties, array elements). It is
// carved from one CellPool per thread, so it shares the size classes and huge-page
// chunks of cells: the blocks a collection frees are the next ones of their size handed
// out, and a script building many records takes a page fault per 2 MiB, not per 4 KiB.
// The pool is never destroyed: any engine on the thread may still point into it.

#include <cstddef>
#include <new>
#include <vector>

#include "scripting/jscript/CellPool.h"
#include "scripting/jscript/Value.h"

namespace quillo::jscript {

namespace payload {

// Asks the kernel for all the pages of [p, p + bytes) in one call, rather than one fault
// per page as each is first written: for a large buffer about to be filled.
void prefault(void* p, size_t bytes);
constexpr size_t kPrefaultBytes = 64 * 1024;  // smaller blocks are mostly in touched pages already

// Out of line: growth is rare next to use, and containers inlined into hot paths stay small.
void* allocate(size_t bytes);
// `bytes` is the size it was allocated with.
void release(void* p, size_t bytes);

}  // namespace payload

template <class T>
struct PayloadAllocator {
    using value_type = T;
    PayloadAllocator() = default;
    template <class U>
    PayloadAllocator(const PayloadAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(payload::allocate(n * sizeof(T))); }
    void deallocate(T* p, size_t n) { payload::release(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const PayloadAllocator<U>&) const { return true; }
};

// Array elements: a vector in payload memory that also takes a plain vector's contents.
struct ValueVector : std::vector<Value, PayloadAllocator<Value>> {
    using std::vector<Value, PayloadAllocator<Value>>::vector;
    ValueVector& operator=(const std::vector<Value>& v) {
        assign(v.begin(), v.end());
        return *this;
    }
};

}  // namespace quillo::jscript
