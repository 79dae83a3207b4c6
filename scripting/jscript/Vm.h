#pragma once
// The interpreter: value stack, call frames, the global object and the built-in
// prototypes, conversions and property access. Script-to-script calls do not recurse
// on the C++ stack; they push a frame and stay in the same loop.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "scripting/core/Dispatch.h"
#include "scripting/core/RegExp.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/jscript/Bytecode.h"
#include "scripting/jscript/Object.h"

namespace quillo::jscript {

enum class ErrorKind : uint8_t { Error, EvalError, RangeError, ReferenceError, SyntaxError, TypeError, URIError, Count };

struct Atoms {
#define QUILLO_JS_ATOMS(X)                                                                       \
    X(length) X(prototype) X(constructor) X(toString) X(valueOf) X(name) X(message) X(number)    \
    X(description) X(callee) X(caller) X(lastIndex) X(source) X(global) X(ignoreCase)            \
    X(multiline) X(index) X(input) X(arguments) X(toJSON) X(join) X(eval) X(undefined) X(NaN)     \
    X(Infinity)
#define QUILLO_JS_DECLARE(n) JsString* n = nullptr;
    QUILLO_JS_ATOMS(QUILLO_JS_DECLARE)
#undef QUILLO_JS_DECLARE
};

struct Frame {
    FuncProto* proto;
    FunctionObject* callee;
    const int32_t* pc;
    Value* base;  // slot 0; callee and this sit at base[-2], base[-1]
    Env* env;
    Value thisv;
    uint32_t argc;
    bool construct;
    bool entry;  // returning from it leaves the run loop

    // Built in place in the frame vector: a call writes each field once.
    Frame() = default;
    Frame(FuncProto* p, FunctionObject* f, const int32_t* pc_, Value* b, Env* e, Value t, uint32_t n, bool c, bool en)
        : proto(p), callee(f), pc(pc_), base(b), env(e), thisv(t), argc(n), construct(c), entry(en) {}
};

struct Handler {
    size_t frame;
    const int32_t* catchPc;
    Value* sp;
    Env* env;
};

// Wraps a host Dispatch object.
struct HostObject final : Object {
    HostObject(Object* p, script::DispatchPtr d) : Object(ObjClass::Host, p), dispatch(std::move(d)) {}
    script::DispatchPtr dispatch;
};

class Vm {
public:
    explicit Vm(script::EngineContext* context);
    ~Vm();
    Vm(const Vm&) = delete;
    Vm& operator=(const Vm&) = delete;

    Heap& heap() { return heap_; }
    AtomTable& atoms() { return atoms_; }
    const Atoms& names() const { return names_; }
    script::EngineContext* context() { return context_; }
    void pinProto(FuncProto* p) { pinned_.push_back(p); }

    // Compiles and runs top-level code; throws JsThrow or CompileError.
    Value runScript(const std::u16string& text, bool keepResultOfEval = false);
    // Direct or indirect eval of `text` in the given scope.
    Value evalCode(const std::u16string& text, Env* env, Value thisv, bool direct);
    Value runEvalFrame(FuncProto* p, Env* env, Value thisv);
    void collectGarbage();

    // ---- values ----
    JsString* str(std::u16string s);
    JsString* str(std::u16string_view s) { return str(std::u16string(s)); }
    JsString* str(const char16_t* s) { return str(std::u16string(s)); }
    JsString* intern(std::u16string_view s) { return atoms_.intern(s); }
    Value strv(std::u16string s) { return Value::string(str(std::move(s))); }
    JsString* concat(JsString* a, JsString* b);

    Object* newObject(Object* proto = nullptr);
    ArrayObject* newArray(size_t length = 0);
    FunctionObject* newNative(JsString* name, NativeFn fn, int arity, int magic = 0);
    FunctionObject* defineNative(Object* target, const char16_t* name, NativeFn fn, int arity, int magic = 0);
    void defineValue(Object* target, const char16_t* name, Value v, uint8_t attrs = DontEnum);
    Object* newError(ErrorKind kind, int number, std::u16string_view message);
    Object* wrapHost(script::DispatchPtr d);

