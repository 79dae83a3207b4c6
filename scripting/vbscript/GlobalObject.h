#pragma once
// What `Me` is in script-level code when the host added no object named "Me": the
// script itself, whose members are its global variables, constants and procedures.

#include "scripting/core/Dispatch.h"
#include "scripting/core/Variant.h"

#include <memory>

namespace quillo::vbscript {

class Interpreter;

class GlobalObject : public quillo::script::Dispatch {
public:
    GlobalObject(Interpreter& interp, std::shared_ptr<bool> alive) : interp_(interp), alive_(std::move(alive)) {}

    // Ids are global slot + 1, for names that exist when asked.
    int32_t memberId(std::u16string_view name) override;
    quillo::script::Variant invoke(int32_t id, quillo::script::InvokeKind kind,
                                   std::span<quillo::script::Variant> args) override;
    std::u16string typeName() override { return u"Object"; }
    std::u16string memberName(int32_t id) override;

private:
    Interpreter& interp_;
    std::shared_ptr<bool> alive_; // false once the engine is gone
};

} // namespace quillo::vbscript
