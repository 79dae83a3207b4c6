#include "cli/HostObjects.h"

#include "cli/StreamHost.h"
#include "scripting/core/BrowserObjects.h"
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"

namespace quillo::cli {

using namespace quillo::script;

DispatchPtr makeConsole(StreamHost& host)
{
    auto console = makeRef<DispatchObject>(u"FormConsole");
    console->addMethod(u"log", 1, 1, [&host](std::span<Variant> args) {
        host.writeLine(toText(args[0]));
        return Variant();
    });
    return console;
}

DispatchPtr makeWindow(HostServices& host)
{
    return script::makeWindow(host);
}

DispatchPtr makeNavigator()
{
    return script::makeNavigator();
}

} // namespace quillo::cli
