// The console window on its own: log's joining rule, the caret, the pop-up Edit menu and
// its enabling rule, the keys, the close box and resizing.

#include "src/host/FormConsole.h"
#include "tests/src/support/QtPrinters.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace quillo {
namespace {

class FormConsoleTest : public ::testing::Test {
protected:
    FormConsole console;

    int caret() const { return console.TextOutput->textCursor().position(); }
    int length() const { return console.TextOutput->document()->characterCount() - 1; }
};

TEST_F(FormConsoleTest, LogJoinsLinesWithCrLfAndLeavesTheCaretAtTheEnd) {
    struct Case {
        std::vector<QString> lines;
        QString text;
    };
    const Case cases[] = {
        {{"a"}, "a"},
        {{"a", "b"}, "a\r\nb"},
        {{"", "b"}, "b"}, // an empty first line leaves the text empty
        {{"a", "", "c"}, "a\r\n\r\nc"},
        {{"two\nlines", "x"}, "two\r\nlines\r\nx"},
    };
    for (bool batched : {false, true}) {
        for (const Case& c : cases) {
            // Logged directly, or gathered while a script runs and inserted at its end.
            console.MenuEditClear_Click();
            if (batched) console.beginBatch();
            for (const QString& line : c.lines) console.log(line);
            if (batched) console.endBatch();
            EXPECT_EQ(console.TextOutput->toPlainText(), QString(c.text).replace("\r\n", "\n")) << batched;
            EXPECT_EQ(console.text(), c.text);
            EXPECT_EQ(caret(), length());
            EXPECT_FALSE(console.TextOutput->textCursor().hasSelection());
        }
    }
    // A batch continues an existing text with a line break.
    console.MenuEditClear_Click();
    console.log("before");
    console.beginBatch();
    console.log("");
    console.log("in");
    console.endBatch();
    EXPECT_EQ(console.text(), "before\r\n\r\nin");
}

TEST_F(FormConsoleTest, HiddenConsoleCollectsSilently) {
    ASSERT_FALSE(console.isVisible());
    console.log("quiet");
    EXPECT_FALSE(console.isVisible());
    console.show();
    EXPECT_EQ(console.text(), "quiet");
}

TEST_F(FormConsoleTest, CopyAndSelectAllAreEnabledExactlyWhenThereIsText) {
    EXPECT_FALSE(console.MenuEditCopy->isEnabled());
    EXPECT_FALSE(console.MenuEditSelectAll->isEnabled());
    EXPECT_TRUE(console.MenuEditClear->isEnabled());
    console.log("x");
    EXPECT_TRUE(console.MenuEditCopy->isEnabled());
    EXPECT_TRUE(console.MenuEditSelectAll->isEnabled());
    console.MenuEditClear->trigger();
    EXPECT_EQ(console.text(), "");
    EXPECT_FALSE(console.MenuEditCopy->isEnabled());
    EXPECT_FALSE(console.MenuEditSelectAll->isEnabled());
    EXPECT_TRUE(console.MenuEditClear->isEnabled());
}

TEST_F(FormConsoleTest, SelectAllAndCopyPutOnlyTheSelectionOnTheClipboard) {
    console.log("first");
    console.log("second");
    QTextCursor cursor = console.TextOutput->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    console.TextOutput->setTextCursor(cursor);
    console.MenuEditCopy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "sec");

    console.MenuEditSelectAll->trigger();
    EXPECT_EQ(console.TextOutput->textCursor().selectionStart(), 0);
    EXPECT_EQ(console.TextOutput->textCursor().selectionEnd(), length());
    console.MenuEditCopy->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "first\nsecond");
}

TEST_F(FormConsoleTest, CtrlASelectsAllAndTheMenuKeyAndRightButtonOpenTheMenu) {
    console.show();
    console.log("abc");
    QTest::keyClick(console.TextOutput, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(console.TextOutput->textCursor().selectedText(), "abc");

    QTest::keyClick(console.TextOutput, Qt::Key_Menu);
    EXPECT_TRUE(console.MenuEdit->isVisible());
    console.MenuEdit->hide();

    QTest::mousePress(console.TextOutput->viewport(), Qt::RightButton);
    EXPECT_TRUE(console.MenuEdit->isVisible());
    EXPECT_TRUE(console.TextOutput->isEnabled());
    console.MenuEdit->hide();
}

TEST_F(FormConsoleTest, CloseBoxHidesAndKeepsTheText) {
    QSignalSpy hidden(&console, &FormConsole::hiddenByUser);
    console.show();
    console.log("kept");
    EXPECT_FALSE(console.close()); // the close is cancelled
    EXPECT_FALSE(console.isVisible());
    EXPECT_EQ(hidden.count(), 1);
    console.show();
    EXPECT_EQ(console.text(), "kept");

    console.closeWithProgram();
    EXPECT_FALSE(console.isVisible());
    EXPECT_EQ(hidden.count(), 1);
}

TEST_F(FormConsoleTest, TextBoxFillsTheWindowAfterAResize) {
    EXPECT_EQ(console.windowTitle(), "Console");
    console.show();
    for (QSize size : {QSize(300, 200), QSize(640, 90)}) {
        console.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(console.TextOutput->geometry(), console.rect());
    }
}

} // namespace
} // namespace quillo
