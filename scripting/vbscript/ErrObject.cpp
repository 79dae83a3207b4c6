#include "scripting/vbscript/ErrObject.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/vbscript/Interpreter.h"

namespace quillo::vbscript {

using quillo::script::DispatchObject;
using quillo::script::ScriptError;
using quillo::script::Variant;

namespace {

bool given(std::span<Variant> args, size_t i)
{
    return i < args.size() && !args[i].deref().isMissing();
}

} // namespace

ScriptError raisedError(int32_t number, const std::u16string* source, const std::u16string* description)
{
    int32_t n = quillo::script::numberFromHresult(number);
    std::u16string text;
    if (description) {
        text = *description;
    } else {
        std::u16string_view table = quillo::script::vbscriptDescription(n);
        text = table.empty() ? std::u16string(u"Unknown runtime error") : std::u16string(table);
    }
    ScriptError e(n, std::move(text),
                  source ? *source : std::u16string(quillo::script::kVBScriptRuntimeSource));
    e.standardDescription = description == nullptr;
    return e;
}

quillo::script::DispatchPtr makeErrObject(ErrState& st)
{
    auto obj = quillo::script::makeRef<DispatchObject>(u"ErrObject");
    ErrState* s = &st;
    obj->addProperty(
        u"Number", [s](std::span<Variant>) { return Variant::fromLong(s->number); },
        [s](std::span<Variant>, const Variant& v) { s->number = quillo::script::toLong(v); });
    obj->addProperty(
        u"Description", [s](std::span<Variant>) { return Variant::fromString(s->description); },
        [s](std::span<Variant>, const Variant& v) { s->description = quillo::script::toText(v); });
    obj->addProperty(
        u"Source", [s](std::span<Variant>) { return Variant::fromString(s->source); },
        [s](std::span<Variant>, const Variant& v) { s->source = quillo::script::toText(v); });
    obj->addProperty(
        u"HelpFile", [s](std::span<Variant>) { return Variant::fromString(s->helpFile); },
        [s](std::span<Variant>, const Variant& v) { s->helpFile = quillo::script::toText(v); });
    obj->addProperty(
        u"HelpContext", [s](std::span<Variant>) { return Variant::fromLong(s->helpContext); },
        [s](std::span<Variant>, const Variant& v) { s->helpContext = quillo::script::toLong(v); });
    obj->addMethod(u"Clear", 0, 0, [s](std::span<Variant>) {
        *s = ErrState{};
        return Variant();
    });
    obj->addMethod(u"Raise", 1, 5, [](std::span<Variant> args) -> Variant {
        int32_t number = quillo::script::toLong(args[0]);
        std::u16string source, description;
        bool hasSource = given(args, 1), hasDescription = given(args, 2);
        if (hasSource)
            source = quillo::script::toText(args[1]);
        if (hasDescription)
            description = quillo::script::toText(args[2]);
        ScriptError e = raisedError(number, hasSource ? &source : nullptr, hasDescription ? &description : nullptr);
        throw e;
    });
    obj->setDefaultMember(u"Number");
    return obj;
}

} // namespace quillo::vbscript
