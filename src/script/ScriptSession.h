#pragma once
// What the main window runs scripts with: the host services, the nine named objects
// (created once and handed again to every new engine) and the Run and error steps.

#include "src/script/DialogHostServices.h"

#include "scripting/control/ScriptControl.h"
#include "scripting/core/Dispatch.h"

#include <QString>
#include <memory>
#include <vector>

class QObject;
class QWidget;

namespace quillo {

class Dialogs;
class FormConsole;

class ScriptSession {
public:
    // `form` is the main window; it outlives the session's scripts.
    ScriptSession(Dialogs& dialogs, QWidget& form);
    ~ScriptSession();

    script::HostServices& hostServices() { return m_host; }

    // AddScriptObjects: resets the control, then adds App, Clipboard, Me, Printer,
    // Printers, Screen, console, navigator and window, all with their members as globals.
    void addScriptObjects(script::ScriptControl& control, FormConsole& console);

    // The language items' script part: the language, then the objects.
    void selectLanguage(script::ScriptControl& control, FormConsole& console, std::u16string_view language);

    // Run > Start: the objects, then the text. A failing step is skipped; the script's own
    // errors are reported through the control's error handler.
    void run(script::ScriptControl& control, FormConsole& console, const QString& text);

    // The control's error handler: one report of its error.
    void reportError(const script::ScriptControl& control);

private:
    script::DispatchPtr wrap(const char16_t* typeName, QObject* object);

    Dialogs& m_dialogs;
    QWidget& m_form;
    DialogHostServices m_host;
    std::vector<std::unique_ptr<QObject>> m_runtimeObjects;
    // In AddObject order: App, Clipboard, Me, Printer, Printers, Screen; empty until first use.
    std::vector<script::DispatchPtr> m_runtime;
    FormConsole* m_consoleOf = nullptr;
    script::DispatchPtr m_console;
    script::DispatchPtr m_navigator;
    script::DispatchPtr m_window;
};

} // namespace quillo
