// Message box styles, file filters, the existence test, the About box, and the scripted
// dialogs that the GUI tests rely on.

#include "src/platform/AboutDialog.h"
#include "src/platform/FileExists.h"
#include "src/platform/MessageBoxStyle.h"
#include "src/platform/QtDialogs.h"
#include "tests/src/support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace quillo {
namespace {

using namespace msgbox;

TEST(MessageBoxStyle, ButtonsDefaultsAndEscape) {
    const struct {
        int style;
        std::vector<int> answers;
        int defaultIndex;
        int escape;
        QMessageBox::Icon icon;
    } cases[] = {
        {vbOKOnly | vbExclamation, {vbOK}, 0, vbOK, QMessageBox::Warning},
        {vbOKCancel | vbQuestion, {vbOK, vbCancel}, 0, vbCancel, QMessageBox::Question},
        {vbAbortRetryIgnore | vbDefaultButton3, {vbAbort, vbRetry, vbIgnore}, 2, vbIgnore, QMessageBox::NoIcon},
        {vbYesNoCancel | vbExclamation | vbDefaultButton2, {vbYes, vbNo, vbCancel}, 1, vbCancel, QMessageBox::Warning},
        {vbYesNo | vbCritical, {vbYes, vbNo}, 0, vbNo, QMessageBox::Critical},
        {vbRetryCancel | vbInformation, {vbRetry, vbCancel}, 0, vbCancel, QMessageBox::Information},
        {vbOKOnly | vbDefaultButton4, {vbOK}, 0, vbOK, QMessageBox::NoIcon},
        {7, {vbOK}, 0, vbOK, QMessageBox::NoIcon},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageBoxAnswers(c.style), c.answers) << c.style;
        EXPECT_EQ(messageBoxDefaultIndex(c.style), c.defaultIndex) << c.style;
        EXPECT_EQ(messageBoxEscapeAnswer(c.style), c.escape) << c.style;
        EXPECT_EQ(messageBoxIcon(c.style), c.icon) << c.style;
    }
}

TEST(QtDialogs, FilterStringBecomesNameFilters) {
    const QStringList filters = qtNameFilters(QStringLiteral(
        "All Files (*.*)|*.*|JScript Files (*.js)|*.js|Text Files (*.txt)|*.txt|VBScript Files (*.vbs)|*.vbs|"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("All Files (*.*) (*)"),
                                    QStringLiteral("JScript Files (*.js) (*.js)"),
                                    QStringLiteral("Text Files (*.txt) (*.txt)"),
                                    QStringLiteral("VBScript Files (*.vbs) (*.vbs)")}));
    EXPECT_EQ(qtNameFilters(QStringLiteral("Scripts|*.js;*.vbs")), QStringList{QStringLiteral("Scripts (*.js *.vbs)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

TEST(QtDialogs, DisplayTextUsesNewlines) {
    EXPECT_EQ(toDisplayText(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
}

TEST(FileExists, RegularFilesOnly) {
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("plain.vbs"));
    const QString dotFile = folder.filePath(QStringLiteral(".dot"));
    for (const QString& path : {plain, dotFile}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_TRUE(fileExists(plain));
    EXPECT_TRUE(fileExists(dotFile));
    EXPECT_FALSE(fileExists(folder.path()));
    EXPECT_FALSE(fileExists(folder.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(fileExists(QString()));
    EXPECT_FALSE(fileExists(QStringLiteral("/dev/null")));
}

TEST(AboutDialog, ShowsTheTexts) {
    QIcon icon(QPixmap(32, 32));
    AboutDialog dialog(QStringLiteral("Windows"), QStringLiteral("Quillo 1.3\r\nSecond line"), icon, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Windows"));
    EXPECT_EQ(dialog.headingText(), QStringLiteral("Windows"));
    EXPECT_EQ(dialog.otherText(), QStringLiteral("Quillo 1.3\nSecond line"));
}

TEST(ScriptedDialogs, AnswersFromTheQueueAndRecords) {
    ScriptedDialogs dialogs;
    dialogs.answerMsgBox(vbNo);
    dialogs.answerInputBox(QStringLiteral("42"));
    dialogs.answerInputBox(std::nullopt);
    EXPECT_EQ(dialogs.msgBox(nullptr, QStringLiteral("Save?"), vbYesNoCancel | vbExclamation, QStringLiteral("Quillo")), vbNo);
    EXPECT_EQ(dialogs.inputBox(nullptr, QStringLiteral("Line Number:"), QStringLiteral("Go To Line"), QStringLiteral("3")),
              std::optional<QString>(QStringLiteral("42")));
    EXPECT_EQ(dialogs.inputBox(nullptr, QString(), QString(), QString()), std::nullopt);
    ASSERT_EQ(dialogs.shown().size(), 3u);
    EXPECT_EQ(dialogs.shown()[0].text, QStringLiteral("Save?"));
    EXPECT_EQ(dialogs.shown()[0].buttons(), vbYesNoCancel);
    EXPECT_EQ(dialogs.shown()[0].msgBoxIcon(), vbExclamation);
    EXPECT_EQ(dialogs.shown()[1].defaultText, QStringLiteral("3"));
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST(ScriptedDialogs, UnexpectedDialogsFailTheTest) {
    ScriptedDialogs dialogs;
    EXPECT_NONFATAL_FAILURE(dialogs.msgBox(nullptr, QStringLiteral("surprise"), vbOKOnly, QStringLiteral("T")),
                            "unexpected message box");
    dialogs.answerInputBox(QStringLiteral("x"));
    EXPECT_NONFATAL_FAILURE(dialogs.aboutBox(nullptr, QStringLiteral("Windows"), QString(), QIcon()),
                            "expected the queued input box");
    EXPECT_EQ(dialogs.pendingAnswers(), 1u);

    ScriptedDialogs wrongAnswer;
    wrongAnswer.answerMsgBox(vbYes);
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = wrongAnswer.msgBox(nullptr, QString(), vbOKCancel, QStringLiteral("T")),
                            "is not a button");
    EXPECT_EQ(answer, vbCancel);
}

} // namespace
} // namespace quillo