    // ---- conversions ----
    double toNumber(Value v);
    JsString* toString(Value v);
    std::u16string toStdString(Value v) { return toString(v)->str(); }
    Value toPrimitive(Value v, int hint = 0);  // hint: 0 default, 1 number, 2 string
    Object* toObject(Value v, int baseText = -1, FuncProto* proto = nullptr);
    static bool toBoolean(Value v);
    int32_t toInt32(Value v);
    uint32_t toUint32(Value v) { return static_cast<uint32_t>(toInt32(v)); }
    double toInteger(Value v);
    JsString* typeOf(Value v);
    // + - * / % on any values (Op::Add ... Op::Mod): the slow path of the run loop.
    Value arithmetic(Op op, Value a, Value b);
    bool looseEquals(Value a, Value b);
    bool compareValues(Value a, Value b, int which);
    static bool strictEquals(Value a, Value b);
    bool isCallable(Value v) const { return v.isObject() && v.obj->isCallable; }

    // ---- properties ----
    Value get(Object* o, JsString* key);  // key must be an atom
    Value getIndex(Object* o, uint32_t i);
    Value getV(Value base, Value key, int baseText = -1, FuncProto* proto = nullptr);
    Value getNamedV(Value base, JsString* key, int baseText = -1, FuncProto* proto = nullptr);
    void put(Object* o, JsString* key, Value v);
    void putIndex(Object* o, uint32_t i, Value v);
    void putV(Value base, Value key, Value v);
    bool getOwn(Object* o, JsString* key, Value& out);
    bool hasOwn(Object* o, JsString* key);
    bool hasProperty(Object* o, JsString* key);
    bool deleteProp(Object* o, JsString* key);
    JsString* keyAtom(Value key);  // ToString then intern
    // Enumerable keys in for-in order (own first, then inherited, no duplicates).
    std::vector<Value> enumerableKeys(Object* o);
    std::vector<Value> ownEnumerableKeys(Object* o);
    void setArrayLength(ArrayObject* a, double len);
    uint32_t lengthOf(Object* o);

    // ---- calls ----
    Value call(Value f, Value thisv, std::span<Value> args);
    // A call from a native that holds its values in a RootScope: the callee may collect.
    Value callback(Value f, Value thisv, std::span<Value> args);
    // One function called many times from a native that holds its values in a RootScope
    // (sort's comparator): what cannot change between the calls is checked once.
    class RepeatedCall {
    public:
        RepeatedCall(Vm& vm, Value f, Value thisv);
        Value operator()(std::span<Value> args);

    private:
        Vm& vm_;
        Value f_, this_;
        FunctionObject* script_ = nullptr;  // null: a native, called through callback
    };
    // A call from a host: a callback when no script runs below it, else a plain call.
    Value callFromHost(Value f, Value thisv, std::span<Value> args);
    Value construct(Value f, std::span<Value> args);
    Value callMethod(Value obj, JsString* name, std::span<Value> args);
    Value callerOf(FunctionObject* f);

    // ---- errors ----
    [[noreturn]] void throwError(int number, std::u16string message = {});
    [[noreturn]] void throwError(ErrorKind kind, int number, std::u16string message = {});
    [[noreturn]] void throwValue(Value v) { throw JsThrow{v}; }
    ErrorKind kindForNumber(int number) const;

    // ---- host objects ----
    void addNamedObject(const std::u16string& name, script::DispatchPtr obj, bool addMembers);
    bool lookupHostName(JsString* name, Value& out);
    Value fromVariant(const script::Variant& v);
    script::Variant toVariant(Value v);

    // Source position of the instruction that is running (for error reports).
    bool currentPosition(uint32_t& pos, std::shared_ptr<const std::u16string>& text);
    void setErrorPosition();  // records the current position as the last error's

