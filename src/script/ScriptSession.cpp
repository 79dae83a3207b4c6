#include "src/script/ScriptSession.h"

#include "src/host/FormConsole.h"
#include "src/script/AppObject.h"
#include "src/script/ClipboardObject.h"
#include "src/script/ConsoleObject.h"
#include "src/script/MainFormObject.h"
#include "src/script/PrinterObject.h"
#include "src/script/QtDispatch.h"
#include "src/script/ScreenObject.h"
#include "src/script/ScriptErrorReport.h"

#include "scripting/core/BrowserObjects.h"

#include <QWidget>

namespace quillo {

namespace {
// Every object's members are also globals, so alert("x") works as in a browser.
constexpr bool kAddMembers = true;
constexpr std::u16string_view kRuntimeNames[] = {u"App", u"Clipboard", u"Me", u"Printer", u"Printers", u"Screen"};
} // namespace

ScriptSession::ScriptSession(Dialogs& dialogs, QWidget& form)
    : m_dialogs(dialogs), m_form(form), m_host(dialogs, &form) {}

ScriptSession::~ScriptSession() = default;

script::DispatchPtr ScriptSession::wrap(const char16_t* typeName, QObject* object) {
    m_runtimeObjects.emplace_back(object);
    return script::makeRef<QtDispatch>(std::u16string(typeName), std::vector<QObject*>{object});
}

void ScriptSession::addScriptObjects(script::ScriptControl& control, FormConsole& console) {
    if (m_runtime.empty()) {
        m_runtime.push_back(wrap(u"App", new AppObject));
        m_runtime.push_back(wrap(u"Clipboard", new ClipboardObject));
        m_runtime.push_back(wrap(u"FormMain", new MainFormObject(m_form)));
        m_runtime.push_back(wrap(u"Printer", new PrinterObject(QPrinterInfo::defaultPrinter())));
        m_runtime.push_back(wrap(u"Printers", new PrintersObject));
        m_runtime.push_back(wrap(u"Screen", new ScreenObject));
    }
    if (m_consoleOf != &console) {
        m_consoleOf = &console;
        m_console = wrap(u"FormConsole", new ConsoleObject(console));
    }
    if (!m_navigator) m_navigator = script::makeNavigator();
    if (!m_window) m_window = script::makeWindow(m_host);

    control.reset();
    for (size_t i = 0; i < m_runtime.size(); ++i) control.addObject(kRuntimeNames[i], m_runtime[i], kAddMembers);
    control.addObject(u"console", m_console, kAddMembers);
    control.addObject(u"navigator", m_navigator, kAddMembers);
    control.addObject(u"window", m_window, kAddMembers);
}

void ScriptSession::selectLanguage(script::ScriptControl& control, FormConsole& console,
                                   std::u16string_view language) {
    control.setLanguage(language);
    addScriptObjects(control, console);
}

void ScriptSession::run(script::ScriptControl& control, FormConsole& console, const QString& text) {
    // Lines logged during the run reach the console window in one insertion.
    console.beginBatch();
    m_host.beforeDialog = [&console] { console.flush(); };
    try {
        addScriptObjects(control, console);
    } catch (...) {
    }
    try {
        control.addCode(textFromQString(text));
    } catch (...) {
    }
    m_host.beforeDialog = nullptr;
    console.endBatch();
}

void ScriptSession::reportError(const script::ScriptControl& control) {
    if (m_consoleOf) m_consoleOf->flush();
    showScriptError(m_dialogs, &m_form, control.error());
}

} // namespace quillo
