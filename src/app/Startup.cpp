#include "src/app/Startup.h"

#include "src/app/FormMain.h"
#include "src/platform/Dialogs.h"
#include "src/platform/FileExists.h"

namespace quillo {

QString commandLineFromArguments(const QStringList& arguments) {
    return arguments.join(QLatin1Char(' '));
}

QString fileNameFromCommandLine(const QString& commandLine) {
    QString name = commandLine;
    if (name.startsWith(QLatin1Char('"'))) name.remove(0, 1);
    if (name.endsWith(QLatin1Char('"'))) name.chop(1);
    return name;
}

void openCommandLineFile(FormMain& form, const QString& commandLine) {
    if (commandLine.isEmpty()) return;
    const QString name = fileNameFromCommandLine(commandLine);
    const int warning = msgbox::vbOKOnly | msgbox::vbExclamation;
    if (!fileExists(name)) {
        form.dialogs().msgBox(&form,
                              name + QLatin1String("\r\nFile not found.\r\n"
                                                   "Please verify the correct file name was given."),
                              warning, QStringLiteral("Open"));
        return;
    }
    if (!form.OpenFile(name)) {
        form.dialogs().msgBox(&form, commandLine + QLatin1String(" is invalid and cannot be opened"),
                              warning, QStringLiteral("Open"));
    }
}

} // namespace quillo
