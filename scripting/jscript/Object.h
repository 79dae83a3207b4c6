#pragma once
// Objects. Named properties live in a PropertyMap in insertion order (for-in order).
// Small objects keep them inside the object; an open-addressing index over atom
// pointers is built once a map passes 8 entries, so small objects are a short pointer
// scan and large ones one hash probe. Arrays keep their elements in a dense vector.

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <span>
#include <vector>

#include "scripting/jscript/JsString.h"
#include "scripting/jscript/Payload.h"

namespace quillo::jscript {

enum PropAttr : uint8_t { DontEnum = 1, ReadOnly = 2, DontDelete = 4 };

struct Property {
    JsString* key;
    Value value;
    uint8_t attrs;
};

// The first kInline properties live in the map itself: an object built with a couple
// of properties costs one allocation. Past that they move to one array in payload
// memory (growing by about doubling), and the inline space holds the hash index instead.
class PropertyMap {
public:
    static constexpr uint32_t kInline = 2;

    PropertyMap() {}
    ~PropertyMap() { freeSpill(); }
    PropertyMap(const PropertyMap&) = delete;
    PropertyMap& operator=(const PropertyMap&) = delete;

    int find(const JsString* key) const {
        if (!hasIndex()) {
            for (uint32_t i = 0; i < size_; ++i)
                if (data_[i].key == key) return static_cast<int>(i);
            return -1;
        }
        size_t mask = spill_.indexSize - 1;
        for (size_t h = hashOf(key) & mask;; h = (h + 1) & mask) {
            int32_t slot = spill_.index[h];
            if (slot < 0) return -1;
            if (data_[slot].key == key) return slot;
        }
    }
    void add(JsString* key, Value v, uint8_t attrs) {
        if (size_ == cap_) grow(cap_ * 2 + 2);  // 6, 14, 30, ...: the first spill fits records of a few fields
        new (&data_[size_]) Property{key, v, attrs};
        ++size_;
        if (size_ > kLinear) {
            if (size_ * 2 > spill_.indexSize) rebuildIndex();
            else insertIndex(static_cast<int32_t>(size_ - 1));
        }
    }
    void remove(int i) {
        std::memmove(static_cast<void*>(data_ + i), data_ + i + 1, (size_ - i - 1) * sizeof(Property));
        --size_;
        if (hasIndex()) rebuildIndex();
    }
    // Room for `n` properties without further growth.
    void reserve(uint32_t n) {
        if (n > cap_) grow(n);
    }
    size_t size() const { return size_; }
    Property& at(size_t i) { return data_[i]; }
    const Property& at(size_t i) const { return data_[i]; }
    void clear() {
        freeSpill();
        data_ = inline_;
        size_ = 0;
        cap_ = kInline;
    }
    // Bytes held outside the object.
    size_t spillBytes() const { return isSpilled() ? cap_ * sizeof(Property) + spill_.indexSize * sizeof(int32_t) : 0; }

private:
    static constexpr uint32_t kLinear = 8;
    static size_t hashOf(const JsString* k) { return (reinterpret_cast<uintptr_t>(k) >> 4) * 0x9E3779B97F4A7C15ULL >> 20; }
    bool isSpilled() const { return data_ != inline_; }
    bool hasIndex() const { return isSpilled() && spill_.index; }
    void grow(uint32_t cap);  // moves the properties to a payload array of `cap`
    void freeSpill() {
        if (isSpilled()) releaseSpill();
    }
    [[gnu::noinline]] void releaseSpill();  // most objects never spill: their destructor stays a test
    void insertIndex(int32_t slot) {
        size_t mask = spill_.indexSize - 1;
        size_t h = hashOf(data_[slot].key) & mask;
        while (spill_.index[h] >= 0) h = (h + 1) & mask;
        spill_.index[h] = slot;
    }
    void rebuildIndex();

