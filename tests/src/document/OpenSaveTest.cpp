// File > Open..., OpenFile, Save and Save As through the real main window.

#include "tests/src/document/FileTestFixture.h"
#include "tests/src/support/QtPrinters.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace quillo {
namespace {

using namespace msgbox;

const QString Filter = QStringLiteral(
    "All Files (*.*)|*.*|JScript Files (*.js)|*.js|Text Files (*.txt)|*.txt|VBScript Files (*.vbs)|*.vbs|");

using OpenTest = FileTest;
using SaveTest = FileTest;

TEST_F(OpenTest, EachAnswerOfTheSavePrompt) {
    const struct {
        const char* name;
        bool untitled;
        int answer;
        bool saveAsCancelled;
        bool opens;
    } cases[] = {
        {"named, Yes saves and opens", false, vbYes, false, true},
        {"named, No opens", false, vbNo, false, true},
        {"named, Cancel stops", false, vbCancel, false, false},
        {"untitled, Yes then Save As cancelled stops", true, vbYes, true, false},
        {"untitled, No opens", true, vbNo, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form = std::make_unique<FormMain>(dialogs, store);
        const QString current = file(QStringLiteral("current.vbs"), "old");
        const QString next = file(QStringLiteral("next.txt"), "next text");
        if (!c.untitled) {
            ASSERT_TRUE(form->OpenFile(current));
        }
        type(QStringLiteral("edited"));
        const QString currentName = c.untitled ? QStringLiteral("Untitled") : current;
        dialogs.clearShown();
        dialogs.answerMsgBox(c.answer);
        if (c.saveAsCancelled) dialogs.answerSaveFileName(std::nullopt);
        if (c.opens) dialogs.answerOpenFileName(next);
        form->MenuFileOpen->trigger();

        ASSERT_FALSE(dialogs.shown().empty());
        const ShownDialog& prompt = dialogs.shown().front();
        EXPECT_EQ(prompt.text, savePrompt(currentName));
        EXPECT_EQ(prompt.title, QStringLiteral("Open"));
        EXPECT_EQ(prompt.style, YesNoCancelExclamation);
        if (c.opens) {
            EXPECT_EQ(document().CurrentFile, next);
            EXPECT_EQ(document().text(), QStringLiteral("next text"));
            EXPECT_FALSE(document().TextChanged);
        } else {
            EXPECT_EQ(document().CurrentFile, currentName);
            EXPECT_EQ(document().text(), QStringLiteral("edited"));
            EXPECT_TRUE(document().TextChanged);
        }
        EXPECT_EQ(contents(current), QByteArray(c.answer == vbYes && !c.untitled ? "edited" : "old"));
        EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    }
}

TEST_F(OpenTest, DialogFilterFollowsTheLanguageAndKeepsTheLastName) {
    const struct {
        QAction* FormMain::*item;
        int filterIndex;
    } cases[] = {{&FormMain::MenuLanguageJScript, 2}, {&FormMain::MenuLanguageText, 3},
                 {&FormMain::MenuLanguageVBScript, 4}};
    QString lastName;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filterIndex);
        (form.get()->*c.item)->trigger();
        dialogs.answerOpenFileName(std::nullopt);
        form->MenuFileOpen->trigger();
        dialogs.answerSaveFileName(std::nullopt);
        form->MenuFileSaveAs->trigger();
        for (const ShownDialog& shown : dialogs.shown()) {
            EXPECT_EQ(shown.file.filter, Filter);
            EXPECT_EQ(shown.file.filterIndex, c.filterIndex);
            EXPECT_EQ(shown.file.fileName, lastName);
        }
        dialogs.clearShown();
        // The next dialog starts with the name this one was left with.
        lastName = path(QStringLiteral("missing%1").arg(c.filterIndex));
        dialogs.answerOpenFileName(lastName);
        dialogs.answerMsgBox(vbOK);
        form->MenuFileOpen->trigger();
        dialogs.clearShown();
    }
}

