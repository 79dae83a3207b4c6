#include "scripting/vbscript/ClassInstance.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"
#include "scripting/vbscript/Interpreter.h"

namespace quillo::vbscript {

using quillo::script::ArrayBound;
using quillo::script::DISPID_UNKNOWN;
using quillo::script::DISPID_VALUE;
using quillo::script::Ref;
using quillo::script::SafeArray;

ClassInstance::ClassInstance(std::shared_ptr<ClassInfo> cls, Interpreter& interp, std::shared_ptr<bool> alive)
    : cls_(std::move(cls)), interp_(interp), alive_(std::move(alive)), fields_(size_t(cls_->fieldCount))
{
    for (auto& [field, uppers] : cls_->fieldArrays) {
        std::vector<ArrayBound> bounds;
        for (int32_t u : uppers)
            bounds.push_back(ArrayBound{0, u});
        // `Private a()` is a dynamic array without dimensions, `Private a(3)` a fixed one
        auto arr = bounds.empty() ? Ref<SafeArray>(new SafeArray()) : SafeArray::create(bounds, true);
        fields_[size_t(field)] = Variant::fromArray(arr.get());
    }
}

ClassInstance::~ClassInstance() = default;

int32_t ClassInstance::memberId(std::u16string_view name)
{
    int m = cls_->find(quillo::script::toLower(name));
    if (m < 0 || !cls_->members[size_t(m)].isPublic)
        return DISPID_UNKNOWN;
    return m + 1;
}

std::u16string ClassInstance::memberName(int32_t id)
{
    if (id == DISPID_VALUE)
        id = cls_->defaultMember + 1;
    if (id < 1 || size_t(id) > cls_->members.size())
        return {};
    return cls_->members[size_t(id - 1)].name;
}

Variant ClassInstance::invoke(int32_t id, quillo::script::InvokeKind kind, std::span<Variant> args)
{
    if (!*alive_)
        throw quillo::script::ScriptError::runtime(quillo::script::err::NotSupportedAction);
    int member = id == DISPID_VALUE ? cls_->defaultMember : id - 1;
    if (member < 0 || size_t(member) >= cls_->members.size())
        throw quillo::script::ScriptError::runtime(quillo::script::err::NoSuchMember);
    return interp_.invokeMember(*this, member, kind, args);
}

namespace {

// Releasing the head of a long chain of objects (a linked list) would recurse once per
// node; past this depth the releases are queued and run one after another instead.
constexpr int kMaxNestedReleases = 64;
thread_local int releaseDepth = 0;
thread_local std::vector<ClassInstance*> pendingReleases;

} // namespace

void ClassInstance::lastReleased() noexcept
{
    if (releaseDepth >= kMaxNestedReleases) {
        pendingReleases.push_back(this);
        return;
    }
    ++releaseDepth;
    destroy();
    if (releaseDepth == 1) {
        while (!pendingReleases.empty()) {
            ClassInstance* next = pendingReleases.back();
            pendingReleases.pop_back();
            next->destroy();
        }
    }
    --releaseDepth;
}

void ClassInstance::destroy() noexcept
{
    if (initialized_ && *alive_ && cls_->terminate) {
        initialized_ = false; // Class_Terminate runs once
        addRef();             // alive while the terminator runs
        interp_.terminate(*this);
        release();            // deletes, unless the terminator stored Me somewhere
        return;
    }
    delete this;
}

} // namespace quillo::vbscript
