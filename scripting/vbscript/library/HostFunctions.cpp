// MsgBox and InputBox (through the host's services), the locale, and the engine's identity.

#include "scripting/vbscript/library/Arguments.h"
#include "scripting/vbscript/library/Functions.h"
#include "scripting/vbscript/library/LocalConvert.h"
#include "scripting/vbscript/library/Locale.h"

#include "scripting/core/HostServices.h"
#include "scripting/core/Text.h"

namespace quillo::vbscript::library {

namespace script = quillo::script;

namespace {

constexpr std::u16string_view kDefaultTitle = u"VBScript";
constexpr int32_t kBuildVersion = 16384;

// The host that may show a dialog now; 70 "Permission denied" while dialogs are not allowed.
HostServices& dialogHost(BuiltinContext& context)
{
    if (!context.host || !context.host->userInterfaceAllowed())
        raise(quillo::script::err::PermissionDenied);
    return *context.host;
}

std::u16string titleArg(std::span<Variant> args, size_t i)
{
    return given(args, i) ? textArg(args, i) : std::u16string(kDefaultTitle);
}

// The locale ids SetLocale accepts: those whose formats the library produces.
LocaleChoice localeFromArg(const Variant& value)
{
    const Variant plain = plainValue(value);
    const std::optional<LocaleChoice> choice =
        plain.isString() ? findLocaleTag(plain.asString()) : findLocale(script::toLong(plain));
    if (!choice)
        invalidCall();
    return *choice;
}

} // namespace

// MsgBox(prompt[, buttons[, title[, helpfile, context]]])
QUILLO_VBS_BUILTIN(msgBox)
{
    const std::u16string prompt = textArg(args, 0);
    const int32_t style = longArgOr(args, 1, 0);
    const std::u16string title = titleArg(args, 2);
    HostServices& host = dialogHost(context);
    script::HostDialogScope dialogTime;
    return Variant::fromInteger(int16_t(host.msgBox(prompt, style, title)));
}

// InputBox(prompt[, title[, default[, xpos, ypos[, helpfile, context]]]]): Empty on Cancel.
QUILLO_VBS_BUILTIN(inputBox)
{
    const std::u16string prompt = textArg(args, 0);
    const std::u16string title = titleArg(args, 1);
    const std::u16string defaultText = given(args, 2) ? textArg(args, 2) : std::u16string();
    HostServices& host = dialogHost(context);
    script::HostDialogScope dialogTime;
    std::optional<std::u16string> answer = host.inputBox(prompt, title, defaultText);
    return answer ? Variant::fromString(std::move(*answer)) : Variant();
}

QUILLO_VBS_BUILTIN(getLocale)
{
    return Variant::fromLong(int32_t(context.localeId));
}

// SetLocale([lcid]): returns the previous locale id; no argument restores the default.
QUILLO_VBS_BUILTIN(setLocale)
{
    const int32_t previous = int32_t(context.localeId);
    const LocaleChoice choice = given(args, 0) ? localeFromArg(arg(args, 0)) : *findLocale(0);
    context.locale = choice.locale;
    context.localeId = choice.id;
    setActiveLocale(*context.locale);
    return Variant::fromLong(previous);
}

QUILLO_VBS_BUILTIN(scriptEngine)
{
    return Variant::fromString(u"VBScript");
}

QUILLO_VBS_BUILTIN(scriptEngineMajorVersion)
{
    return Variant::fromLong(5);
}

QUILLO_VBS_BUILTIN(scriptEngineMinorVersion)
{
    return Variant::fromLong(8);
}

QUILLO_VBS_BUILTIN(scriptEngineBuildVersion)
{
    return Variant::fromLong(kBuildVersion);
}

} // namespace quillo::vbscript::library
