#pragma once
// Late-bound objects: members looked up by name, invoked with a span of Variants.

#include "scripting/core/RefCounted.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillo::script {

class Variant;

// How a member is invoked; VBScript's `obj.Foo` without parentheses asks for
// Method | PropertyGet and lets the object pick.
enum class InvokeKind : uint8_t {
    Method = 1,
    PropertyGet = 2,
    MethodOrGet = 3,
    PropertyPut = 4,
    PropertyPutRef = 8,
};

constexpr bool hasFlag(InvokeKind kind, InvokeKind flag)
{
    return (static_cast<uint8_t>(kind) & static_cast<uint8_t>(flag)) != 0;
}

constexpr int32_t DISPID_VALUE = 0;    // the default member
constexpr int32_t DISPID_UNKNOWN = -1; // memberId() of a missing name
constexpr int32_t DISPID_NEWENUM = -4;

// Iterates a collection for For Each / Enumerator.
class Enumerator : public RefCounted {
public:
    // Stores the next item in `out`; false at the end.
    virtual bool next(Variant& out) = 0;
    virtual void reset() = 0;
};

class Dispatch : public RefCounted {
public:
    // Case-insensitive; DISPID_UNKNOWN when there is no such member.
    virtual int32_t memberId(std::u16string_view name) = 0;

    // Arguments in natural order (first argument first). For PropertyPut and
    // PropertyPutRef the assigned value is the last element. A by-reference
    // argument (Variant::byRef) is written through. Failures throw ScriptError:
    // 438 for an unknown id, 450 for a wrong argument count, and so on.
    virtual Variant invoke(int32_t id, InvokeKind kind, std::span<Variant> args) = 0;

    // What VBScript's TypeName shows.
    virtual std::u16string typeName() = 0;

    // Null when the object cannot be enumerated.
    virtual Ref<Enumerator> enumerate();

    // The name of a member id, for error texts ('o.Bar'); empty when unknown.
    virtual std::u16string memberName(int32_t id);
};

using DispatchPtr = Ref<Dispatch>;

} // namespace quillo::script
