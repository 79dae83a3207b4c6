#pragma once
// Frame storage: locals and operand stacks of active calls, allocated last-in
// first-out from fixed chunks. Chunks never move, so a by-reference argument that
// points at a caller's local stays valid while the callee runs.

#include "scripting/core/Variant.h"

#include <memory>
#include <vector>

namespace quillo::vbscript {

class VariantArena {
public:
    static constexpr size_t kChunk = 1 << 15;

    // Where the arena stood before an allocation; release() returns there. Kept by the
    // caller (in its frame), so an allocation is a bump of `used_`.
    struct Mark {
        size_t chunk = 0;
        size_t used = 0;
        quillo::script::Variant* base = nullptr; // chunks_[chunk] then: release needs no lookup
    };

    // `n` Variants holding no payload (Empty, or a stale scalar of an earlier frame);
    // release in reverse order of allocation.
    [[gnu::always_inline]] quillo::script::Variant* allocate(size_t n, Mark& mark)
    {
        if (n > kChunk)
            n = kChunk; // frames are far smaller; the compiler bounds slot numbers
        mark = {chunk_, used_, base_};
        if (base_ && used_ + n <= kChunk) {
            quillo::script::Variant* p = base_ + used_;
            used_ += n;
            return p;
        }
        return allocateInNextChunk(n);
    }

    // Frees the allocation made at `mark` and everything after it; its Variants must
    // own no payload by then.
    void release(const Mark& mark)
    {
        chunk_ = mark.chunk;
        used_ = mark.used;
        base_ = mark.base;
    }

private:
    [[gnu::noinline]] quillo::script::Variant* allocateInNextChunk(size_t n)
    {
        size_t next = base_ ? chunk_ + 1 : 0;
        if (next >= chunks_.size())
            chunks_.push_back(std::make_unique<quillo::script::Variant[]>(kChunk));
        chunk_ = next;
        used_ = n;
        base_ = chunks_[chunk_].get();
        return base_;
    }

    std::vector<std::unique_ptr<quillo::script::Variant[]>> chunks_;
    quillo::script::Variant* base_ = nullptr; // chunks_[chunk_], null before the first
    size_t chunk_ = 0;
    size_t used_ = 0;
};

} // namespace quillo::vbscript
