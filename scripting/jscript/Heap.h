#pragma once
// Mark-sweep collector. Every cell the engine allocates is linked into one list; a
// collection marks from the roots the VM reports and frees the rest. Collections run
// only at interpreter safe points. Native code below such a point must have rooted what
// it holds (RootScope) and called script through Vm::callback; any other native call of
// script keeps collections off until it returns.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scripting/jscript/CellPool.h"
#include "scripting/jscript/Value.h"

namespace quillo::jscript {

class Heap;

struct GcCell {
    GcCell* gcNext = nullptr;
    bool marked = false;
    bool isAtom = false;  // an interned JsString: the atom table drops it before it is freed
    uint8_t poolClass = CellPool::kUnpooled;  // where Heap got its memory
    virtual ~GcCell() = default;
    virtual void trace(Heap&) {}
    virtual size_t cellSize() const { return sizeof(GcCell); }
};

class Heap {
public:
    Heap() = default;
    Heap(const Heap&) = delete;
    Heap& operator=(const Heap&) = delete;
    ~Heap() { freeAll(); }

    template <class T, class... Args>
    T* make(Args&&... args) {
        uint8_t cls = CellPool::classOf(sizeof(T));
        void* mem = pool_.allocate(sizeof(T), cls);
        T* cell;
        try {
            cell = new (mem) T(static_cast<Args&&>(args)...);
        } catch (...) {
            pool_.release(mem, cls);
            throw;
        }
        cell->poolClass = cls;
        cell->gcNext = cells_;
        cells_ = cell;
        allocated_ += sizeof(T);
        ++count_;
        return cell;
    }

    // Extra memory a cell grew by (vectors, strings) counts toward the next collection.
    void account(size_t bytes) { allocated_ += bytes; }
    bool wantsCollection() const { return allocated_ > threshold_; }

    void mark(GcCell* cell) {
        if (cell && !cell->marked) {
            cell->marked = true;
            gray_.push_back(cell);
        }
    }
    void mark(const Value& v);

    // Marking is driven by the caller: mark roots, then drain(), then sweep().
    void drain() {
        while (!gray_.empty()) {
            GcCell* c = gray_.back();
            gray_.pop_back();
            c->trace(*this);
        }
    }
    // Frees unmarked cells; `beforeFree` lets the owner drop weak references first.
    template <class F>
    void sweep(F&& beforeFree) {
        GcCell** link = &cells_;
        size_t live = 0;
        while (GcCell* c = *link) {
            if (c->marked) {
                c->marked = false;
                live += c->cellSize();
                link = &c->gcNext;
            } else {
                *link = c->gcNext;
                beforeFree(c);
                destroy(c);
                --count_;
            }
        }
        allocated_ = 0;
        threshold_ = live * 2 < kMinThreshold ? kMinThreshold : live * 2;
    }
    void freeAll() {
        while (cells_) {
            GcCell* c = cells_;
            cells_ = c->gcNext;
            destroy(c);
        }
        count_ = 0;
        allocated_ = 0;
    }
    size_t cellCount() const { return count_; }

    // Values natives hold across Vm::callback, as a stack that RootScope unwinds.
    std::vector<Value> heldValues;
    std::vector<const std::vector<Value>*> heldLists;
    void markHeld() {
        for (const Value& v : heldValues) mark(v);
        for (const std::vector<Value>* list : heldLists)
            for (const Value& v : *list) mark(v);
    }

private:
    void destroy(GcCell* c) {
        uint8_t cls = c->poolClass;
        c->~GcCell();
        pool_.release(c, cls);
    }

    static constexpr size_t kMinThreshold = 8 * 1024 * 1024;
    CellPool pool_;  // declared first: destroyed after the cells freeAll releases into it
    GcCell* cells_ = nullptr;
    std::vector<GcCell*> gray_;
    size_t allocated_ = 0;
    size_t threshold_ = kMinThreshold;
    size_t count_ = 0;
};

}  // namespace quillo::jscript
