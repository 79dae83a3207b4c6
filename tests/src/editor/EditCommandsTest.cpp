// The Edit menu through the real main window: the snapshot, the enabling rule, the
// commands, their shortcuts against the box's own keys, and the pop-up.

#include "tests/src/editor/EditorTest.h"

#include <QClipboard>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QTextCursor>
#include <functional>

namespace quillo {
namespace {

using EditCommandsTest = EditorTest;

struct MenuState {
    bool undo, cut, copy, paste, del;
};

MenuState editItems(const FormMain& form) {
    return {form.MenuEditUndo->isEnabled(), form.MenuEditCut->isEnabled(), form.MenuEditCopy->isEnabled(),
            form.MenuEditPaste->isEnabled(), form.MenuEditDelete->isEnabled()};
}

void expectItems(const FormMain& form, MenuState expected) {
    const MenuState state = editItems(form);
    EXPECT_EQ(state.undo, expected.undo) << "Undo";
    EXPECT_EQ(state.cut, expected.cut) << "Cut";
    EXPECT_EQ(state.copy, expected.copy) << "Copy";
    EXPECT_EQ(state.paste, expected.paste) << "Paste";
    EXPECT_EQ(state.del, expected.del) << "Delete";
}

TEST_F(EditCommandsTest, UndoAfterOpeningAndTypingExchangesWithTheSnapshot) {
    QGuiApplication::clipboard()->setText(QStringLiteral("clip"));
    open(QStringLiteral("loaded"));
    select(3, 0);
    openEditMenu();
    expectItems(*form, {false, false, false, true, false});

    type(QStringLiteral("X"));
    EXPECT_EQ(box().text(), QStringLiteral("loaXded"));
    EXPECT_TRUE(form->document().TextChanged);
    openEditMenu();
    EXPECT_TRUE(form->MenuEditUndo->isEnabled());

    // The loaded text with nothing selected at offset 0, then the typing back with the
    // selection it had (the caret after the X).
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().text(), QStringLiteral("loaded"));
    EXPECT_EQ(box().selStart(), 0);
    EXPECT_EQ(box().selLength(), 0);
    select(2, 3);
    press(Qt::Key_Z, Qt::ControlModifier); // the shortcut: Undo is still enabled
    EXPECT_EQ(box().text(), QStringLiteral("loaXded"));
    EXPECT_EQ(box().selStart(), 4);
    EXPECT_EQ(box().selLength(), 0);
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().text(), QStringLiteral("loaded"));
    EXPECT_EQ(box().selStart(), 2);
    EXPECT_EQ(box().selLength(), 3);
}

TEST_F(EditCommandsTest, KeysOverASelectionTakeTheSnapshotOnlyWithoutModifiers) {
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        const char* typed;    // the text after typing "q" over "two"
        const char* undone;   // the text after Undo
    } cases[] = {
        {"plain key", Qt::NoModifier, "one q three", "one two three"},
        // The capital replaces the word without a snapshot: Undo goes back to the loaded text.
        {"shift", Qt::ShiftModifier, "one Q three", "loaded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(QStringLiteral("loaded"));
        box().setText(QStringLiteral("one two three"));
        select(4, 3);
        type(c.modifiers == Qt::NoModifier ? QStringLiteral("q") : QStringLiteral("Q"), c.modifiers);
        EXPECT_EQ(box().text().toStdString(), c.typed);
        choose(form->MenuEditUndo);
        EXPECT_EQ(box().text().toStdString(), c.undone);
    }
    // After the plain key the selected word comes back selected.
    open(QStringLiteral("one two three"));
    select(4, 3);
    type(QStringLiteral("q"));
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().selStart(), 4);
    EXPECT_EQ(box().selLength(), 3);
}

