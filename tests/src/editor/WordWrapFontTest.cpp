// Format > Word Wrap and Format > Font through the real main window: the box exchange,
// the status bar and Go To states, re-activation, and one font for all three boxes.

#include "src/host/FormConsole.h"
#include "tests/src/editor/EditorTest.h"

#include <QFrame>
#include <QPlainTextEdit>

namespace quillo {
namespace {

using WordWrapFontTest = EditorTest;

// Which box is in front: the later of the two among the client area's children.
const DocumentBox* frontBox(const FormMain& form) {
    const QObjectList& children = form.TextMain[0]->parentWidget()->children();
    const qsizetype first = children.indexOf(form.TextMain[0]);
    const qsizetype second = children.indexOf(form.TextMain[1]);
    return first > second ? form.TextMain[0] : form.TextMain[1];
}

TEST_F(WordWrapFontTest, SwitchKeepsTextSelectionAndChangedFlag) {
    open(QStringLiteral("first line\nsecond line"));
    for (bool changed : {false, true}) {
        SCOPED_TRACE(changed ? "changed" : "unchanged");
        form->document().TextChanged = changed;
        select(3, 9);
        const QString snapshot = form->editor().snapshot().UndoText;
        for (int round = 0; round < 2; ++round) {
            form->MenuFormatWordWrap->trigger();
            const bool wrap = form->MenuFormatWordWrap->isChecked();
            EXPECT_EQ(form->TextIndex, wrap ? 1 : 0);
            EXPECT_EQ(frontBox(*form), form->TextMain[size_t(form->TextIndex)]);
            EXPECT_TRUE(box().hasFocus());
            EXPECT_EQ(box().text(), QStringLiteral("first line\nsecond line"));
            EXPECT_EQ(box().selStart(), 3);
            EXPECT_EQ(box().selLength(), 9);
            EXPECT_EQ(form->document().TextChanged, changed);
            EXPECT_EQ(form->editor().snapshot().UndoText, snapshot);
            EXPECT_TRUE(form->TextMain[0]->isVisible());
            EXPECT_TRUE(form->TextMain[1]->isVisible());
        }
    }
}

struct ViewState {
    bool stripVisible, statusChecked, statusEnabled, gotoEnabled;
};

void expectView(const FormMain& form, ViewState expected) {
    EXPECT_EQ(form.PictureStatus->isVisible(), expected.stripVisible) << "PictureStatus visible";
    EXPECT_EQ(form.MenuViewStatusBar->isChecked(), expected.statusChecked) << "Status Bar checked";
    EXPECT_EQ(form.MenuViewStatusBar->isEnabled(), expected.statusEnabled) << "Status Bar enabled";
    EXPECT_EQ(form.MenuEditGoto->isEnabled(), expected.gotoEnabled) << "Go To enabled";
}

void reactivate(FormMain& form) {
    form.console().show();
    QApplication::setActiveWindow(&form.console());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form.console()));
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

TEST_F(WordWrapFontTest, StatusBarAndGoToFollowWordWrapAcrossReactivation) {
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "status bar shown" : "status bar hidden");
        if (form->MenuViewStatusBar->isChecked() != shown) form->MenuViewStatusBar->trigger();
        expectView(*form, {shown, shown, true, true});

        form->MenuFormatWordWrap->trigger();
        expectView(*form, {false, false, false, false});
        EXPECT_EQ(form->StatusBarShown, shown);

        // Coming back from the console window applies word wrap again: nothing changes and
        // the user's choice survives.
        reactivate(*form);
        EXPECT_TRUE(form->MenuFormatWordWrap->isChecked());
        EXPECT_EQ(form->TextIndex, 1);
        EXPECT_EQ(frontBox(*form), form->TextMain[1]);
        expectView(*form, {false, false, false, false});
        EXPECT_EQ(form->StatusBarShown, shown);

        form->MenuFormatWordWrap->trigger();
        expectView(*form, {shown, shown, true, true});
        EXPECT_EQ(frontBox(*form), form->TextMain[0]);
        form->console().hide();
    }
}

TEST_F(WordWrapFontTest, FirstActivationAppliesARestoredWordWrap) {
    // As the settings restore leaves it: Word Wrap checked, the window not shown yet.
    FormMain restored(dialogs);
    restored.MenuFormatWordWrap->setChecked(true);
    restored.TextMain[0]->setTextDirect(QStringLiteral("opened"));
    EXPECT_EQ(restored.TextIndex, 0);
    restored.show();
    QApplication::setActiveWindow(&restored);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&restored));
    EXPECT_EQ(restored.TextIndex, 1);
    EXPECT_EQ(frontBox(restored), restored.TextMain[1]);
    EXPECT_EQ(restored.TextMain[1]->text(), QStringLiteral("opened"));
    EXPECT_FALSE(restored.MenuEditGoto->isEnabled());
    EXPECT_FALSE(restored.MenuViewStatusBar->isEnabled());
    EXPECT_FALSE(restored.document().TextChanged);
}

TEST_F(WordWrapFontTest, TypingWhileWrappedLeavesTheStatusText) {
    form->MenuViewStatusBar->trigger();
    open(QStringLiteral("abc"));
    select(1, 0);
    type(QStringLiteral("x"));
    const QString before = form->LabelStatus->text();
    EXPECT_EQ(before, QStringLiteral("Line 1, Column 3"));
    form->MenuFormatWordWrap->trigger();
    type(QStringLiteral("yz"));
    EXPECT_EQ(form->TextMain[1]->text(), QStringLiteral("axyzbc"));
    EXPECT_EQ(form->LabelStatus->text(), before);
}

TEST_F(WordWrapFontTest, FontCancelledChangesNothingAndChosenReachesAllThreeBoxes) {
    QPlainTextEdit* console = form->console().TextOutput;
    const QFont start = form->TextMain[0]->font();
    EXPECT_EQ(start.family(), QStringLiteral("Lucida Console"));
    EXPECT_DOUBLE_EQ(start.pointSizeF(), 9.75);
    EXPECT_EQ(start.styleHint(), QFont::Monospace);
    EXPECT_EQ(console->font().family(), start.family());

    form->MenuFormatWordWrap->trigger(); // the dialog starts from the active box's font
    form->TextMain[1]->setFont(QFont(QStringLiteral("Courier"), 11));
    dialogs.answerChooseFont(std::nullopt);
    form->MenuFormatFont->trigger();
    EXPECT_EQ(dialogs.last().kind, DialogKind::ChooseFont);
    EXPECT_EQ(dialogs.last().owner, form.get());
    EXPECT_EQ(dialogs.last().font.family(), QStringLiteral("Courier"));
    EXPECT_EQ(form->TextMain[0]->font(), start);
    EXPECT_EQ(form->TextMain[1]->font().family(), QStringLiteral("Courier"));

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPointSizeF(12.5);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    dialogs.answerChooseFont(chosen);
    form->MenuFormatFont->trigger();
    for (const QWidget* target : {static_cast<QWidget*>(form->TextMain[0]), static_cast<QWidget*>(form->TextMain[1]),
                                  static_cast<QWidget*>(console)}) {
        SCOPED_TRACE(target->objectName().toStdString());
        const QFont font = target->font();
        EXPECT_EQ(font.family(), QStringLiteral("DejaVu Serif"));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.5);
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
        EXPECT_TRUE(font.underline());
        EXPECT_TRUE(font.strikeOut());
    }
}

} // namespace
} // namespace quillo
