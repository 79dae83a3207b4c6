#pragma once
// The browser-like host objects on a terminal: console (log), window (alert, confirm,
// prompt) and navigator, with the editor's member names and behaviour.

#include "scripting/core/Dispatch.h"
#include "scripting/core/HostServices.h"

namespace quillo::cli {

class StreamHost;

// log(message): the message converted to text, as one line on standard output.
script::DispatchPtr makeConsole(StreamHost& host);
// alert, confirm and prompt through the host's message and input boxes.
script::DispatchPtr makeWindow(script::HostServices& host);
// The eight read-only properties: appCodeName, appName, appVersion, cookieEnabled,
// language, onLine, platform, userAgent.
script::DispatchPtr makeNavigator();

} // namespace quillo::cli
