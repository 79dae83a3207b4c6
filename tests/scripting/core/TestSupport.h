#pragma once
// Helpers shared by the core tests.

#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <functional>
#include <ostream>
#include <string>

namespace quillo::script {

inline std::ostream& operator<<(std::ostream& os, const std::u16string& s)
{
    return os << toUtf8(s);
}

// The error number `fn` throws, or 0 when it returns normally.
inline int32_t errorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const ScriptError& e) {
        return e.number;
    }
    return 0;
}

} // namespace quillo::script
