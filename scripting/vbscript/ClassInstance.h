#pragma once
// An instance of a script class: its fields, and a Dispatch face so host code and
// other objects see it like any automation object. Class_Terminate runs from
// lastReleased(), the moment the last reference goes.

#include "scripting/core/Dispatch.h"
#include "scripting/core/Variant.h"
#include "scripting/vbscript/Program.h"

#include <memory>
#include <vector>

namespace quillo::vbscript {

class Interpreter;

class ClassInstance final : public quillo::script::Dispatch {
public:
    ClassInstance(std::shared_ptr<ClassInfo> cls, Interpreter& interp, std::shared_ptr<bool> alive);
    ~ClassInstance() override;

    ClassInfo& info() { return *cls_; }
    std::vector<Variant>& fields() { return fields_; }

    // Public members only; ids are member index + 1, the default member is DISPID_VALUE.
    int32_t memberId(std::u16string_view name) override;
    Variant invoke(int32_t id, quillo::script::InvokeKind kind, std::span<Variant> args) override;
    std::u16string typeName() override { return cls_->name; }
    std::u16string memberName(int32_t id) override;

    // Marks the instance as built (Class_Initialize finished): only then may it terminate.
    void setInitialized() { initialized_ = true; }

protected:
    void lastReleased() noexcept override;

private:
    // Runs Class_Terminate (once) and deletes the instance.
    void destroy() noexcept;

private:
    std::shared_ptr<ClassInfo> cls_; // shared: an instance may outlive the engine
    Interpreter& interp_;
    std::shared_ptr<bool> alive_; // false once the engine is gone: no terminator then
    std::vector<Variant> fields_;
    bool initialized_ = false;
};

} // namespace quillo::vbscript
