// The resize layout, the status strip and the View menu.

#include "src/app/MainLayout.h"
#include "src/editor/DocumentBox.h"
#include "src/host/FormConsole.h"
#include "tests/src/support/FormMainTest.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QTest>

namespace quillo {
namespace {

// Strip 17 pixels high with a 1-pixel frame; the label keeps a 7-pixel gap at the right.
MainLayoutGeometry designGeometry() {
    return {QRect(5, 5, 257, 137), QRect(32, 16, 257, 137), QRect(0, 176, 217, 17), 185};
}

TEST(MainLayout, StepsWithAndWithoutStatusBar) {
    const struct {
        const char* name;
        QSize client;
        bool statusBar;
        QRect textMain0;
        QRect pictureStatus;
        int labelWidth;
    } cases[] = {
        {"status bar off", QSize(400, 194), false, QRect(0, 0, 400, 194), QRect(0, 176, 217, 17), 185},
        {"status bar on", QSize(400, 194), true, QRect(0, 0, 400, 177), QRect(0, 177, 400, 17), 400 - 2 - 7},
        {"tiny, on", QSize(5, 10), true, QRect(0, 0, 5, 137), QRect(0, -7, 5, 17), 185},
        {"empty, off", QSize(0, 0), false, QRect(0, 0, 0, 0), QRect(0, 176, 217, 17), 185},
        {"strip only, on", QSize(9, 17), true, QRect(0, 0, 9, 0), QRect(0, 0, 9, 17), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MainLayoutGeometry g = layOutMain(designGeometry(), c.client, c.statusBar, 2);
        EXPECT_EQ(g.textMain0, c.textMain0);
        EXPECT_EQ(g.textMain1, c.textMain0);
        EXPECT_EQ(g.pictureStatus, c.pictureStatus);
        EXPECT_EQ(g.labelStatusWidth, c.labelWidth);
    }
}

class LayoutTest : public FormMainTest {
protected:
    QSize client() const { return form->centralWidget()->size(); }
    // Resizes the shown window so that its client area gets size (or as near as the
    // window's minimum size allows).
    void resizeClient(QSize size) {
        if (!form->isVisible()) {
            form->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        }
        form->resize(size.width(), size.height() + form->height() - client().height());
        QCoreApplication::processEvents();
    }
};

TEST_F(LayoutTest, BoxesFillTheClientAreaWithoutStatusBar) {
    EXPECT_EQ(client(), QSize(400, 194));
    for (DocumentBox* box : form->TextMain) EXPECT_EQ(box->geometry(), QRect(QPoint(0, 0), client()));
    EXPECT_FALSE(form->isVisible());
    // The strip keeps its creation visibility; the box above it covers it.
    EXPECT_FALSE(form->PictureStatus->isHidden());
    EXPECT_EQ(form->LabelStatus->text(), QString());
}

TEST_F(LayoutTest, StatusBarCommandAndResize) {
    form->MenuViewStatusBar->trigger();
    EXPECT_TRUE(form->MenuViewStatusBar->isChecked());
    EXPECT_TRUE(form->StatusBarShown);
    EXPECT_FALSE(form->PictureStatus->isHidden());
    const QSize sizes[] = {QSize(400, 194), QSize(640, 480), QSize(120, 60)};
    for (const QSize& size : sizes) {
        resizeClient(size);
        ASSERT_EQ(client(), size);
        const QRect strip = form->PictureStatus->geometry();
        EXPECT_EQ(strip, QRect(0, size.height() - 17, size.width(), 17));
        for (DocumentBox* box : form->TextMain) EXPECT_EQ(box->geometry(), QRect(0, 0, size.width(), strip.top()));
        EXPECT_EQ(form->LabelStatus->width(), form->PictureStatus->contentsRect().width() - 7);
    }

    form->MenuViewStatusBar->trigger();
    EXPECT_FALSE(form->MenuViewStatusBar->isChecked());
    EXPECT_FALSE(form->StatusBarShown);
    EXPECT_TRUE(form->PictureStatus->isHidden());
    for (DocumentBox* box : form->TextMain) EXPECT_EQ(box->geometry(), QRect(QPoint(0, 0), client()));
}

TEST_F(LayoutTest, TinyAndMinimisedWindowsLayOutWithoutFailing) {
    form->MenuViewStatusBar->trigger();
    resizeClient(QSize(200, 100));
    ASSERT_EQ(client(), QSize(200, 100));
    form->setMinimumSize(0, 0);
    resizeClient(QSize(5, 5));
    const QSize tiny = client();
    ASSERT_EQ(tiny, QSize(5, 5));
    // The box keeps its last height, the strip still moves to the bottom edge.
    EXPECT_EQ(form->TextMain[0]->geometry(), QRect(0, 0, tiny.width(), 83));
    EXPECT_EQ(form->PictureStatus->geometry().top(), tiny.height() - 17);
    form->showMinimized();
    QCoreApplication::processEvents();
    form->showNormal();
    resizeClient(QSize(300, 150));
    ASSERT_EQ(client(), QSize(300, 150));
    EXPECT_EQ(form->TextMain[0]->geometry(), QRect(0, 0, 300, 133));
}

TEST_F(LayoutTest, StatusTextForCaretAndSelection) {
    DocumentBox& box = form->activeBox();
    box.setTextDirect(QStringLiteral("first\nsecond line\n\nfour\nfifth line here"));
    const struct {
        int start;
        int length;
        const char* status;
    } cases[] = {
        {0, 0, "Line 1, Column 1"},
        {5, 0, "Line 1, Column 6"},
        {6, 0, "Line 2, Column 1"},
        {9, 0, "Line 2, Column 4"},
        {18, 0, "Line 3, Column 1"},
        {26, 0, "Line 5, Column 3"},
        {26, 7, "Line 5, Column 3"},
        {3, 20, "Line 1, Column 4"},
    };
    for (const auto& c : cases) {
        box.setSelStart(c.start);
        box.setSelLength(c.length);
        form->UpdateStatus();
        EXPECT_EQ(form->LabelStatus->text().toStdString(), c.status) << c.start << "+" << c.length;
    }
}

TEST_F(LayoutTest, TypingUpdatesStatusAndMarksTheDocumentChanged) {
    DocumentBox& box = form->activeBox();
    EXPECT_FALSE(form->document().TextChanged);
    box.setTextDirect(QStringLiteral("ab\ncd"));
    EXPECT_FALSE(form->document().TextChanged);
    box.setSelStart(5);
    box.setSelText(QStringLiteral("e"));
    EXPECT_TRUE(form->document().TextChanged);
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 2, Column 4"));
}

TEST_F(LayoutTest, WordWrapKeepsTheStatusText) {
    DocumentBox& box = form->activeBox();
    box.setText(QStringLiteral("abc"));
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 1, Column 1"));
    box.setSelStart(3);
    box.setSelText(QStringLiteral("d"));
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 1, Column 5"));
    form->MenuFormatWordWrap->setChecked(true);
    box.setSelStart(1);
    box.setSelText(QStringLiteral("x"));
    form->UpdateStatus();
    EXPECT_EQ(form->LabelStatus->text(), QStringLiteral("Line 1, Column 5"));
}

TEST_F(LayoutTest, ConsoleCommandShowsAndHidesTheConsole) {
    FormConsole& console = form->console();
    EXPECT_FALSE(console.isVisible());
    form->MenuViewConsole->trigger();
    EXPECT_TRUE(form->MenuViewConsole->isChecked());
    EXPECT_TRUE(console.isVisible());
    EXPECT_EQ(console.windowTitle(), QStringLiteral("Console"));
    form->MenuViewConsole->trigger();
    EXPECT_FALSE(form->MenuViewConsole->isChecked());
    EXPECT_FALSE(console.isVisible());

    // The console's own close box only hides it.
    form->MenuViewConsole->trigger();
    console.TextOutput->setPlainText(QStringLiteral("kept"));
    QCloseEvent userClose;
    QApplication::sendEvent(&console, &userClose);
    EXPECT_FALSE(userClose.isAccepted());
    EXPECT_FALSE(console.isVisible());
    EXPECT_FALSE(form->MenuViewConsole->isChecked());
    form->MenuViewConsole->trigger();
    EXPECT_TRUE(console.isVisible());
    EXPECT_EQ(console.TextOutput->toPlainText(), QStringLiteral("kept"));
}

} // namespace
} // namespace quillo
