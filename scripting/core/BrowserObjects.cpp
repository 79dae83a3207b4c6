#include "scripting/core/BrowserObjects.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "scripting/core/ProductInfo.h"
#include "scripting/core/Text.h"

namespace quillo::script {

namespace {

constexpr int kAlertStyle = 48;   // OK only, exclamation icon
constexpr int kConfirmStyle = 33; // OK and Cancel, question icon

// Argument `index` as text; an omitted argument is first replaced by "" in place.
std::u16string textArgument(std::span<Variant> args, size_t index)
{
    if (index >= args.size())
        return {};
    Variant& value = args[index].deref();
    if (value.isMissing())
        value = Variant::fromString(u"");
    return toText(value);
}

Variant stringProperty(std::string_view value)
{
    return Variant::fromString(fromAscii(value));
}

} // namespace

DispatchPtr makeWindow(HostServices& host)
{
    auto window = makeRef<DispatchObject>(u"Window");
    window->addMethod(u"alert", 0, 1, [&host](std::span<Variant> args) {
        const std::u16string message = textArgument(args, 0);
        host.msgBox(message, kAlertStyle, u"Alert");
        return Variant();
    });
    window->addMethod(u"confirm", 0, 1, [&host](std::span<Variant> args) {
        const std::u16string message = textArgument(args, 0);
        return Variant::fromBool(host.msgBox(message, kConfirmStyle, u"Confirm") == vbOK);
    });
    window->addMethod(u"prompt", 0, 2, [&host](std::span<Variant> args) {
        const std::u16string message = textArgument(args, 0);
        const std::u16string defaultText = textArgument(args, 1);
        std::optional<std::u16string> answer = host.inputBox(message, u"Prompt", defaultText);
        return Variant::fromString(answer ? std::move(*answer) : std::u16string());
    });
    return window;
}

DispatchPtr makeNavigator()
{
    auto navigator = makeRef<DispatchObject>(u"Navigator");
    auto constant = [](Variant value) {
        return [value](std::span<Variant>) { return value; };
    };
    navigator->addProperty(u"appCodeName", constant(stringProperty("Tarka")));
    navigator->addProperty(u"appName", constant(stringProperty(product::Title)));
    navigator->addProperty(u"appVersion", constant(stringProperty(product::Version)));
    navigator->addProperty(u"cookieEnabled", constant(Variant::fromBool(false)));
    navigator->addProperty(u"language", constant(stringProperty("en")));
    navigator->addProperty(u"onLine", constant(Variant::fromBool(false)));
    navigator->addProperty(u"platform", constant(stringProperty("Win32")));
    navigator->addProperty(u"userAgent", constant(stringProperty(product::UserAgent)));
    return navigator;
}

} // namespace quillo::script
