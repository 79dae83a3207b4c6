#include "scripting/jscript/CellPool.h"

#include <sys/mman.h>

#include <cstdint>

namespace quillo::jscript {

CellPool::~CellPool() {
    for (void* c : chunks_) munmap(c, kChunkBytes);
}

void CellPool::newBlock(Bump& b) {
    if (chunkNext_ == chunkEnd_) {
        chunkNext_ = mapChunk();
        chunkEnd_ = chunkNext_ + kChunkBytes;
    }
    b.next = chunkNext_;
    b.end = chunkNext_ + kBlockBytes;
    chunkNext_ += kBlockBytes;
}

// A 2 MiB-aligned chunk: the kernel can back only aligned ranges with a huge page.
// Maps twice the size and trims the unaligned ends.
char* CellPool::mapChunk() {
    chunks_.reserve(chunks_.size() + 1);
    void* raw = mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    auto start = reinterpret_cast<uintptr_t>(raw);
    uintptr_t aligned = (start + kChunkBytes - 1) & ~(uintptr_t{kChunkBytes} - 1);
    if (aligned > start) munmap(raw, aligned - start);
    uintptr_t tail = aligned + kChunkBytes;
    uintptr_t rawEnd = start + 2 * kChunkBytes;
    if (rawEnd > tail) munmap(reinterpret_cast<void*>(tail), rawEnd - tail);
    auto* chunk = reinterpret_cast<char*>(aligned);
#ifdef MADV_HUGEPAGE
    madvise(chunk, kChunkBytes, MADV_HUGEPAGE);  // advice only: plain pages when none is free
#endif
    chunks_.push_back(chunk);
    return chunk;
}

}  // namespace quillo::jscript
