#pragma once
// The classes CreateObject and new ActiveXObject can make, by ProgID in any letter
// case. The engines raise 429 in their own wording when there is no such class.

#include "scripting/core/Dispatch.h"

#include <string_view>

namespace quillo::script {

// "Scripting.Dictionary" or "Scripting.FileSystemObject"; null for any other name.
DispatchPtr createObject(std::u16string_view progId);

// GetObject: no running objects or monikers exist here, so every name throws
// ScriptError 429.
[[noreturn]] void getObject(std::u16string_view pathOrProgId);

} // namespace quillo::script
