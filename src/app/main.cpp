// Program entry: the main window is created hidden (running its load step), the file
// named on the command line is opened, and the window is shown.

#include "src/app/FormMain.h"
#include "src/app/Startup.h"
#include "src/platform/QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Read before QApplication takes its own options out of argv.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QApplication app(argc, argv);
    quillo::QtDialogs dialogs;
    quillo::FormMain form(dialogs);
    QObject::connect(&form, &quillo::FormMain::unloaded, &app, &QCoreApplication::quit);
    quillo::openCommandLineFile(form, quillo::commandLineFromArguments(arguments));
    form.show();
    return app.exec();
}
