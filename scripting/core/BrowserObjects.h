#pragma once
// The browser-like host objects that every host gives its scripts under the same names:
// window (alert, confirm, prompt through the host's dialogs) and navigator (fixed,
// read-only answers about the program). The editor and quillo-run both use them.

#include "scripting/core/Dispatch.h"
#include "scripting/core/HostServices.h"

namespace quillo::script {

// alert(message), confirm(message), prompt(message, defaultText): omitted arguments are
// first replaced by "" in place; values are converted to text by the automation rules.
DispatchPtr makeWindow(HostServices& host);

// The eight read-only properties appCodeName, appName, appVersion, cookieEnabled, language,
// onLine, platform, userAgent.
DispatchPtr makeNavigator();

} // namespace quillo::script
