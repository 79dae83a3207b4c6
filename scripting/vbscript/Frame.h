#pragma once
// Call frames: what one running procedure needs, and the stack of frames for calls the
// run loop makes without a native call of its own.

#include "scripting/core/Dispatch.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/Variant.h"
#include "scripting/vbscript/Program.h"
#include "scripting/vbscript/VariantArena.h"

#include <memory>
#include <utility>
#include <vector>

namespace quillo::vbscript {

using quillo::script::Ref;
using quillo::script::Variant;
class ClassInstance;

struct Frame {
    Procedure* proc = nullptr;
    const Instr* code = nullptr;        // proc->code, one load nearer
    const Variant* constants = nullptr; // proc->constants
    Variant* locals = nullptr;
    Variant* stack = nullptr;
    VariantArena::Mark arenaMark; // where locals and stack were allocated
    ClassInstance* me = nullptr;
    quillo::script::DispatchPtr keepMe; // Me lives while its method runs
    Frame* outer = nullptr;   // the frame an Execute / Eval runs in
    bool resumeNext = false;  // On Error Resume Next
    // Arrays whose elements are passed by reference to a pending call, with the
    // operand stack position of the reference; locked (no ReDim) until the call returns.
    std::vector<std::pair<Variant*, Ref<quillo::script::SafeArray>>> pins;
    // Set for a frame the run loop entered itself: where the caller continues.
    Frame* caller = nullptr;
    const Instr* returnIp = nullptr;
    Variant* callerSp = nullptr; // the caller's operand top at the call
    Variant* resultAt = nullptr; // where the result goes; the caller's slots from here up are popped
    bool keepResult = true;      // false for Property Let: the caller pushes nothing

    void unpinFrom(Variant* base);
};

// Frames of in-loop calls, in fixed chunks that never move: a frame's address stays
// valid while it runs (Execute and Eval point their code at it). The current chunk's
// bounds are kept as pointers, so a push or pop is a compare and a bump.
class FrameStack {
public:
    static constexpr size_t kChunk = 256;

    [[gnu::always_inline]] Frame& push()
    {
        if (next_ == end_)
            nextChunk();
        return *next_++;
    }

    // Drops the newest frame, leaving it ready for reuse (no pins, no Me).
    [[gnu::always_inline]] void pop()
    {
        if (next_ == begin_)
            previousChunk();
        Frame& f = *--next_;
        f.resumeNext = false;
        f.outer = nullptr;
    }

private:
    [[gnu::noinline]] void nextChunk()
    {
        size_t index = begin_ ? chunk_ + 1 : 0;
        if (index == chunks_.size())
            chunks_.push_back(std::make_unique<Frame[]>(kChunk));
        enter(index);
        next_ = begin_;
    }
    [[gnu::noinline]] void previousChunk()
    {
        enter(chunk_ - 1);
        next_ = end_;
    }
    void enter(size_t index)
    {
        chunk_ = index;
        begin_ = chunks_[index].get();
        end_ = begin_ + kChunk;
    }

    std::vector<std::unique_ptr<Frame[]>> chunks_;
    size_t chunk_ = 0;         // the chunk next_ points into, once there is one
    Frame* begin_ = nullptr;   // its bounds
    Frame* end_ = nullptr;
    Frame* next_ = nullptr;    // the next frame to hand out
};

} // namespace quillo::vbscript
