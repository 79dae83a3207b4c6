#include "scripting/control/ScriptControl.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/Text.h"

#include <new>

namespace quillo::script {

namespace {
constexpr int32_t kInvalidArgument = 5;
constexpr int32_t kOutOfMemory = 7;
constexpr int32_t kInternalError = 51;
constexpr int32_t kCantCreateObject = 429;
constexpr int32_t kKeyInUse = 457;
} // namespace

// The host as the engines see it: dialogs only while AllowUI is on.
class ScriptControl::GatedHost : public HostServices {
public:
    explicit GatedHost(HostServices& host) : host_(host) {}

    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override
    {
        return host_.msgBox(prompt, style, title);
    }
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override
    {
        return host_.inputBox(prompt, title, defaultText);
    }
    bool userInterfaceAllowed() const override { return allowUI && host_.userInterfaceAllowed(); }
    // Without a user interface nobody can answer, and a script past its timeout must not
    // run on unattended: it is stopped.
    bool askStopLongRunningScript() override { return !userInterfaceAllowed() || host_.askStopLongRunningScript(); }
    double nowLocalOle() override { return host_.nowLocalOle(); }
    int64_t nowUtcMillis() override { return host_.nowUtcMillis(); }

    bool allowUI = true;

private:
    HostServices& host_;
};

ScriptControl::ScriptControl(HostServices& host)
    : host_(std::make_unique<GatedHost>(host)),
      budget_(host_.get()),
      context_{*host_, budget_, defaultObjectFactory()},
      createEngine_([](ScriptLanguage language, EngineContext& context) { return createEngine(language, context); })
{
    budget_.setTimeoutMs(kDefaultTimeoutMs);
}

ScriptControl::~ScriptControl() = default;

void ScriptControl::setLanguage(std::u16string_view name)
{
    std::optional<ScriptLanguage> language = languageFromName(name);
    if (!language)
        throw ScriptError::runtime(kInvalidArgument);
    reset();
    language_ = *language;
}

void ScriptControl::reset()
{
    objects_.clear();
    if (running()) {
        resetPending_ = true; // the engine is on the stack; finishRun discards it
        return;
    }
    engine_.reset();
    error_ = {};
}

void ScriptControl::addObject(std::u16string_view name, DispatchPtr object, bool addMembers)
{
    for (const NamedObject& named : objects_) {
        if (equalsIgnoreCase(named.name, name))
            throw ScriptError::runtime(kKeyInUse);
    }
    objects_.push_back({std::u16string(name), object, addMembers});
    if (engine_ && !resetPending_)
        engine_->addObject(objects_.back().name, std::move(object), addMembers);
}

bool ScriptControl::allowUI() const
{
    return host_->allowUI;
}

void ScriptControl::setAllowUI(bool allow)
{
    host_->allowUI = allow;
}

void ScriptControl::setObjectFactory(ObjectFactory factory)
{
    context_.createObject = std::move(factory);
}

ScriptEngine& ScriptControl::engine()
{
    if (engine_)
        return *engine_;
    std::unique_ptr<ScriptEngine> created = createEngine_(language_, context_);
    if (!created) {
        ScriptError missing = ScriptError::runtime(kCantCreateObject);
        missing.source = std::u16string(language_ == ScriptLanguage::VBScript ? kVBScriptRuntimeSource
                                                                                : kJScriptRuntimeSource);
        throw missing;
    }
    for (const NamedObject& named : objects_)
        created->addObject(named.name, named.object, named.addMembers);
    engine_ = std::move(created);
    return *engine_;
}

bool ScriptControl::addCode(const std::u16string& code)
{
    const bool outermost = depth_ == 0;
    if (outermost)
        error_ = {};
    ++depth_;
    budget_.begin();
    bool failed = true;
    try {
        engine().addCode(code);
        failed = false;
    } catch (const ScriptError& e) {
        record(e);
    } catch (const ScriptAbort&) {
        finishRun();
        if (!outermost)
            throw; // the outer run unwinds as well
        return false;
    } catch (const std::bad_alloc&) {
        record(ScriptError::runtime(kOutOfMemory));
    } catch (const std::exception&) {
        record(ScriptError::runtime(kInternalError));
    }
    finishRun();
    if (failed && onError_)
        onError_();
    return !failed;
}

void ScriptControl::finishRun()
{
    budget_.end();
    if (--depth_ == 0 && resetPending_) {
        resetPending_ = false;
        engine_.reset();
    }
}

void ScriptControl::record(const ScriptError& e)
{
    error_.number = e.number;
    error_.description = e.hostDescription();
    error_.source = e.source;
    error_.text = e.sourceText;
    error_.line = e.line;
    error_.column = e.column;
}

} // namespace quillo::script
