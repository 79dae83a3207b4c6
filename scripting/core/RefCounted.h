#pragma once
// Intrusive, single-threaded reference counting shared by every scripting object.

#include <cstdint>
#include <type_traits>
#include <utility>

namespace quillo::script {

class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) : refs_(0) {}
    RefCounted& operator=(const RefCounted&) { return *this; }

    void addRef() noexcept { ++refs_; }
    void release() noexcept
    {
        if (--refs_ == 0)
            lastReleased();
    }
    uint32_t refCount() const noexcept { return refs_; }

protected:
    virtual ~RefCounted() = default;
    // Called when the count drops to zero; objects that must run code first (a class
    // terminator) or that are owned elsewhere (a collector) override it.
    virtual void lastReleased() noexcept { delete this; }

private:
    uint32_t refs_ = 0;
};

// Owning pointer to a RefCounted object; null is allowed (Nothing).
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(T* p) noexcept : p_(p)
    {
        if (p_)
            p_->addRef();
    }
    Ref(const Ref& o) noexcept : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& o) noexcept : Ref(o.get())
    {
    }
    ~Ref()
    {
        if (p_)
            p_->release();
    }
    Ref& operator=(Ref o) noexcept
    {
        std::swap(p_, o.p_);
        return *this;
    }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // Gives up ownership without releasing.
    T* detach() noexcept { return std::exchange(p_, nullptr); }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

template <class T, class... Args>
Ref<T> makeRef(Args&&... args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace quillo::script
