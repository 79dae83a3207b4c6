#include "scripting/core/DispatchObject.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

namespace quillo::script {

DispatchObject::DispatchObject(std::u16string typeName) : typeName_(std::move(typeName)) {}

int32_t DispatchObject::addMember(std::u16string_view name)
{
    auto it = byName_.find(name);
    if (it != byName_.end())
        return it->second;
    members_.push_back(Member{std::u16string(name), {}, 0, 0, {}, {}, {}});
    const int32_t id = int32_t(members_.size());
    byName_.emplace(std::u16string(name), id);
    return id;
}

int32_t DispatchObject::addMethod(std::u16string_view name, int minArgs, int maxArgs, Method fn)
{
    const int32_t id = addMember(name);
    Member& m = members_[id - 1];
    m.method = std::move(fn);
    m.minArgs = minArgs;
    m.maxArgs = maxArgs;
    return id;
}

int32_t DispatchObject::addProperty(std::u16string_view name, Getter get, Setter put, Setter putRef)
{
    const int32_t id = addMember(name);
    Member& m = members_[id - 1];
    m.get = std::move(get);
    m.put = std::move(put);
    m.putRef = std::move(putRef);
    return id;
}

void DispatchObject::setDefaultMember(std::u16string_view name)
{
    defaultId_ = memberId(name);
}

int32_t DispatchObject::memberId(std::u16string_view name)
{
    auto it = byName_.find(name);
    return it == byName_.end() ? DISPID_UNKNOWN : it->second;
}

DispatchObject::Member& DispatchObject::member(int32_t id)
{
    if (id == DISPID_VALUE)
        id = defaultId_;
    if (id < 1 || size_t(id) > members_.size())
        throw ScriptError::runtime(err::NoSuchMember);
    return members_[id - 1];
}

void DispatchObject::requireArgs(std::span<Variant> args, int minArgs, int maxArgs)
{
    const int n = int(args.size());
    if (n < minArgs || (maxArgs != kAnyCount && n > maxArgs))
        throw ScriptError::runtime(err::WrongArguments);
}

Variant DispatchObject::invoke(int32_t id, InvokeKind kind, std::span<Variant> args)
{
    Member& m = member(id);
    if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
        // Set on a property without a put-ref accepts the plain put, and vice versa
        // for objects assigned without Set: the object picks what it supports.
        const Setter& set = kind == InvokeKind::PropertyPutRef && m.putRef ? m.putRef
                            : m.put                                    ? m.put
                                                                       : m.putRef;
        if (!set || args.empty())
            throw ScriptError::runtime(m.get || m.method ? err::WrongArguments : err::NoSuchMember);
        set(args.first(args.size() - 1), args.back().deref());
        return {};
    }
    if (hasFlag(kind, InvokeKind::Method) && m.method) {
        requireArgs(args, m.minArgs, m.maxArgs);
        return m.method(args);
    }
    if (hasFlag(kind, InvokeKind::PropertyGet) && m.get)
        return m.get(args);
    if (m.method && hasFlag(kind, InvokeKind::PropertyGet)) {
        requireArgs(args, m.minArgs, m.maxArgs);
        return m.method(args);
    }
    throw ScriptError::runtime(m.put || m.putRef ? err::WrongArguments : err::NoSuchMember);
}

Ref<Enumerator> DispatchObject::enumerate()
{
    return enumerate_ ? enumerate_() : Ref<Enumerator>();
}

std::u16string DispatchObject::memberName(int32_t id)
{
    if (id == DISPID_VALUE)
        id = defaultId_;
    if (id < 1 || size_t(id) > members_.size())
        return {};
    return members_[id - 1].name;
}

VectorEnumerator::VectorEnumerator(std::vector<Variant> items) : items_(std::move(items)) {}

bool VectorEnumerator::next(Variant& out)
{
    if (pos_ >= items_.size())
        return false;
    out = items_[pos_++];
    return true;
}

} // namespace quillo::script
