#pragma once
// Calling created objects the way the engines do: by member name through Dispatch.

#include "scripting/core/Convert.h"
#include "scripting/core/Dispatch.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/core/Variant.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quillo::script::testing {

inline Variant str(std::u16string_view s)
{
    return Variant::fromString(s);
}

inline Variant call(const DispatchPtr& obj, std::u16string_view name, std::vector<Variant> args = {})
{
    const int32_t id = obj->memberId(name);
    if (id == DISPID_UNKNOWN)
        throw ScriptError::runtime(438);
    return obj->invoke(id, InvokeKind::MethodOrGet, args);
}

inline void put(const DispatchPtr& obj, std::u16string_view name, std::vector<Variant> indexAndValue)
{
    obj->invoke(obj->memberId(name), InvokeKind::PropertyPut, indexAndValue);
}

inline DispatchPtr objectOf(const Variant& v)
{
    return v.deref().objectRef();
}

// The ScriptError number `fn` throws, 0 when it returns normally.
inline int32_t errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const ScriptError& e) {
        return e.number;
    }
    return 0;
}

inline std::vector<Variant> enumerateAll(const DispatchPtr& obj)
{
    std::vector<Variant> out;
    Ref<Enumerator> e = obj->enumerate();
    if (!e)
        return out;
    Variant v;
    while (e->next(v))
        out.push_back(v);
    return out;
}

} // namespace quillo::script::testing
