#pragma once
// Fixture of the editor command tests: the real main window, shown and active so that
// menu shortcuts reach it, with helpers to type, select and open the Edit menu.

#include "src/editor/DocumentBox.h"
#include "src/editor/Editor.h"
#include "tests/src/support/FormMainTest.h"
#include "tests/src/support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace quillo {

class EditorTest : public FormMainTest {
protected:
    void SetUp() override {
        FormMainTest::SetUp();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    DocumentBox& box() { return form->activeBox(); }

    // The box shows text as a freshly opened file does.
    void open(const QString& text) {
        ASSERT_TRUE(folder.isValid());
        const QString path = writeTestFile(folder, QStringLiteral("doc.txt"), text.toUtf8());
        ASSERT_TRUE(form->OpenFile(path));
        ASSERT_EQ(box().text(), text);
    }

    void select(int start, int length) {
        box().setSelStart(start);
        box().setSelLength(length);
    }

    // Opens the Edit menu as the text area's pop-up and closes it again: the enabling rule
    // runs and the items keep its result.
    void openEditMenu() {
        form->MenuEdit->popup(QPoint(0, 0));
        form->MenuEdit->hide();
    }

    // The user opens the Edit menu and chooses item.
    void choose(QAction* item) {
        openEditMenu();
        item->trigger();
    }

    void type(const QString& keys, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClicks(&box(), keys, modifiers);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&box(), key, modifiers);
    }

    QTemporaryDir folder;
};

} // namespace quillo
