#pragma once
// Runs compiled procedures: a frame of locals and operand stack from the arena, and the
// On Error state per frame. Calls of script procedures run in the caller's execute()
// loop; host calls, terminators, Eval and Execute each get a native call of their own.
// Owns the script-level state: globals, classes, the Err object, named objects.

#include "scripting/core/Dispatch.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"
#include "scripting/vbscript/Compiler.h"
#include "scripting/vbscript/Frame.h"
#include "scripting/vbscript/Globals.h"
#include "scripting/vbscript/Program.h"
#include "scripting/vbscript/VariantArena.h"
#include "scripting/vbscript/library/Builtins.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillo::vbscript {

using quillo::script::Ref;
class ClassInstance;
class ErrObject;

// What Err holds.
struct ErrState {
    int32_t number = 0;
    std::u16string description;
    std::u16string source;
    std::u16string helpFile;
    int32_t helpContext = 0;
};

class Interpreter {
public:
    explicit Interpreter(quillo::script::EngineContext& context);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    void addNamedObject(const std::u16string& name, quillo::script::DispatchPtr obj, bool addMembers);
    // Compiles the whole text, then runs its top-level code.
    void runCode(const std::u16string& code);
    Variant evalGlobal(const std::u16string& expression);
    Variant callByName(const std::u16string& name, std::span<Variant> args);

    // Used by ClassInstance.
    Variant invokeMember(ClassInstance& self, int member, quillo::script::InvokeKind kind, std::span<Variant> args);
    void terminate(ClassInstance& self) noexcept;
    // A procedure called with arguments (by-reference ones written through).
    Variant call(Procedure& proc, ClassInstance* me, std::span<Variant> args, Frame* outer = nullptr);

    ErrState& err() { return err_; }
    BuiltinContext& builtinContext() { return builtins_; }
    GlobalTable& globals() { return globals_; }

private:
    Variant execute(Frame& base);
    void enterFrameChecks();
    // Checks the call, then fills `f` with the procedure's locals and the arguments.
    void initFrame(Frame& f, Procedure& proc, ClassInstance* me, size_t argc);
    void enterFrame(Frame& f, Procedure& proc, ClassInstance* me, Frame* outer, std::span<Variant> args);
    void moveArguments(Frame& f, std::span<Variant> args);
    void leaveFrame(Frame& f) noexcept;
    Frame& pushCall(Frame& caller, Procedure& proc, ClassInstance* me, Variant* args, int argc);
    Frame* popCall(Frame* callee) noexcept;
    void dropOperands(Frame& f) noexcept;
    static size_t resumePoint(const Procedure& proc, size_t faultPc);
    void locate(Frame& f, quillo::script::ScriptError& e, size_t pc);
    void setErr(const quillo::script::ScriptError& e);

    void install(CompiledUnit& unit);
    CompileEnv makeEnv(const std::shared_ptr<SourceText>& src, Frame* scope, bool global);
    void executeText(const std::u16string& code, Frame& caller, bool global);
    Variant evalText(const std::u16string& code, Frame& caller);

    // `Me` outside a class: the host's object named "Me", else the script itself.
    Variant scriptMe();
    Variant newObject(const std::u16string& className);
    Variant newObject(Procedure& proc, uint32_t nameIndex);
    // The script class instance `target` holds, with its member named by `nameIndex`
    // (438 when missing or private from outside); null for other objects. 424 / 91 for
    // a target that is no object / Nothing.
    ClassInstance* classMember(Frame& f, const Variant& target, uint32_t nameIndex, bool inside, int& member);
    ClassInstance* knownClassMember(Frame& f, const Variant& target, uint32_t nameIndex, bool inside, int& member);
    Variant memberCall(Frame& f, const Variant& target, uint32_t nameIndex, bool inside, std::span<Variant> args);
    void memberPut(Frame& f, const Variant& target, uint32_t nameIndex, uint8_t flags, std::span<Variant> args);
    Variant indexValue(const Variant& target, std::span<Variant> args, const std::u16string& name);
    void storeIndexed(Variant& target, std::span<Variant> args, Variant value, bool isSet);
    Variant getRef(const Variant& nameValue);
    Variant createObject(std::span<Variant> args);

    quillo::script::EngineContext& context_;
    GlobalTable globals_;
    std::unordered_map<std::u16string, std::shared_ptr<ClassInfo>> classes_;
    std::vector<std::unique_ptr<Procedure>> procs_;           // every compiled procedure
    std::vector<std::shared_ptr<ClassInfo>> replacedClasses_; // redefined ones stay for live instances
    std::vector<std::pair<int, quillo::script::DispatchPtr>> memberObjects_;
    VariantArena arena_;
    FrameStack frames_;
    ErrState err_;
    quillo::script::DispatchPtr errObject_;
    quillo::script::DispatchPtr globalObject_; // made on first use
    BuiltinContext builtins_;
    std::shared_ptr<bool> alive_;

    // Native stack guard: calls fail with 28 once the stack pointer passes stackLimit_.
    const char* stackLimit_ = nullptr;
    int depth_ = 0; // active script procedure calls, bounded by kMaxDepth
    static constexpr int kMaxDepth = 200000;
    int runDepth_ = 0;

    friend class ClassInstance;
};

} // namespace quillo::vbscript
