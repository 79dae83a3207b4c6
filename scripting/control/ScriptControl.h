#pragma once
// The script control: one engine for the current language, the named objects given to it,
// the last error, the timeout. The editor's Run command and quillo-run drive it.

#include "scripting/control/ScriptLanguage.h"
#include "scripting/core/HostServices.h"
#include "scripting/core/RunBudget.h"
#include "scripting/core/ScriptEngine.h"
#include "scripting/core/ScriptError.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillo::script {

// The control's Error object: the last error's fields as a host reads them.
struct ScriptControlError {
    // The engine's error number (13, 500, 1025, 5009), or the whole 32-bit code,
    // negative, for codes of other facilities; 0 when there is no error.
    int32_t number = 0;
    std::u16string description; // with the name an error concerns: "Type mismatch: 'Foo'"
    std::u16string source;      // "VBScript compilation error", ...
    std::u16string text;        // the source line, empty when unknown
    int line = 0;               // 1-based, 0 when unknown
    int column = 0;             // 1-based, 0 when unknown
};

class ScriptControl {
public:
    // Raised for every failed AddCode before AddCode returns; reads error().
    using ErrorHandler = std::function<void()>;
    // Makes the engine for a language; null when there is none. Tests install fakes.
    using EngineCreator = std::function<std::unique_ptr<ScriptEngine>(ScriptLanguage, EngineContext&)>;

    static constexpr int64_t kDefaultTimeoutMs = 10000;
    static constexpr int64_t kNoTimeout = RunBudget::kNoTimeout;

    // `host` outlives the control.
    explicit ScriptControl(HostServices& host);
    ~ScriptControl();
    ScriptControl(const ScriptControl&) = delete;
    ScriptControl& operator=(const ScriptControl&) = delete;

    // "VBScript" (the initial language) or "JScript".
    std::u16string_view language() const { return languageName(language_); }
    // Any letter case; resets the control. Another name throws ScriptError 5.
    void setLanguage(std::u16string_view name);

    // Discards the engine with everything the code defined, the named objects and the
    // error. While code runs, the engine is discarded when the outermost AddCode returns;
    // objects added after the request belong to the next engine.
    void reset();

    // Throws ScriptError 457 when the name is taken (in any letter case).
    void addObject(std::u16string_view name, DispatchPtr object, bool addMembers);

    // Compiles `code` and runs its top-level statements. On an error, the error handler
    // runs and then AddCode returns false. A call from inside running code (a host object
    // calling back) runs in the same engine. A run the user stops returns false without an
    // error report.
    bool addCode(const std::u16string& code);

    const ScriptControlError& error() const { return error_; }
    void clearError() { error_ = {}; }
    void setErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }

    // Script milliseconds before the host is asked whether to stop; kNoTimeout never asks.
    int64_t timeout() const { return budget_.timeoutMs(); }
    void setTimeout(int64_t ms) { budget_.setTimeoutMs(ms); }

    // Whether engines may show MsgBox and InputBox (true at first).
    bool allowUI() const;
    void setAllowUI(bool allow);

    // True while AddCode is on the stack.
    bool running() const { return depth_ > 0; }
    // Asks the running code to stop at its next check.
    void requestStop() { budget_.requestAbort(); }

    void setObjectFactory(ObjectFactory factory);
    void setEngineCreator(EngineCreator creator) { createEngine_ = std::move(creator); }

private:
    class GatedHost;
    struct NamedObject {
        std::u16string name;
        DispatchPtr object;
        bool addMembers;
    };

    ScriptEngine& engine();
    void finishRun();
    void record(const ScriptError& e);

    std::unique_ptr<GatedHost> host_;
    RunBudget budget_;
    EngineContext context_;
    EngineCreator createEngine_;
    ScriptLanguage language_ = ScriptLanguage::VBScript;
    std::unique_ptr<ScriptEngine> engine_;
    std::vector<NamedObject> objects_; // replayed into each new engine, in order
    ScriptControlError error_;
    ErrorHandler onError_;
    int depth_ = 0;
    bool resetPending_ = false;
};

} // namespace quillo::script
