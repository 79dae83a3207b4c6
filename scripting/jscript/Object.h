#pragma once
// Objects. Named properties live in a PropertyMap: a vector in insertion order (for-in
// order) with an open-addressing index over atom pointers once it passes 8 entries, so
// small objects are a short pointer scan and large ones one hash probe. Arrays keep
// their elements in a dense vector beside it.

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "scripting/jscript/JsString.h"

namespace quillo::jscript {

enum PropAttr : uint8_t { DontEnum = 1, ReadOnly = 2, DontDelete = 4 };

struct Property {
    JsString* key;
    Value value;
    uint8_t attrs;
};

class PropertyMap {
public:
    int find(const JsString* key) const {
        if (index_.empty()) {
            for (size_t i = 0; i < props_.size(); ++i)
                if (props_[i].key == key) return static_cast<int>(i);
            return -1;
        }
        size_t mask = index_.size() - 1;
        for (size_t h = hashOf(key) & mask;; h = (h + 1) & mask) {
            int32_t slot = index_[h];
            if (slot < 0) return -1;
            if (props_[slot].key == key) return slot;
        }
    }
    void add(JsString* key, Value v, uint8_t attrs) {
        if (props_.empty()) props_.reserve(4);  // skips the 1- and 2-entry steps of small objects
        props_.push_back({key, v, attrs});
        if (props_.size() > kLinear) {
            if (props_.size() * 2 > index_.size()) rebuild();
            else insertIndex(static_cast<int32_t>(props_.size() - 1));
        }
    }
    void remove(int i) {
        props_.erase(props_.begin() + i);
        if (!index_.empty()) rebuild();
    }
    size_t size() const { return props_.size(); }
    Property& at(size_t i) { return props_[i]; }
    const Property& at(size_t i) const { return props_[i]; }
    void clear() { props_.clear(); index_.clear(); }

private:
    static constexpr size_t kLinear = 8;
    static size_t hashOf(const JsString* k) { return (reinterpret_cast<uintptr_t>(k) >> 4) * 0x9E3779B97F4A7C15ULL >> 20; }
    void insertIndex(int32_t slot) {
        size_t mask = index_.size() - 1;
        size_t h = hashOf(props_[slot].key) & mask;
        while (index_[h] >= 0) h = (h + 1) & mask;
        index_[h] = slot;
    }
    void rebuild() {
        size_t n = 16;
        while (n < props_.size() * 2 + 2) n *= 2;
        index_.assign(n, -1);
        if (props_.size() <= kLinear) { index_.clear(); return; }
        for (size_t i = 0; i < props_.size(); ++i) insertIndex(static_cast<int32_t>(i));
    }
    std::vector<Property> props_;
    std::vector<int32_t> index_;
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
    size_t cellSize() const override { return sizeof(Object) + props.size() * sizeof(Property); }
};

struct ArrayObject final : Object {
    explicit ArrayObject(Object* p) : Object(ObjClass::Array, p) {}
    std::vector<Value> dense;  // holes are Tag::Hole
    std::map<uint32_t, Value> sparse;  // indices far past the dense part
    uint32_t length = 0;
    // Enumeration follows insertion order. While indices are created in ascending order
    // before any named property, the natural order is it; otherwise `order` records keys.
    bool ordered = true;
    int64_t maxCreated = -1;
    std::vector<Value> order;
    void trace(Heap& h) override;
    size_t cellSize() const override { return sizeof(ArrayObject) + dense.capacity() * sizeof(Value); }
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
