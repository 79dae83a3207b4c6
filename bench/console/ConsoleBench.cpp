// Times a script that logs 100,000 lines to the console window, in each language, through
// the real main window's Run command (offscreen, settings in memory). Target: under 1 s.

#include "src/app/FormMain.h"
#include "src/editor/DocumentBox.h"
#include "src/host/FormConsole.h"
#include "src/platform/MemorySettingsStore.h"
#include "src/platform/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <cstdio>

namespace {

constexpr int kLines = 100000;

struct Run {
    const char* name;
    QAction* quillo::FormMain::*language;
    QString code;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quillo::QtDialogs dialogs;
    quillo::MemorySettingsStore settings;

    const Run runs[] = {
        {"JScript", &quillo::FormMain::MenuLanguageJScript,
         QStringLiteral("for (var i = 0; i < %1; i++) console.log('line ' + i);").arg(kLines)},
        {"VBScript", &quillo::FormMain::MenuLanguageVBScript,
         QStringLiteral("For i = 0 To %1 - 1\nconsole.log \"line \" & i\nNext").arg(kLines)},
    };
    int status = 0;
    {
        // The window's share: log() called directly, without a script.
        quillo::FormConsole console;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kLines; ++i) console.log(QStringLiteral("line %1").arg(i));
        std::printf("log() alone      %d lines  %.3f s\n", console.TextOutput->document()->blockCount(),
                    double(timer.nsecsElapsed()) / 1e9);
    }
    for (const Run& run : runs) {
        for (bool shown : {false, true}) {
            quillo::FormMain form(dialogs, settings);
            if (shown) {
                form.show();
                form.console().show();
            }
            (form.*run.language)->trigger();
            form.activeBox().setTextDirect(run.code);
            QElapsedTimer timer;
            timer.start();
            form.MenuRunStart->trigger();
            const double seconds = double(timer.nsecsElapsed()) / 1e9;
            const int lines = form.console().TextOutput->document()->blockCount();
            std::printf("%-8s console %-7s %d lines  %.3f s%s\n", run.name, shown ? "shown" : "hidden", lines,
                        seconds, seconds < 1.0 ? "" : "  (over the 1 s target)");
            if (lines != kLines) status = 1;
        }
    }
    return status;
}
