#pragma once
// The Err object: Number (its default member), Description, Source, HelpFile,
// HelpContext, Raise and Clear over the interpreter's error state.

#include "scripting/core/DispatchObject.h"
#include "scripting/core/ScriptError.h"

namespace quillo::vbscript {

struct ErrState;

quillo::script::DispatchPtr makeErrObject(ErrState& state);

// The error Err.Raise throws: the table text when no description is given.
quillo::script::ScriptError raisedError(int32_t number, const std::u16string* source, const std::u16string* description);

} // namespace quillo::vbscript
