#pragma once
// The real main window with scripted dialogs, an in-memory settings store and a scratch
// folder, for the File menu's document commands.

#include "src/app/FormMain.h"
#include "src/document/RecentFiles.h"
#include "src/editor/DocumentBox.h"
#include "src/platform/MemorySettingsStore.h"
#include "tests/src/support/GuiTest.h"
#include "tests/src/support/TestFiles.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace quillo {

// Message box styles the commands use.
inline constexpr int YesNoCancelExclamation = msgbox::vbYesNoCancel | msgbox::vbExclamation;
inline constexpr int OkExclamation = msgbox::vbOKOnly | msgbox::vbExclamation;
inline constexpr int YesNoExclamation = msgbox::vbYesNo | msgbox::vbExclamation;
inline constexpr int YesNoQuestion = msgbox::vbYesNo | msgbox::vbQuestion;

inline QString savePrompt(const QString& currentFile) {
    return QStringLiteral("The text in the file ") + currentFile +
           QStringLiteral(" has changed.\r\n\r\nDo you want to save the changes?");
}

inline QString caption(const QString& name) { return name + QStringLiteral(" - Quillo 1.3"); }

class FileTest : public GuiTest {
protected:
    void SetUp() override { form = std::make_unique<FormMain>(dialogs, store); }
    void TearDown() override {
        form.reset();
        GuiTest::TearDown();
    }

    QString file(const QString& name, const QByteArray& bytes) { return writeTestFile(folder, name, bytes); }
    QString path(const QString& name) const { return folder.filePath(name); }
    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    // A sparse file above the size TextFile reads: it exists, and opening it fails.
    QString tooLargeFile(const QString& name) {
        const QString p = path(name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(TextFile::MaxSize + 1));
        return p;
    }

    Document& document() { return form->document(); }
    DocumentBox& box() { return form->activeBox(); }
    // Types text in place of the whole text: an edit, so TextChanged becomes true.
    void type(const QString& text) { box().setText(text); }
    RecentFiles& recent() { return form->recentFiles(); }
    std::vector<QString> recentEntries() {
        std::vector<QString> entries;
        for (int i = 0; i <= recent().MRULast; ++i) entries.push_back(recent().entry(i));
        return entries;
    }
    // Opens name through File > Open with no pending changes.
    void openThroughMenu(const QString& name) {
        dialogs.answerOpenFileName(name);
        form->MenuFileOpen->trigger();
    }

    MemorySettingsStore store;
    QTemporaryDir folder;
    std::unique_ptr<FormMain> form;
};

} // namespace quillo
