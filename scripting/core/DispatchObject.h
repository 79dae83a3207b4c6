#pragma once
// A convenience base for host objects written in C++: members are registered by
// name with lambdas, looked up case-insensitively, and numbered from 1 in order.

#include "scripting/core/Dispatch.h"
#include "scripting/core/Text.h"
#include "scripting/core/Variant.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillo::script {

class DispatchObject : public Dispatch {
public:
    using Method = std::function<Variant(std::span<Variant> args)>;
    // Property get; `args` are the index arguments of an indexed property.
    using Getter = std::function<Variant(std::span<Variant> args)>;
    // Property put; `args` are the index arguments, `value` the assigned value.
    using Setter = std::function<void(std::span<Variant> args, const Variant& value)>;

    static constexpr int kAnyCount = -1;

    explicit DispatchObject(std::u16string typeName);

    // `minArgs`..`maxArgs` arguments are accepted (450 otherwise); kAnyCount for no limit.
    int32_t addMethod(std::u16string_view name, int minArgs, int maxArgs, Method fn);
    // A read-only property when `put` is empty; `putRef` serves Set assignments.
    int32_t addProperty(std::u16string_view name, Getter get, Setter put = {}, Setter putRef = {});
    // Makes an existing member also the default member (DISPID_VALUE).
    void setDefaultMember(std::u16string_view name);
    void setEnumerator(std::function<Ref<Enumerator>()> fn) { enumerate_ = std::move(fn); }

    int32_t memberId(std::u16string_view name) override;
    Variant invoke(int32_t id, InvokeKind kind, std::span<Variant> args) override;
    std::u16string typeName() override { return typeName_; }
    Ref<Enumerator> enumerate() override;
    std::u16string memberName(int32_t id) override;

    // Throws 450 unless min <= args.size() <= max (max kAnyCount = no limit).
    static void requireArgs(std::span<Variant> args, int minArgs, int maxArgs);

private:
    struct Member {
        std::u16string name;
        Method method;
        int minArgs = 0;
        int maxArgs = 0;
        Getter get;
        Setter put;
        Setter putRef;
    };
    Member& member(int32_t id);
    int32_t addMember(std::u16string_view name);

    std::u16string typeName_;
    std::vector<Member> members_;                      // id - 1 indexes it
    std::unordered_map<std::u16string, int32_t, CaseInsensitiveHash, CaseInsensitiveEqual> byName_;
    int32_t defaultId_ = DISPID_UNKNOWN;
    std::function<Ref<Enumerator>()> enumerate_;
};

// Enumerates a snapshot of values.
class VectorEnumerator : public Enumerator {
public:
    explicit VectorEnumerator(std::vector<Variant> items);
    bool next(Variant& out) override;
    void reset() override { pos_ = 0; }

private:
    std::vector<Variant> items_;
    size_t pos_ = 0;
};

} // namespace quillo::script
