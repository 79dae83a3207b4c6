#include "scripting/core/SafeArray.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"

namespace quillo::script {

namespace {
// Far more than memory allows; keeps the element count from overflowing.
constexpr int64_t kMaxElements = int64_t(1) << 31;

constexpr int kMaxNestedReleases = 64;
thread_local int releaseDepth = 0;
thread_local std::vector<SafeArray*> pendingReleases;
} // namespace

size_t SafeArray::totalSize(std::span<const ArrayBound> bounds)
{
    if (bounds.size() > size_t(kMaxDims))
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    int64_t total = 1;
    for (const ArrayBound& b : bounds) {
        if (b.upper < b.lower - 1)
            throw ScriptError::runtime(err::SubscriptOutOfRange);
        total *= b.count();
        if (total > kMaxElements)
            throw ScriptError::runtime(err::OutOfMemory);
    }
    return bounds.empty() ? 0 : size_t(total);
}

SafeArray::SafeArray(std::span<const ArrayBound> bounds, bool fixed)
    : bounds_(bounds.begin(), bounds.end()), elements_(totalSize(bounds)), fixed_(fixed)
{
}

SafeArray::~SafeArray() = default;

void SafeArray::lastReleased() noexcept
{
    if (releaseDepth >= kMaxNestedReleases) {
        pendingReleases.push_back(this);
        return;
    }
    ++releaseDepth;
    delete this;
    if (releaseDepth == 1) {
        while (!pendingReleases.empty()) {
            SafeArray* next = pendingReleases.back();
            pendingReleases.pop_back();
            delete next;
        }
    }
    --releaseDepth;
}

Ref<SafeArray> SafeArray::create(std::span<const ArrayBound> bounds, bool fixed)
{
    return Ref<SafeArray>(new SafeArray(bounds, fixed));
}

Ref<SafeArray> SafeArray::fromVector(std::vector<Variant> items)
{
    Ref<SafeArray> a(new SafeArray());
    a->bounds_.push_back({0, int32_t(items.size()) - 1});
    a->elements_ = std::move(items);
    return a;
}

int32_t SafeArray::lbound(int dim) const
{
    if (dim < 0 || dim >= dims())
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    return bounds_[dim].lower;
}

int32_t SafeArray::ubound(int dim) const
{
    if (dim < 0 || dim >= dims())
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    return bounds_[dim].upper;
}

Variant& SafeArray::at(std::span<const int32_t> indices)
{
    if (indices.size() != bounds_.size() || bounds_.empty())
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    size_t flat = 0;
    size_t stride = 1;
    for (size_t d = 0; d < indices.size(); ++d) {
        const ArrayBound& b = bounds_[d];
        if (indices[d] < b.lower || indices[d] > b.upper)
            throw ScriptError::runtime(err::SubscriptOutOfRange);
        flat += size_t(int64_t(indices[d]) - b.lower) * stride;
        stride *= size_t(b.count());
    }
    return elements_[flat];
}

Variant& SafeArray::at1(int32_t index)
{
    if (bounds_.size() != 1 || index < bounds_[0].lower || index > bounds_[0].upper)
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    return elements_[size_t(int64_t(index) - bounds_[0].lower)];
}

void SafeArray::checkResizable() const
{
    if (fixed_ || locks_ > 0)
        throw ScriptError::runtime(err::ArrayLocked);
}

void SafeArray::redim(std::span<const ArrayBound> bounds)
{
    checkResizable();
    std::vector<Variant> fresh(totalSize(bounds));
    bounds_.assign(bounds.begin(), bounds.end());
    elements_.swap(fresh);
}

void SafeArray::redimPreserve(std::span<const ArrayBound> bounds)
{
    checkResizable();
    if (bounds_.empty()) {
        redim(bounds);
        return;
    }
    if (bounds.size() != bounds_.size())
        throw ScriptError::runtime(err::SubscriptOutOfRange);
    for (size_t d = 0; d + 1 < bounds.size(); ++d)
        if (bounds[d].lower != bounds_[d].lower || bounds[d].upper != bounds_[d].upper)
            throw ScriptError::runtime(err::SubscriptOutOfRange);
    const size_t newSize = totalSize(bounds);
    // Column-major: the last dimension is the outermost, so a change of its upper
    // bound appends or drops whole slices at the end. A changed lower bound shifts
    // indices but keeps storage order, as ReDim Preserve does.
    elements_.resize(newSize);
    bounds_.back() = bounds.back();
}

void SafeArray::erase()
{
    if (locks_ > 0)
        throw ScriptError::runtime(err::ArrayLocked);
    if (fixed_) {
        for (Variant& v : elements_)
            v.clear();
        return;
    }
    std::vector<Variant> gone;
    gone.swap(elements_);
    bounds_.clear();
}

Ref<SafeArray> SafeArray::shallowCopy() const
{
    Ref<SafeArray> a(new SafeArray());
    a->bounds_ = bounds_;
    a->elements_.reserve(elements_.size());
    for (const Variant& v : elements_)
        a->elements_.push_back(v.deref());
    return a;
}

Ref<SafeArray> SafeArray::copy() const
{
    // Nested arrays are copied too (an array inside an array is a value). A worklist of
    // fresh copies whose elements still share the source's arrays keeps deep nesting
    // off the native stack; each copy is owned by its parent's element meanwhile.
    Ref<SafeArray> root = shallowCopy();
    std::vector<SafeArray*> pending{root.get()};
    while (!pending.empty()) {
        SafeArray* a = pending.back();
        pending.pop_back();
        for (Variant& v : a->elements_) {
            if (!v.isArray() || !v.asArray())
                continue;
            Ref<SafeArray> nested = v.asArray()->shallowCopy();
            v = Variant::fromArray(nested.get());
            pending.push_back(nested.get());
        }
    }
    return root;
}

} // namespace quillo::script
