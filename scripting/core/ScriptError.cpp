#include "scripting/core/ScriptError.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/core/Text.h"

namespace quillo::script {

ScriptError::ScriptError(int32_t number, std::u16string description, std::u16string source)
    : number(number), description(std::move(description)), source(std::move(source))
{
}

ScriptError ScriptError::runtime(int32_t number)
{
    ScriptError e(number, std::u16string(vbscriptDescription(number)));
    e.standardDescription = true;
    return e;
}

ScriptError ScriptError::withName(int32_t number, std::u16string name)
{
    ScriptError e = runtime(number);
    e.name = std::move(name);
    return e;
}

int32_t ScriptError::hresult() const
{
    return hresultFromNumber(number);
}

std::u16string ScriptError::hostDescription() const
{
    if (name.empty())
        return description;
    return description + u": '" + name + u"'";
}

const char* ScriptError::what() const noexcept
{
    try {
        what_ = toUtf8(hostDescription());
    } catch (...) {
        return "script error";
    }
    return what_.c_str();
}

} // namespace quillo::script
