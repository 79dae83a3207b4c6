#pragma once
// Start-up after the main window's load step: the file named on the command line.

#include <QString>
#include <QStringList>

namespace quillo {

class FormMain;

// The program's arguments (without its own path) as the one command-line string; the
// shell split it at blanks, so the pieces are joined with single blanks.
QString commandLineFromArguments(const QStringList& arguments);

// The file name a command line stands for: a double quote at its start and then one at
// its end are removed; nothing else is trimmed or split.
QString fileNameFromCommandLine(const QString& commandLine);

// Opens the file named by commandLine in form, telling the user in a message box when it
// does not exist or cannot be opened. An empty command line does nothing.
void openCommandLineFile(FormMain& form, const QString& commandLine);

} // namespace quillo
