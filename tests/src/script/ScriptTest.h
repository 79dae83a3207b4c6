#pragma once
// Fixture for scripts run through the main window's Run command.

#include "src/editor/DocumentBox.h"
#include "src/host/FormConsole.h"
#include "tests/src/support/FormMainTest.h"

#include <QAction>
#include <QMenu>

namespace quillo {

class ScriptTest : public FormMainTest {
protected:
    // Chooses the language from the menu, puts `code` in the document and runs Run > Start.
    void run(const char* language, const QString& code) {
        QAction* item = QLatin1String(language) == QLatin1String("JScript") ? form->MenuLanguageJScript
                                                                            : form->MenuLanguageVBScript;
        item->trigger();
        form->activeBox().setTextDirect(code);
        form->MenuRunStart->trigger();
    }
    QString consoleText() const { return form->console().text(); }
    // The message boxes titled "Script Error" shown so far.
    std::vector<ShownDialog> errorReports() const {
        std::vector<ShownDialog> reports;
        for (const ShownDialog& d : dialogs.shown())
            if (d.kind == DialogKind::MsgBox && d.title == QLatin1String("Script Error")) reports.push_back(d);
        return reports;
    }
};

} // namespace quillo
