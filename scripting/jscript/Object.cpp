#include "scripting/jscript/Object.h"

#include "scripting/jscript/Bytecode.h"

namespace quillo::jscript {

void PropertyMap::grow(uint32_t cap) {
    auto* p = static_cast<Property*>(payload::allocate(cap * sizeof(Property)));
    std::memcpy(static_cast<void*>(p), data_, size_ * sizeof(Property));
    if (isSpilled()) {
        payload::release(data_, cap_ * sizeof(Property));
    } else {
        spill_.index = nullptr;
        spill_.indexSize = 0;
    }
    data_ = p;
    cap_ = cap;
}

void PropertyMap::releaseSpill() {
    if (spill_.index) payload::release(spill_.index, spill_.indexSize * sizeof(int32_t));
    payload::release(data_, cap_ * sizeof(Property));
}

void PropertyMap::rebuildIndex() {
    if (spill_.index) payload::release(spill_.index, spill_.indexSize * sizeof(int32_t));
    spill_.index = nullptr;
    spill_.indexSize = 0;
    if (size_ <= kLinear) return;
    uint32_t n = 16;
    while (n < size_ * 2 + 2) n *= 2;
    spill_.index = static_cast<int32_t*>(payload::allocate(n * sizeof(int32_t)));
    std::memset(spill_.index, 0xFF, n * sizeof(int32_t));  // every slot -1
    spill_.indexSize = n;
    for (uint32_t i = 0; i < size_; ++i) insertIndex(static_cast<int32_t>(i));
}

void Object::trace(Heap& h) {
    h.mark(proto);
    h.mark(internal);
    for (size_t i = 0; i < props.size(); ++i) {
        h.mark(props.at(i).key);
        h.mark(props.at(i).value);
    }
}

void ArrayObject::trace(Heap& h) {
    Object::trace(h);
    for (const Value& v : dense) h.mark(v);
    for (auto& kv : sparse) h.mark(kv.second);
    for (const Value& v : order) h.mark(v);
}

void FunctionObject::trace(Heap& h) {
    Object::trace(h);
    h.mark(code);
    h.mark(env);
    h.mark(name);
    h.mark(data);
}

void ArgumentsObject::trace(Heap& h) {
    Object::trace(h);
    for (const Value& v : values) h.mark(v);
    h.mark(env);
}

void Env::trace(Heap& h) {
    h.mark(parent);
    h.mark(owner);
    for (const Value& v : slots) h.mark(v);
    h.mark(withObject);
    h.mark(extras);
}

}  // namespace quillo::jscript
