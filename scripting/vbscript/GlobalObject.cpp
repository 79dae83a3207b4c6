#include "scripting/vbscript/GlobalObject.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/Interpreter.h"

namespace quillo::vbscript {

using quillo::script::InvokeKind;
using quillo::script::ScriptError;
namespace err = quillo::script::err;
constexpr int32_t kIllegalAssignment = 501;

int32_t GlobalObject::memberId(std::u16string_view name)
{
    if (!*alive_)
        return quillo::script::DISPID_UNKNOWN;
    int g = interp_.globals().find(quillo::script::toLower(name));
    if (g < 0 || !(interp_.globals()[g].exists || interp_.globals()[g].proc))
        return quillo::script::DISPID_UNKNOWN;
    return g + 1;
}

std::u16string GlobalObject::memberName(int32_t id)
{
    if (!*alive_ || id < 1 || size_t(id) > interp_.globals().size())
        return {};
    return interp_.globals()[id - 1].name;
}

Variant GlobalObject::invoke(int32_t id, InvokeKind kind, std::span<Variant> args)
{
    if (!*alive_ || id < 1 || size_t(id) > interp_.globals().size())
        throw ScriptError::runtime(err::NoSuchMember);
    GlobalSlot& slot = interp_.globals()[id - 1];
    if (slot.proc) {
        if (hasFlag(kind, InvokeKind::PropertyPut) || hasFlag(kind, InvokeKind::PropertyPutRef))
            throw ScriptError::runtime(kIllegalAssignment);
        return interp_.call(*slot.proc, nullptr, args);
    }
    bool put = hasFlag(kind, InvokeKind::PropertyPut), putRef = hasFlag(kind, InvokeKind::PropertyPutRef);
    if (put || putRef) {
        if (args.size() != 1)
            throw ScriptError::runtime(err::WrongArguments);
        if (slot.isConst)
            throw ScriptError::runtime(kIllegalAssignment);
        const Variant& v = args[0].deref();
        if (putRef && v.type() != quillo::script::VarType::Object)
            throw ScriptError::runtime(err::ObjectRequired);
        slot.value = v;
        return {};
    }
    if (!args.empty())
        throw ScriptError::runtime(err::WrongArguments); // the caller indexes the value
    return slot.value.deref();
}

} // namespace quillo::vbscript
