// Typing at the end of a big document: 1,000 characters typed one key at a time at the end
// of a 1,000,000-line document in the real main window (offscreen), each key through the
// whole path (shortcut check, key-down handler with UpdateStatus, the edit, the change
// handler with UpdateStatus, repaint). Prints the time per keystroke.

#include "src/app/FormMain.h"
#include "src/editor/DocumentBox.h"
#include "src/platform/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLines = 1000000;
constexpr int kKeys = 1000;

QString bigDocument() {
    QString text;
    text.reserve(kLines * 28);
    for (int i = 1; i <= kLines; ++i) {
        text += QStringLiteral("Line number %1 of the text").arg(i);
        if (i < kLines) text += QLatin1Char('\n');
    }
    return text;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes settings: keep them away from the user's own.
    QTemporaryDir config;
    if (!config.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);

    quillo::QtDialogs dialogs;
    quillo::FormMain form(dialogs);
    if (!form.MenuViewStatusBar->isChecked()) form.MenuViewStatusBar->trigger();
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }

    quillo::DocumentBox& box = form.activeBox();
    auto start = std::chrono::steady_clock::now();
    const QString document = bigDocument();
    const int lastLineLength = int(document.size() - document.lastIndexOf(QLatin1Char('\n')) - 1);
    box.setTextDirect(document);
    box.setSelStart(box.document()->characterCount() - 1);
    QCoreApplication::processEvents();
    std::printf("load %d lines: %.0f ms\n", kLines, millisecondsSince(start));

    std::vector<double> perKey;
    perKey.reserve(kKeys);
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz ");
    for (int i = 0; i < kKeys; ++i) {
        const QChar letter = letters[i % letters.size()];
        start = std::chrono::steady_clock::now();
        QTest::keyClick(&box, letter.toLatin1());
        QCoreApplication::processEvents(); // the repaint
        perKey.push_back(millisecondsSince(start));
    }

    const QString expectedStatus = QStringLiteral("Line %1, Column %2").arg(kLines).arg(lastLineLength + kKeys + 1);
    if (form.LabelStatus->text() != expectedStatus || box.document()->blockCount() != kLines) {
        std::fprintf(stderr, "unexpected state: %s\n", qPrintable(form.LabelStatus->text()));
        return 1;
    }

    std::vector<double> sorted = perKey;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (double ms : perKey) total += ms;
    std::printf("typing %d keys at the end: mean %.3f ms, median %.3f ms, p99 %.3f ms, max %.3f ms per key\n",
                kKeys, total / kKeys, sorted[kKeys / 2], sorted[kKeys * 99 / 100], sorted.back());
    std::printf("%s (target: under 2 ms per key)\n", total / kKeys < 2.0 ? "PASS" : "FAIL");
    return total / kKeys < 2.0 ? 0 : 1;
}
