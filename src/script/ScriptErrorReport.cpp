#include "src/script/ScriptErrorReport.h"

#include "src/platform/Dialogs.h"
#include "src/script/QtDispatch.h"

namespace quillo {

QString scriptErrorMessage(const script::ScriptControlError& error) {
    return QStringLiteral("Error ") + QString::number(error.number) + QStringLiteral(": ") +
           qstringFromText(error.description) + QStringLiteral("\r\nOn Line: ") + QString::number(error.line) +
           QStringLiteral("\r\n\r\n") + qstringFromText(error.text);
}

void showScriptError(Dialogs& dialogs, QWidget* owner, const script::ScriptControlError& error) {
    dialogs.msgBox(owner, scriptErrorMessage(error), msgbox::vbOKOnly | msgbox::vbCritical,
                   QStringLiteral("Script Error"));
}

} // namespace quillo
