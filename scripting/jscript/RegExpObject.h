#pragma once
// RegExp objects over the core's compiled patterns, and the matching steps the String
// methods share (exec with lastIndex rules, the legacy RegExp.$1 statics).

#include <memory>

#include "scripting/core/RegExp.h"
#include "scripting/jscript/Vm.h"

namespace quillo::jscript {

struct RegExpObject final : Object {
    explicit RegExpObject(Object* p) : Object(ObjClass::RegExp, p) {}
    std::shared_ptr<const script::RegExp> re;
};

// One match: spans per group in the subject.
struct MatchResult {
    script::RegExpMatch m;
    JsString* subject;
};

RegExpObject* asRegExp(Value v);
// Runs `re` from `start`; records the statics on success.
bool regexpMatchAt(Vm& vm, RegExpObject* re, JsString* subject, size_t start, script::RegExpMatch& m);
// The exec() array for a match.
Value matchArray(Vm& vm, JsString* subject, const script::RegExpMatch& m);
// The pattern of a String method argument: a RegExp as is, anything else compiled from
// its string form.
RegExpObject* toRegExp(Vm& vm, Value v);
// RegExp.$1 and friends, looked up on the constructor.
bool regexpStatic(Vm& vm, JsString* key, Value& out);

}  // namespace quillo::jscript
