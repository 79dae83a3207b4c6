#pragma once
// Memory for collector cells. Small cells come from per-size free lists carved out of
// 64 KiB blocks: a collection frees thousands of same-sized cells at once, and the
// next allocations take them back, with none of malloc's bin sorting in between.
// Blocks go back to the system when the pool is destroyed. Under AddressSanitizer
// every cell is a plain allocation, so use-after-free is still caught.

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace quillo::jscript {

class CellPool {
public:
    static constexpr size_t kGrain = 16;
    static constexpr size_t kClasses = 16;  // cells up to kGrain * kClasses bytes are pooled
    static constexpr uint8_t kUnpooled = 0xFF;

    CellPool() = default;
    CellPool(const CellPool&) = delete;
    CellPool& operator=(const CellPool&) = delete;
    ~CellPool() {
        for (void* b : blocks_) ::operator delete(b);
    }

    // The size class for `bytes`, or kUnpooled.
    static uint8_t classOf(size_t bytes) {
#if defined(__SANITIZE_ADDRESS__)
        (void)bytes;
        return kUnpooled;
#else
        size_t k = (bytes + kGrain - 1) / kGrain;
        return k <= kClasses ? static_cast<uint8_t>(k - 1) : kUnpooled;
#endif
    }

    void* allocate(size_t bytes, uint8_t cls) {
        if (cls == kUnpooled) return ::operator new(bytes);
        FreeCell*& head = free_[cls];
        if (!head) refill(cls);
        FreeCell* c = head;
        head = c->next;
        return c;
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
    static constexpr size_t kBlockBytes = 64 * 1024;

    // Threads a new block onto the free list of class `cls`.
    void refill(uint8_t cls) {
        size_t size = (cls + 1) * kGrain;
        blocks_.reserve(blocks_.size() + 1);
        char* block = static_cast<char*>(::operator new(kBlockBytes));
        blocks_.push_back(block);
        FreeCell* head = free_[cls];
        for (size_t off = kBlockBytes / size * size; off >= size; off -= size) {
            auto* c = reinterpret_cast<FreeCell*>(block + off - size);
            c->next = head;
            head = c;
        }
        free_[cls] = head;
    }

    FreeCell* free_[kClasses] = {};
    std::vector<void*> blocks_;
};

}  // namespace quillo::jscript
