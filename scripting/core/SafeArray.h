#pragma once
// Arrays of Variants with per-dimension bounds, stored column-major (the first index
// varies fastest) so that resizing the last dimension keeps every element in place.

#include "scripting/core/RefCounted.h"
#include "scripting/core/Variant.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quillo::script {

struct ArrayBound {
    int32_t lower = 0;
    int32_t upper = -1; // upper < lower: empty dimension (VBScript's Array() is 0 to -1)
    int64_t count() const { return upper < lower ? 0 : int64_t(upper) - lower + 1; }
};

class SafeArray : public RefCounted {
public:
    static constexpr int kMaxDims = 60;

    // An array without dimensions: a dynamic array before its first ReDim.
    SafeArray() = default;
    // Throws ScriptError 9 for too many dimensions and 7 when too large.
    explicit SafeArray(std::span<const ArrayBound> bounds, bool fixed = false);
    ~SafeArray() override;

    static Ref<SafeArray> create(std::span<const ArrayBound> bounds, bool fixed = false);
    // One dimension, 0 to size-1, holding `items` (VBScript's Array(...), Split).
    static Ref<SafeArray> fromVector(std::vector<Variant> items);

    int dims() const { return int(bounds_.size()); }
    // `dim` is 0-based; throws 9 when out of range.
    int32_t lbound(int dim) const;
    int32_t ubound(int dim) const;
    const std::vector<ArrayBound>& bounds() const { return bounds_; }
    size_t size() const { return elements_.size(); }

    // Element by one index per dimension; throws 9 for a wrong count or an index
    // outside the bounds.
    Variant& at(std::span<const int32_t> indices);
    Variant& at1(int32_t index); // one-dimensional fast path
    // Element by position in storage order.
    Variant& element(size_t flat) { return elements_[flat]; }
    std::vector<Variant>& elements() { return elements_; }
    const std::vector<Variant>& elements() const { return elements_; }

    // ReDim: new bounds, every element Empty. Throws 10 when fixed or locked.
    void redim(std::span<const ArrayBound> bounds);
    // ReDim Preserve: only the last dimension may change (9 otherwise); elements
    // within the new bounds keep their values. Throws 10 when fixed or locked.
    void redimPreserve(std::span<const ArrayBound> bounds);
    // Erase: a fixed array gets every element reset, a dynamic one loses its
    // dimensions. Throws 10 when locked.
    void erase();

    // A deep copy of the values (VBScript copies an array on assignment).
    Ref<SafeArray> copy() const;

    bool isFixed() const { return fixed_; }
    void setFixed(bool fixed) { fixed_ = fixed; }
    // A locked array (one being iterated by For Each, or passed by reference to an
    // element) cannot be resized.
    void lock() { ++locks_; }
    void unlock() { --locks_; }
    bool isLocked() const { return locks_ > 0; }

protected:
    // Deleting an array releases the arrays it holds; past a small depth those are
    // queued and deleted one after another, so nesting a million deep cannot overflow
    // the native stack.
    void lastReleased() noexcept override;

private:
    // Same bounds, elements dereferenced; nested arrays still shared with this one.
    Ref<SafeArray> shallowCopy() const;
    void checkResizable() const;
    static size_t totalSize(std::span<const ArrayBound> bounds);

    std::vector<ArrayBound> bounds_;
    std::vector<Variant> elements_;
    int32_t locks_ = 0;
    bool fixed_ = false;
};

// Locks an array for the lifetime of the guard.
class ArrayLock {
public:
    explicit ArrayLock(SafeArray* a) : a_(a) { if (a_) a_->lock(); }
    ~ArrayLock() { if (a_) a_->unlock(); }
    ArrayLock(const ArrayLock&) = delete;
    ArrayLock& operator=(const ArrayLock&) = delete;

private:
    Ref<SafeArray> a_;
};

} // namespace quillo::script