TEST_F(OpenTest, EmptyMissingDirectoryAndUnreadableFiles) {
    const QString fifo = path(QStringLiteral("pipe.js"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString unreadable = file(QStringLiteral("secret.js"), "x");
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString missing = path(QStringLiteral("missing.js"));
    const QString tooLarge = tooLargeFile(QStringLiteral("huge.js"));
    const QString notFound = QStringLiteral("\r\nFile not found.\r\nPlease verify the correct file name was given.");
    const QString invalid = QStringLiteral(" is invalid and cannot be opened.");
    const struct {
        QString name;
        QString message; // empty: no message
    } cases[] = {
        {missing, missing + notFound},
        {folder.path(), folder.path() + notFound},
        {fifo, fifo + notFound}, // the existence test finds regular files only
        {tooLarge, tooLarge + invalid},
        {QStringLiteral("/dev/null"), QStringLiteral("/dev/null") + notFound},
        {unreadable, ::geteuid() == 0 ? QString() : unreadable + invalid},
        {QString(), QString()},
    };
    const QString kept = file(QStringLiteral("kept.vbs"), "kept");
    ASSERT_TRUE(form->OpenFile(kept));
    for (const auto& c : cases) {
        if (c.name == unreadable && c.message.isEmpty()) continue;
        SCOPED_TRACE(c.name.toStdString());
        dialogs.clearShown();
        form->MenuLanguageJScript->trigger();
        dialogs.answerOpenFileName(c.name);
        if (!c.message.isEmpty()) dialogs.answerMsgBox(vbOK);
        form->MenuFileOpen->trigger();
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogs.last().text, c.message);
            EXPECT_EQ(dialogs.last().title, QStringLiteral("Open"));
            EXPECT_EQ(dialogs.last().style, OkExclamation);
        }
        EXPECT_EQ(document().CurrentFile, kept);
        EXPECT_EQ(document().text(), QStringLiteral("kept"));
        EXPECT_EQ(form->windowTitle(), caption(QStringLiteral("kept.vbs")));
        EXPECT_TRUE(form->MenuLanguageJScript->isChecked());
        EXPECT_EQ(recentEntries(), std::vector<QString>{kept});
    }
    const QString empty = file(QStringLiteral("empty"), "");
    type(QStringLiteral("changed"));
    dialogs.answerMsgBox(vbNo);
    openThroughMenu(empty);
    EXPECT_EQ(document().text(), QString());
    EXPECT_EQ(document().CurrentFile, empty);
    EXPECT_EQ(form->windowTitle(), caption(QStringLiteral("empty")));
    EXPECT_FALSE(document().TextChanged);
    EXPECT_TRUE(form->MenuLanguageText->isChecked());
}

TEST_F(OpenTest, SuccessfulOpenSetsTheDocumentState) {
    const QString js = file(QStringLiteral("script.Js"), "alert(1)\r\n");
    type(QStringLiteral("x"));
    dialogs.answerMsgBox(vbNo);
    openThroughMenu(js);
    EXPECT_EQ(document().text(), QStringLiteral("alert(1)\n"));
    EXPECT_EQ(document().CurrentFile, js);
    EXPECT_EQ(form->windowTitle(), caption(QStringLiteral("script.Js")));
    EXPECT_TRUE(form->MenuLanguageJScript->isChecked());
    EXPECT_FALSE(document().TextChanged);
    EXPECT_EQ(recentEntries(), std::vector<QString>{js});
}

