#pragma once
// Memory for collector cells and the blocks they own. Small sizes come from free lists
// per size class (16-byte steps to 256, 64-byte steps to 1 KiB), refilled by
// bumping a pointer through 64 KiB blocks: a collection frees thousands of same-sized
// cells at once, and the next allocations take them back, with none of malloc's bin
// sorting in between. Blocks are cut from 2 MiB chunks that ask the kernel for huge
// pages, so a script building many objects takes one page fault per 2 MiB instead of
// one per 4 KiB. Chunks go back to the system when the pool is destroyed. Under
// AddressSanitizer every cell is a plain allocation, so use-after-free is still caught.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

// Set when AddressSanitizer instruments this build (GCC and Clang say so differently).
#if defined(__SANITIZE_ADDRESS__)
#define QUILLO_JS_PLAIN_CELLS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLO_JS_PLAIN_CELLS 1
#endif
#endif

namespace quillo::jscript {

class CellPool {
public:
    static constexpr size_t kGrain = 16;
    static constexpr size_t kFineLimit = 256;  // classes of kGrain steps up to here
    static constexpr size_t kCoarseGrain = 64;
    static constexpr size_t kLimit = 1024;  // larger sizes are plain allocations
    static constexpr size_t kFineClasses = kFineLimit / kGrain;
    static constexpr size_t kClasses = kFineClasses + (kLimit - kFineLimit) / kCoarseGrain;
    static constexpr uint8_t kUnpooled = 0xFF;
    static constexpr size_t kBlockBytes = 64 * 1024;
    static constexpr size_t kChunkBytes = 2 * 1024 * 1024;

    CellPool() = default;
    CellPool(const CellPool&) = delete;
    CellPool& operator=(const CellPool&) = delete;
    ~CellPool();

    // The size class for `bytes`, or kUnpooled.
    static uint8_t classOf(size_t bytes) {
#if defined(QUILLO_JS_PLAIN_CELLS)
        (void)bytes;
        return kUnpooled;
#else
        if (bytes <= kFineLimit) return static_cast<uint8_t>(bytes ? (bytes - 1) / kGrain : 0);
        if (bytes <= kLimit) return static_cast<uint8_t>(kFineClasses + (bytes - kFineLimit - 1) / kCoarseGrain);
        return kUnpooled;
#endif
    }
    // The bytes a pooled class hands out.
    static size_t sizeOf(uint8_t cls) {
        return cls < kFineClasses ? (cls + 1) * kGrain : kFineLimit + (cls + 1 - kFineClasses) * kCoarseGrain;
    }

    void* allocate(size_t bytes, uint8_t cls) {
        if (cls == kUnpooled) return ::operator new(bytes);
        if (FreeCell* c = free_[cls]) {
            free_[cls] = c->next;
            return c;
        }
        Bump& b = bump_[cls];
        size_t size = sizeOf(cls);
        if (b.end - b.next < static_cast<ptrdiff_t>(size)) newBlock(b);
        void* p = b.next;
        b.next += size;
        return p;
    }

    void release(void* p, uint8_t cls) {
        if (cls == kUnpooled) {
            ::operator delete(p);
            return;
        }
        auto* c = static_cast<FreeCell*>(p);
        c->next = free_[cls];
        free_[cls] = c;
    }

private:
    struct FreeCell {
        FreeCell* next;
    };
    // The untouched rest of a class's current block.
    struct Bump {
        char* next = nullptr;
        char* end = nullptr;
    };

    void newBlock(Bump& b);
    char* mapChunk();

    FreeCell* free_[kClasses] = {};
    Bump bump_[kClasses];
    char* chunkNext_ = nullptr;  // blocks not yet handed out in the newest chunk
    char* chunkEnd_ = nullptr;
    std::vector<void*> chunks_;
};

}  // namespace quillo::jscript