    // Built-in prototypes and constructors.
    Object* global = nullptr;
    Object* objectProto = nullptr;
    Object* functionProto = nullptr;
    Object* arrayProto = nullptr;
    Object* stringProto = nullptr;
    Object* numberProto = nullptr;
    Object* booleanProto = nullptr;
    Object* dateProto = nullptr;
    Object* regexpProto = nullptr;
    Object* enumeratorProto = nullptr;
    Object* vbarrayProto = nullptr;
    Object* errorProtos[static_cast<int>(ErrorKind::Count)] = {};
    Object* arrayCtor = nullptr;
    FunctionObject* evalFunction = nullptr;
    Object* regexpCtor = nullptr;
    std::vector<Value> roots;  // values natives keep across calls (RegExp statics)

    // Last error position for the engine's report.
    uint32_t errorPos = 0;
    bool haveErrorPos = false;
    std::shared_ptr<const std::u16string> errorText;

    int nativeDepth = 0;  // run loops entered from C++ that may hold unrooted values; collections need 0

    // The last successful match, for RegExp.$1 ... and RegExp.lastMatch.
    struct LastMatch {
        JsString* subject = nullptr;
        script::RegExpMatch m;
        bool valid = false;
    } lastMatch;

private:
    friend class Interpreter;
    void installBuiltins();
    Value execute(size_t entryFrame);
    bool enterHandler(size_t entryFrame, const int32_t* pc, Value thrown);
    void leaveRun(size_t entryFrame);
    inline void pushFrame(FunctionObject* f, uint32_t argc, bool construct, bool entry);
    void pushFrameSlow(FunctionObject* f, uint32_t argc, bool construct, bool entry, Value* base);
    Value constructThis(FunctionObject* f);
    Env* makeCallEnv(FunctionObject* f, const Value* base, uint32_t argc);
    [[noreturn]] __attribute__((noinline, cold)) void stackOverflow();
    Value invoke(uint32_t argc, bool construct);  // callee, this, args on the stack
    ArgumentsObject* makeArguments(Frame& fr);
    void markRoots();
    bool getOwnSlow(Object* o, JsString* key, Value& out);
    void materializePrototype(FunctionObject* f);
    void noteNewArrayKey(ArrayObject* a, Value key, bool isIndex, uint32_t index);

    script::EngineContext* context_;
    Heap heap_;
    AtomTable atoms_{heap_};
    Atoms names_;
    JsString* digits_[10] = {};  // "0".."9": ToString of the commonest numbers without a lookup
    // The value stack is left unconstructed: slots are written before they are read,
    // so only the pages a script reaches are ever touched.
    struct RawFree {
        void operator()(Value* p) const { ::operator delete(p); }
    };
    std::unique_ptr<Value, RawFree> stack_;
    Value* sp_ = nullptr;
    Value* stackEnd_ = nullptr;
    std::vector<Frame> frames_;
    std::vector<Handler> handlers_;
    std::vector<FuncProto*> pinned_;
    std::vector<FuncProto*> scripts_;
    struct Named {
        JsString* name;
        Value object;
        bool addMembers;
    };
    std::vector<Named> named_;
    static constexpr size_t kStackSlots = 1 << 19;
    static constexpr size_t kMaxFrames = 20000;
};

// Built-in installers, one per file.
void installObjectBuiltins(Vm& vm);
void installFunctionBuiltins(Vm& vm);
void installArrayBuiltins(Vm& vm);
void installStringBuiltins(Vm& vm);
void installNumberBuiltins(Vm& vm);
void installMathBuiltins(Vm& vm);
void installErrorBuiltins(Vm& vm);
void installGlobalBuiltins(Vm& vm);
void installJsonBuiltins(Vm& vm);
void installDateBuiltins(Vm& vm);
void installRegExpBuiltins(Vm& vm);
void installHostBuiltins(Vm& vm);

// Helpers for natives.
inline Value arg(std::span<Value> args, size_t i) { return i < args.size() ? args[i] : Value(); }

}  // namespace quillo::jscript