    Property* data_ = inline_;
    uint32_t size_ = 0;
    uint32_t cap_ = kInline;
    // Inline properties while they fit; the index of spilled ones after.
    union {
        Property inline_[kInline];
        struct {
            int32_t* index;
            uint32_t indexSize;
        } spill_;
    };
};

enum class ObjClass : uint8_t {
    Object, Array, Function, Arguments, Error, Boolean, Number, String, Date, RegExp,
    Math, Json, Global, Host, Enumerator, VBArray, VarDate
};

struct Object : GcCell {
    explicit Object(ObjClass c, Object* p) : cls(c), proto(p) {}
    ObjClass cls;
    bool isCallable = false;
    Object* proto;
    PropertyMap props;
    Value internal;  // wrapped primitive, time value of a Date
    void trace(Heap& h) override;
    size_t cellSize() const override { return sizeof(Object) + props.spillBytes(); }
};

struct ArrayObject final : Object {
    explicit ArrayObject(Object* p) : Object(ObjClass::Array, p) {}
    ValueVector dense;  // holes are Tag::Hole
    std::map<uint32_t, Value> sparse;  // indices far past the dense part
    uint32_t length = 0;
    // Enumeration follows insertion order. While indices are created in ascending order
    // before any named property, the natural order is it; otherwise `order` records keys.
    bool ordered = true;
    int64_t maxCreated = -1;
    std::vector<Value> order;
    void trace(Heap& h) override;
    size_t cellSize() const override { return sizeof(ArrayObject) + props.spillBytes() + dense.capacity() * sizeof(Value); }
};

struct Env;
struct FuncProto;
class Vm;

using NativeFn = Value (*)(Vm&, Value thisv, std::span<Value> args, Object* callee);

struct FunctionObject final : Object {
    explicit FunctionObject(Object* p) : Object(ObjClass::Function, p) { isCallable = true; }
    FuncProto* code = nullptr;  // script function
    Env* env = nullptr;
    NativeFn native = nullptr;  // built-in function
    NativeFn construct = nullptr;  // built-in `new` behaviour, when it differs
    int arity = 0;
    int magic = 0;  // selector for natives sharing one C++ function
    JsString* name = nullptr;
    bool prototypeMade = false;
    Value data;  // natives' extra state
    void trace(Heap& h) override;
};

struct ArgumentsObject final : Object {
    explicit ArgumentsObject(Object* p) : Object(ObjClass::Arguments, p) {}
    std::vector<Value> values;
    Env* env = nullptr;  // parameters i < mapped live in env->slots[paramSlot[i]]
    std::vector<int> paramSlot;
    void trace(Heap& h) override;
};

// Fixed-size slots of an Env: up to kInline live in the record itself, so the common
// closure over a few variables costs one allocation.
class EnvSlots {
public:
    static constexpr size_t kInline = 3;
    explicit EnvSlots(size_t n) : data_(n <= kInline ? inline_ : new Value[n]), size_(n) {}
    ~EnvSlots() {
        if (data_ != inline_) delete[] data_;
    }
    EnvSlots(const EnvSlots&) = delete;
    EnvSlots& operator=(const EnvSlots&) = delete;
    Value& operator[](size_t i) { return data_[i]; }
    size_t size() const { return size_; }
    Value* begin() { return data_; }
    Value* end() { return data_ + size_; }

private:
    Value inline_[kInline];
    Value* data_;
    size_t size_;
};

// A scope record for variables that closures, `with` or `eval` can see.
struct Env final : GcCell {
    Env(Env* p, FuncProto* o, size_t n) : parent(p), owner(o), slots(n) {}
    Env* parent;
    FuncProto* owner;  // names for dynamic lookup; null for a `with` scope
    EnvSlots slots;
    Object* withObject = nullptr;
    Object* extras = nullptr;  // variables `eval` declared here
    void trace(Heap& h) override;
    size_t cellSize() const override { return sizeof(Env) + (slots.size() > EnvSlots::kInline ? slots.size() * sizeof(Value) : 0); }
};

struct JsThrow {
    Value value;
};

}  // namespace quillo::jscript
