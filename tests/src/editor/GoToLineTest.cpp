// Edit > Go To... through the real main window: the prompt, the default answer and every
// kind of answer.

#include "tests/src/editor/EditorTest.h"

#include <QStringList>

namespace quillo {
namespace {

using GoToLineTest = EditorTest;

// Ten lines "line1" .. "line10", each 6 or 7 characters with its break.
QString tenLines() {
    QStringList lines;
    for (int i = 1; i <= 10; ++i) lines << QStringLiteral("line%1").arg(i);
    return lines.join(QLatin1Char('\n'));
}

TEST_F(GoToLineTest, AsksWithTheCaretLineAsDefault) {
    open(tenLines());
    select(box().lineIndex(2) + 2, 5); // a selection starting on the third line
    dialogs.answerInputBox(std::nullopt);
    form->MenuEditGoto->trigger();
    const ShownDialog& asked = dialogs.last();
    EXPECT_EQ(asked.kind, DialogKind::InputBox);
    EXPECT_EQ(asked.owner, form.get());
    EXPECT_EQ(asked.text, QStringLiteral("Line Number:"));
    EXPECT_EQ(asked.title, QStringLiteral("Go To Line"));
    EXPECT_EQ(asked.defaultText, QStringLiteral("3"));
    // Cancel: the selection stays.
    EXPECT_EQ(box().selStart(), box().lineIndex(2) + 2);
    EXPECT_EQ(box().selLength(), 5);
}

TEST_F(GoToLineTest, AnswersMoveTheCaretOrAreIgnored) {
    open(tenLines());
    constexpr int Stays = -1;
    const struct {
        const char* answer;
        int line;          // 1-based line whose start takes the caret, or Stays
        bool focusMoves;
    } cases[] = {
        {"1", 1, true},
        {"2.5", 2, true},        // halves go to the even neighbour
        {"3.5", 4, true},
        {" 7 ", 7, true},        // blanks around the number
        {"+8", 8, true},
        {"9.4", 9, true},
        {"10", 10, true},
        {"11", Stays, true},     // past the end: only the focus
        {"99999999999", Stays, false}, // beyond a 32-bit line index
        {"letters", Stays, false},
        {"", Stays, false},
        {"0", Stays, false},
        {"0.4", Stays, false},
        {"-4", Stays, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        select(12, 3);
        form->TextMain[1]->setFocus(); // the hidden box: anything but the active one
        ASSERT_FALSE(box().hasFocus());
        dialogs.answerInputBox(QString::fromUtf8(c.answer));
        form->MenuEditGoto->trigger();
        if (c.line == Stays) {
            EXPECT_EQ(box().selStart(), 12);
            EXPECT_EQ(box().selLength(), 3);
        } else {
            EXPECT_EQ(box().selStart(), box().lineIndex(c.line - 1));
            EXPECT_EQ(box().selLength(), 0);
        }
        EXPECT_EQ(box().hasFocus(), c.focusMoves);
    }
}

} // namespace
} // namespace quillo
