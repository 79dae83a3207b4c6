#include "scripting/control/ScriptLanguage.h"

#include "scripting/core/Text.h"

// The engines and the object library are optional in a build: each target that exists
// defines its QUILLO_HAVE_ macro for this file. What is called from each:
//   scripting/vbscript/VBScriptEngine.h:
//     std::unique_ptr<quillo::script::ScriptEngine>
//     quillo::vbscript::createVBScriptEngine(quillo::script::EngineContext& context);
//   scripting/jscript/JScriptEngine.h:
//     std::unique_ptr<quillo::script::ScriptEngine>
//     quillo::jscript::createJScriptEngine(quillo::script::EngineContext& context);
//     (found in quillo::script as well)
//   scripting/objects/ObjectFactory.h:
//     quillo::script::DispatchPtr quillo::script::createObject(std::u16string_view progId);
//     (null for an unknown ProgID)
#ifdef QUILLO_HAVE_VBSCRIPT
#include "scripting/vbscript/VBScriptEngine.h"
#endif
#ifdef QUILLO_HAVE_JSCRIPT
#include "scripting/jscript/JScriptEngine.h"
#endif
#ifdef QUILLO_HAVE_OBJECTS
#include "scripting/objects/ObjectFactory.h"
#endif

// The engines' own namespaces, so that the using-directives below hold before they exist.
namespace quillo::vbscript {
}
namespace quillo::jscript {
}

namespace quillo::script {

std::optional<ScriptLanguage> languageFromName(std::u16string_view name)
{
    if (equalsIgnoreCase(name, u"VBScript"))
        return ScriptLanguage::VBScript;
    if (equalsIgnoreCase(name, u"JScript"))
        return ScriptLanguage::JScript;
    return std::nullopt;
}

std::u16string_view languageName(ScriptLanguage language)
{
    return language == ScriptLanguage::VBScript ? u"VBScript" : u"JScript";
}

std::unique_ptr<ScriptEngine> createEngine(ScriptLanguage language, [[maybe_unused]] EngineContext& context)
{
    using namespace quillo::vbscript;
    using namespace quillo::jscript;
    switch (language) {
    case ScriptLanguage::VBScript:
#ifdef QUILLO_HAVE_VBSCRIPT
        return createVBScriptEngine(context);
#else
        return nullptr;
#endif
    case ScriptLanguage::JScript:
#ifdef QUILLO_HAVE_JSCRIPT
        return createJScriptEngine(context);
#else
        return nullptr;
#endif
    }
    return nullptr;
}

ObjectFactory defaultObjectFactory()
{
#ifdef QUILLO_HAVE_OBJECTS
    return [](std::u16string_view progId) { return createObject(progId); };
#else
    return [](std::u16string_view) { return DispatchPtr(); };
#endif
}

} // namespace quillo::script
