#pragma once
// The abstract engine the script control drives.

#include "scripting/core/Dispatch.h"
#include "scripting/core/Variant.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quillo::script {

class HostServices;
class RunBudget;

// Creates an automation object by its programmatic id (CreateObject,
// new ActiveXObject); null when there is no such class (the engine raises 429).
using ObjectFactory = std::function<DispatchPtr(std::u16string_view progId)>;

// Given to an engine at creation; everything referenced outlives the engine.
struct EngineContext {
    HostServices& host;
    RunBudget& budget;
    ObjectFactory createObject;
};

class ScriptEngine {
public:
    virtual ~ScriptEngine() = default;

    // "VBScript" or "JScript".
    virtual std::u16string language() const = 0;

    // Makes `obj` visible under `name`; with addMembers its members are also
    // reachable unqualified (after the script's own names, built-ins and named objects).
    virtual void addObject(const std::u16string& name, DispatchPtr obj, bool addMembers) = 0;

    // Compiles the whole text (a syntax error throws before anything runs), then runs
    // it. Errors throw ScriptError with line, column and sourceText filled in; a
    // stopped run throws ScriptAbort.
    virtual void addCode(const std::u16string& code) = 0;

    // Evaluates an expression in the global scope.
    virtual Variant eval(const std::u16string& expression) = 0;

    // A global function or Sub by name, for hosts that call into the script; throws
    // ScriptError 438 / 5009 when missing.
    virtual Variant run(const std::u16string& name, std::span<Variant> args) = 0;
};

} // namespace quillo::script