TEST_F(EditCommandsTest, DeleteCutCopyPasteAndUndo) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    open(QStringLiteral("alpha beta gamma"));

    select(6, 4);
    openEditMenu();
    choose(form->MenuEditDelete);
    EXPECT_EQ(box().text(), QStringLiteral("alpha  gamma"));
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().text(), QStringLiteral("alpha beta gamma"));
    EXPECT_EQ(box().selStart(), 6);
    EXPECT_EQ(box().selLength(), 4);

    select(0, 5);
    choose(form->MenuEditCopy);
    EXPECT_EQ(clipboard->text(), QStringLiteral("alpha"));
    EXPECT_EQ(box().text(), QStringLiteral("alpha beta gamma"));

    select(11, 5);
    choose(form->MenuEditCut);
    EXPECT_EQ(clipboard->text(), QStringLiteral("gamma"));
    EXPECT_EQ(box().text(), QStringLiteral("alpha beta "));
    choose(form->MenuEditUndo); // Cut took its snapshot through Delete
    EXPECT_EQ(box().text(), QStringLiteral("alpha beta gamma"));

    select(0, 5);
    choose(form->MenuEditPaste);
    EXPECT_EQ(box().text(), QStringLiteral("gamma beta gamma"));
    EXPECT_EQ(box().selStart(), 5);
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().text(), QStringLiteral("alpha beta gamma"));
    EXPECT_EQ(box().selStart(), 0);
    EXPECT_EQ(box().selLength(), 5);

    // The items keep the state of the last opening: Ctrl+C after the selection collapsed
    // still copies, and an empty selection empties the clipboard's text.
    select(0, 5);
    openEditMenu();
    select(3, 0);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QString());
}