TEST_F(SaveTest, RoundTripsByteForByte) {
    const struct {
        const char* name;
        QByteArray bytes;
        QByteArray written; // after a save without edits
    } cases[] = {
        {"utf8.txt", "caf\xC3\xA9 \xC2\xA0nbsp\n", {}},
        {"bom.vbs", "\xEF\xBB\xBFMsgBox 1\r\n", {}},
        {"utf16.js", QByteArray("\xFF\xFE" "a\0\r\0\n\0b\0", 10), {}},
        {"ansi.txt", "caf\xE9 \x80 \xA0\r\n", {}},
        {"crlf.vbs", "a\r\nb\r\n", {}},
        {"lf.js", "a\nb", {}},
        {"nul.bin", QByteArray("a\0b\r\n\0", 6), {}},
        {"mixed.txt", "a\r\nb\r\nc\nd", "a\r\nb\r\nc\r\nd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = file(QString::fromUtf8(c.name), c.bytes);
        ASSERT_TRUE(form->OpenFile(name));
        form->MenuFileSave->trigger(); // named: writes at once
        EXPECT_EQ(contents(name), c.written.isNull() ? c.bytes : c.written);
        EXPECT_FALSE(document().TextChanged);
    }
}

TEST_F(SaveTest, UntitledSaveAsksForANameAndTheLanguageFollowsIt) {
    const struct {
        const char* name;
        QAction* FormMain::*language;
    } cases[] = {{"test.js", &FormMain::MenuLanguageJScript},
                 {"TEST.VBS", &FormMain::MenuLanguageVBScript},
                 {"noextension", &FormMain::MenuLanguageText}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        form->MenuFileNew->trigger();
        type(QStringLiteral("line 1\nline 2"));
        const QString name = path(QString::fromUtf8(c.name));
        dialogs.answerSaveFileName(name);
        form->MenuFileSave->trigger();
        EXPECT_EQ(dialogs.last().kind, DialogKind::SaveFileName);
        EXPECT_EQ(contents(name), QByteArray("line 1\nline 2")); // no extension, no final break added
        EXPECT_EQ(document().CurrentFile, name);
        EXPECT_EQ(form->windowTitle(), caption(QString::fromUtf8(c.name)));
        EXPECT_FALSE(document().TextChanged);
        EXPECT_TRUE((form.get()->*c.language)->isChecked());
        EXPECT_EQ(recent().entry(0), name);
    }
}

TEST_F(SaveTest, ReplaceQuestion) {
    for (int answer : {vbNo, vbYes}) {
        SCOPED_TRACE(answer);
        form = std::make_unique<FormMain>(dialogs, store);
        const QString existing = file(QStringLiteral("existing.vbs"), "old");
        type(QStringLiteral("new"));
        dialogs.clearShown();
        dialogs.answerSaveFileName(existing);
        dialogs.answerMsgBox(answer);
        form->MenuFileSaveAs->trigger();
        EXPECT_EQ(dialogs.last().text, existing + QStringLiteral(" already exists.\r\nDo you want to replace it?"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Save As"));
        EXPECT_EQ(dialogs.last().style, YesNoExclamation);
        EXPECT_EQ(contents(existing), QByteArray(answer == vbYes ? "new" : "old"));
        EXPECT_EQ(document().CurrentFile, answer == vbYes ? existing : QStringLiteral("Untitled"));
        EXPECT_EQ(document().TextChanged, answer != vbYes);
    }
}

TEST_F(SaveTest, FailedWriteWarnsAndKeepsTheText) {
    // Save of a named file whose folder has gone; as an ordinary user also a read-only file.
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    const QString vanished = file(QStringLiteral("sub/gone.vbs"), "old");
    const QString readOnly = file(QStringLiteral("ro.vbs"), "old");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    const bool root = ::geteuid() == 0;
    for (const QString& name : {vanished, readOnly}) {
        if (name == readOnly && root) continue;
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(form->OpenFile(name));
        if (name == vanished) {
            ASSERT_TRUE(QDir(path(QStringLiteral("sub"))).removeRecursively());
        }
        type(QStringLiteral("precious"));
        dialogs.answerMsgBox(vbOK);
        form->MenuFileSave->trigger();
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Save"));
        EXPECT_EQ(dialogs.last().style, OkExclamation);
        EXPECT_TRUE(dialogs.last().text.startsWith(name + QStringLiteral("\r\nThe file could not be saved: ")))
            << dialogs.last().text.toStdString();
        if (name == readOnly) {
            EXPECT_EQ(dialogs.last().text, name + QStringLiteral("\r\nThe file could not be saved: Permission denied."));
        }
        EXPECT_TRUE(document().TextChanged);
        EXPECT_EQ(document().text(), QStringLiteral("precious"));
    }
    if (!root) {
        EXPECT_EQ(contents(readOnly), QByteArray("old"));
    }

    const QString nowhere = path(QStringLiteral("no/folder.js"));
    dialogs.answerSaveFileName(nowhere);
    dialogs.answerMsgBox(vbOK);
    form->MenuFileSaveAs->trigger();
    EXPECT_EQ(dialogs.last().title, QStringLiteral("Save As"));
    EXPECT_TRUE(dialogs.last().text.startsWith(nowhere + QStringLiteral("\r\nThe file could not be saved: ")));
    EXPECT_TRUE(document().TextChanged);
    EXPECT_EQ(form->windowTitle(), caption(root ? QStringLiteral("gone.vbs") : QStringLiteral("ro.vbs")));
    EXPECT_TRUE(form->MenuLanguageVBScript->isChecked());
    EXPECT_EQ(recent().entry(0), root ? vanished : readOnly);
}

TEST_F(SaveTest, CharactersOutsideWindows1252AskForUtf8) {
    for (int answer : {vbNo, vbYes}) {
        SCOPED_TRACE(answer);
        const QString ansi = file(QStringLiteral("ansi.txt"), "caf\xE9");
        ASSERT_TRUE(form->OpenFile(ansi));
        type(QStringLiteral("caf\u00E9 \u03B1"));
        dialogs.answerMsgBox(answer);
        form->MenuFileSave->trigger();
        EXPECT_EQ(dialogs.last().text, ansi + QStringLiteral(" contains characters that Windows-1252 cannot hold."
                                                             "\r\n\r\nDo you want to save it as UTF-8?"));
        EXPECT_EQ(dialogs.last().title, QStringLiteral("Save"));
        EXPECT_EQ(dialogs.last().style, YesNoExclamation);
        EXPECT_EQ(contents(ansi), answer == vbYes ? QByteArray("caf\xC3\xA9 \xCE\xB1") : QByteArray("caf\xE9"));
        EXPECT_EQ(document().TextChanged, answer != vbYes);
    }
}

} // namespace
} // namespace quillo
