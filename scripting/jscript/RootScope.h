#pragma once
// Roots for a native that calls script through Vm::callback, where the collector may run:
// every value it keeps in C++ (locals, vectors, keys) across such a call is held here.
// Scopes nest with the C++ stack and release their values when they end, throws included.

#include <vector>

#include "scripting/jscript/Heap.h"

namespace quillo::jscript {

class RootScope {
public:
    explicit RootScope(Heap& heap) : heap_(heap), values_(heap.heldValues.size()), lists_(heap.heldLists.size()) {}
    ~RootScope() {
        heap_.heldValues.resize(values_);
        heap_.heldLists.resize(lists_);
    }
    RootScope(const RootScope&) = delete;
    RootScope& operator=(const RootScope&) = delete;

    Value hold(Value v) {
        heap_.heldValues.push_back(v);
        return v;
    }
    // The vector is read at each collection, so it may change while held.
    void hold(const std::vector<Value>& list) { heap_.heldLists.push_back(&list); }

private:
    Heap& heap_;
    size_t values_, lists_;
};

}  // namespace quillo::jscript