TEST_F(EditCommandsTest, EnablingFollowsSelectionAndClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    open(QStringLiteral("some text"));
    const auto imageOnly = [] {
        auto* data = new QMimeData;
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        data->setImageData(image);
        return data;
    };
    const struct {
        const char* name;
        std::function<void()> fillClipboard;
        int selLength;
        MenuState items;
    } cases[] = {
        {"text, selection", [&] { clipboard->setText(QStringLiteral("x")); }, 4, {false, true, true, true, true}},
        {"text, none selected", [&] { clipboard->setText(QStringLiteral("x")); }, 0, {false, false, false, true, false}},
        {"empty text", [&] { clipboard->setText(QString()); }, 4, {false, true, true, false, true}},
        {"cleared", [&] { clipboard->clear(); }, 0, {false, false, false, false, false}},
        {"picture only", [&] { clipboard->setMimeData(imageOnly()); }, 2, {false, true, true, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.fillClipboard();
        select(0, c.selLength);
        openEditMenu();
        expectItems(*form, c.items);
    }
    // The state stays as computed until the menu opens again, from the menu bar too.
    clipboard->setText(QStringLiteral("x"));
    EXPECT_FALSE(form->MenuEditPaste->isEnabled());
    form->menuBar()->setActiveAction(form->MenuEdit->menuAction());
    EXPECT_TRUE(form->MenuEdit->isVisible());
    form->MenuEdit->hide();
    EXPECT_TRUE(form->MenuEditPaste->isEnabled());
}

TEST_F(EditCommandsTest, PasteWithoutTextReplacesTheSelectionWithNothing) {
    open(QStringLiteral("keep drop"));
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    select(5, 4);
    openEditMenu();
    QGuiApplication::clipboard()->clear(); // after the menu enabled Paste
    form->MenuEditPaste->trigger();
    EXPECT_EQ(box().text(), QStringLiteral("keep "));
}

TEST_F(EditCommandsTest, SelectAllRaisesNoChange) {
    for (const QString& text : {QString(), QStringLiteral("two\nlines")}) {
        form->document().TextChanged = false;
        box().setTextDirect(text);
        select(1, 0);
        choose(form->MenuEditSelectAll);
        EXPECT_EQ(box().selStart(), 0);
        EXPECT_EQ(box().selLength(), text.size());
        EXPECT_FALSE(form->document().TextChanged);
    }
}

TEST_F(EditCommandsTest, EnabledShortcutsWinOverTheBoxAndDisabledOnesLeaveTheKeyToIt) {
    open(QStringLiteral("abcdef"));
    // Del with a selection and Delete enabled: the command runs and takes the snapshot.
    box().setText(QStringLiteral("abcdefgh"));
    select(2, 2);
    openEditMenu();
    press(Qt::Key_Delete);
    EXPECT_EQ(box().text(), QStringLiteral("abefgh"));
    choose(form->MenuEditUndo);
    EXPECT_EQ(box().text(), QStringLiteral("abcdefgh"));
    EXPECT_EQ(box().selLength(), 2);

    // Delete disabled (nothing selected when the menu opened): the box deletes the next
    // character itself, and no snapshot is taken.
    select(0, 0);
    openEditMenu();
    ASSERT_FALSE(form->MenuEditDelete->isEnabled());
    press(Qt::Key_Delete);
    EXPECT_EQ(box().text(), QStringLiteral("bcdefgh"));
    EXPECT_EQ(form->editor().snapshot().UndoText, QStringLiteral("abefgh"));

    // Ctrl+C with Copy enabled copies through the command (clear, then the text).
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    select(0, 3);
    openEditMenu();
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("bcd"));
}

TEST_F(EditCommandsTest, EveryCommandActsOnTheWrappedBoxWhileWordWrapIsOn) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    open(QStringLiteral("one two"));
    form->MenuFormatWordWrap->trigger();
    ASSERT_EQ(form->TextIndex, 1);
    DocumentBox& wrapped = *form->TextMain[1];
    DocumentBox& plain = *form->TextMain[0];
    ASSERT_EQ(&box(), &wrapped);

    select(0, 3);
    openEditMenu();
    expectItems(*form, {false, true, true, clipboard->text().size() > 0, true});
    choose(form->MenuEditCut);
    EXPECT_EQ(wrapped.text(), QStringLiteral(" two"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("one"));
    openEditMenu();
    EXPECT_TRUE(form->MenuEditUndo->isEnabled());
    choose(form->MenuEditUndo);
    EXPECT_EQ(wrapped.text(), QStringLiteral("one two"));
    select(4, 3);
    choose(form->MenuEditCopy);
    EXPECT_EQ(clipboard->text(), QStringLiteral("two"));
    select(0, 3);
    choose(form->MenuEditPaste);
    EXPECT_EQ(wrapped.text(), QStringLiteral("two two"));
    select(3, 4);
    choose(form->MenuEditDelete);
    EXPECT_EQ(wrapped.text(), QStringLiteral("two"));
    choose(form->MenuEditSelectAll);
    EXPECT_EQ(wrapped.selLength(), 3);
    // The hidden box still holds the text from before the switch.
    EXPECT_EQ(plain.text(), QStringLiteral("one two"));
}

TEST_F(EditCommandsTest, RightClickAndMenuKeyShowOnlyTheEditMenu) {
    open(QStringLiteral("word"));
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    select(0, 4);
    QTest::mouseClick(box().viewport(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(form->MenuEdit->isVisible());
    EXPECT_TRUE(form->MenuEditCut->isEnabled()); // the enabling rule ran
    EXPECT_EQ(box().selLength(), 4);              // the click left the selection alone
    form->MenuEdit->hide();
    EXPECT_TRUE(QApplication::activePopupWidget() == nullptr);

    select(0, 0);
    press(Qt::Key_Menu);
    EXPECT_TRUE(form->MenuEdit->isVisible());
    EXPECT_FALSE(form->MenuEditCut->isEnabled());
    form->MenuEdit->hide();
    EXPECT_EQ(box().text(), QStringLiteral("word"));

    // The middle button neither opens a menu nor pastes nor moves the caret.
    select(1, 0);
    QTest::mouseClick(box().viewport(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(form->MenuEdit->isVisible());
    EXPECT_EQ(box().text(), QStringLiteral("word"));
    EXPECT_EQ(box().selStart(), 1);
}

TEST_F(EditCommandsTest, TypingMarksChangedAndTheStatusShowsTheCaret) {
    form->MenuViewStatusBar->trigger();
    open(QStringLiteral("ab\ncd"));
    EXPECT_FALSE(form->document().TextChanged);
    select(4, 0);
    type(QStringLiteral("x"));
    EXPECT_TRUE(form->document().TextChanged);
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 2, Column 3"));
    // A left click refreshes the status after the caret moved.
    QTest::mouseClick(box().viewport(), Qt::LeftButton, Qt::NoModifier,
                      box().cursorRect(QTextCursor(box().document())).center());
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 1, Column 1"));
}

} // namespace
} // namespace quillo
