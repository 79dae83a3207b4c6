// Start-up: the command line, its quote rule, and the two messages.

#include "src/app/Startup.h"
#include "src/editor/DocumentBox.h"
#include "tests/src/support/FormMainTest.h"
#include "tests/src/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace quillo {
namespace {

TEST(CommandLine, ArgumentsAreJoinedWithSingleBlanks) {
    EXPECT_EQ(commandLineFromArguments({}), QString());
    EXPECT_EQ(commandLineFromArguments({QStringLiteral("a.vbs")}), QStringLiteral("a.vbs"));
    EXPECT_EQ(commandLineFromArguments({QStringLiteral("\"/tmp/my"), QStringLiteral("file.js\"")}),
              QStringLiteral("\"/tmp/my file.js\""));
}

TEST(CommandLine, QuoteRule) {
    const struct {
        const char* commandLine;
        const char* fileName;
    } cases[] = {
        {"\"/tmp/with space/a.vbs\"", "/tmp/with space/a.vbs"},
        {"\"/tmp/a.vbs", "/tmp/a.vbs"},
        {"/tmp/a.vbs\"", "/tmp/a.vbs"},
        {"/tmp/a.vbs", "/tmp/a.vbs"},
        {" /tmp/a.vbs ", " /tmp/a.vbs "},
        {"\"a\" \"b\"", "a\" \"b"},
        {"\"", ""},
        {"\"\"", ""},
        {"\"\"\"", "\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileNameFromCommandLine(QString::fromUtf8(c.commandLine)).toStdString(), c.fileName)
            << c.commandLine;
}

class StartupTest : public FormMainTest {
protected:
    QString makeFile(const QString& name, const QByteArray& bytes) { return writeTestFile(folder, name, bytes); }

    void expectWarning(const QString& text) {
        ASSERT_EQ(dialogs.shown().size(), 1u);
        const ShownDialog& shown = dialogs.last();
        EXPECT_EQ(shown.kind, DialogKind::MsgBox);
        EXPECT_EQ(shown.title, QStringLiteral("Open"));
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.style, msgbox::vbOKOnly | msgbox::vbExclamation);
        EXPECT_EQ(shown.owner, form.get());
    }

    void expectUntitled() {
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled - Quillo 1.3"));
        EXPECT_EQ(form->document().CurrentFile, QStringLiteral("Untitled"));
        EXPECT_EQ(form->activeBox().text(), QString());
    }

    QTemporaryDir folder;
};

TEST_F(StartupTest, NoCommandLineShowsNoMessage) {
    openCommandLineFile(*form, QString());
    EXPECT_TRUE(dialogs.shown().empty());
    expectUntitled();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(StartupTest, ExistingFilesAreOpenedWhateverTheQuotes) {
    const QString path = makeFile(QStringLiteral("with space.js"), "var a = 1;\r\nalert(a);\r\n");
    const QString commandLines[] = {QLatin1Char('"') + path + QLatin1Char('"'),
                                    QLatin1Char('"') + path, path + QLatin1Char('"'), path};
    for (const QString& commandLine : commandLines) {
        SCOPED_TRACE(commandLine.toStdString());
        form = std::make_unique<FormMain>(dialogs);
        openCommandLineFile(*form, commandLine);
        EXPECT_TRUE(dialogs.shown().empty());
        EXPECT_EQ(form->document().CurrentFile, path);
        EXPECT_EQ(form->activeBox().text(), QStringLiteral("var a = 1;\nalert(a);\n"));
        EXPECT_EQ(form->windowTitle(), QStringLiteral("with space.js - Quillo 1.3"));
        EXPECT_FALSE(form->document().TextChanged);
        EXPECT_TRUE(form->MenuLanguageJScript->isChecked());
    }
}

TEST_F(StartupTest, DotFilesCountAsFiles) {
    const QString path = makeFile(QStringLiteral(".hidden.vbs"), "MsgBox 1");
    openCommandLineFile(*form, path);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(form->document().CurrentFile, path);
}

TEST_F(StartupTest, MissingFileOrFolderIsNotFound) {
    const QString missing = folder.filePath(QStringLiteral("missing file.vbs"));
    const struct {
        QString commandLine;
        QString name;
    } cases[] = {
        {QLatin1Char('"') + missing + QLatin1Char('"'), missing},
        {missing, missing},
        {folder.path(), folder.path()},
        {QStringLiteral("\""), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine.toStdString());
        form = std::make_unique<FormMain>(dialogs);
        dialogs.clearShown();
        dialogs.answerMsgBox(msgbox::vbOK);
        openCommandLineFile(*form, c.commandLine);
        expectWarning(c.name + QStringLiteral("\r\nFile not found.\r\nPlease verify the correct file name was given."));
        expectUntitled();
    }
}

TEST_F(StartupTest, UnreadableFileIsInvalid) {
    // A regular file whose reading fails: the process's own memory from address 0.
    const QString path = QStringLiteral("/proc/self/mem");
    if (!QFileInfo(path).isFile()) GTEST_SKIP() << "no /proc/self/mem here";
    const QString commandLine = QLatin1Char('"') + path + QLatin1Char('"');
    dialogs.answerMsgBox(msgbox::vbOK);
    openCommandLineFile(*form, commandLine);
    expectWarning(commandLine + QStringLiteral(" is invalid and cannot be opened"));
    expectUntitled();
}

} // namespace
} // namespace quillo
