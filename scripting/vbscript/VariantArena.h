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

    // `n` Empty Variants; release in reverse order of allocation.
    [[gnu::always_inline]] quillo::script::Variant* allocate(size_t n)
    {
        if (n > kChunk)
            n = kChunk; // frames are far smaller; the compiler bounds slot numbers
        if (chunk_ < chunks_.size() && used_ + n <= kChunk) {
            quillo::script::Variant* p = chunks_[chunk_].get() + used_;
            used_ += n;
            marks_.push_back({chunk_, n, false});
            return p;
        }
        return allocateInNextChunk(n);
    }

    // Frees the most recent allocation; its Variants must already be Empty.
    void release()
    {
        Mark m = marks_.back();
        marks_.pop_back();
        if (m.switched) {
            chunk_ = m.chunk;
            used_ = m.size;
        } else {
            used_ -= m.size;
        }
    }

private:
    [[gnu::noinline]] quillo::script::Variant* allocateInNextChunk(size_t n)
    {
        size_t next = chunks_.empty() ? 0 : chunk_ + 1;
        if (next >= chunks_.size())
            chunks_.push_back(std::make_unique<quillo::script::Variant[]>(kChunk));
        marks_.push_back({chunk_, used_, true});
        chunk_ = next;
        used_ = n;
        return chunks_[chunk_].get();
    }

    struct Mark {
        size_t chunk;
        size_t size;  // allocation size, or the previous fill when `switched`
        bool switched;
    };
    std::vector<std::unique_ptr<quillo::script::Variant[]>> chunks_;
    std::vector<Mark> marks_;
    size_t chunk_ = 0;
    size_t used_ = 0;
};

} // namespace quillo::vbscript
