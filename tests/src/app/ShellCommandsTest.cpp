// File > Exit and the close box, Help > About, the Language items' menu part.

#include "src/host/FormConsole.h"
#include "tests/src/support/FormMainTest.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace quillo {
namespace {

using ShellCommandsTest = FormMainTest;

TEST_F(ShellCommandsTest, LoadStepGivesTheUntitledCaptionAndCreationState) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Untitled - Quillo 1.3"));
    EXPECT_EQ(form->document().CurrentFile, QStringLiteral("Untitled"));
    EXPECT_FALSE(form->document().TextChanged);
    EXPECT_EQ(form->TextIndex, 0);
    EXPECT_FALSE(form->StatusBarShown);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->console().isVisible());
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
}

TEST_F(ShellCommandsTest, ExitAndCloseBoxShareOneUnloadPath) {
    for (bool viaMenu : {true, false}) {
        SCOPED_TRACE(viaMenu ? "File > Exit" : "close box");
        settings = MemorySettingsStore{}; // the first round's exit wrote the console check
        form = std::make_unique<FormMain>(dialogs, settings);
        form->show();
        form->MenuViewConsole->trigger();
        ASSERT_TRUE(form->console().isVisible());
        QSignalSpy unloaded(form.get(), &FormMain::unloaded);
        if (viaMenu)
            form->MenuFileExit->trigger();
        else
            form->close();
        EXPECT_EQ(unloaded.count(), 1);
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->console().isVisible());
        EXPECT_TRUE(dialogs.shown().empty());
    }
}

TEST_F(ShellCommandsTest, AboutShowsTitleVersionAndIcon) {
    dialogs.answerAboutBox();
    form->MenuHelpAbout->trigger();
    const ShownDialog& about = dialogs.last();
    EXPECT_EQ(about.kind, DialogKind::AboutBox);
    EXPECT_EQ(about.owner, form.get());
    EXPECT_EQ(about.appText, QStringLiteral("Windows"));
    EXPECT_EQ(about.title, QStringLiteral("About Windows"));
    const QStringList lines = about.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Quillo 1.3"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(about.icon.cacheKey(), form->windowIcon().cacheKey());
}

TEST_F(ShellCommandsTest, LanguageItemsSetChecksAndRun) {
    const struct {
        QAction* FormMain::*item;
        bool text, jscript, vbscript, run;
    } cases[] = {
        {&FormMain::MenuLanguageText, true, false, false, false},
        {&FormMain::MenuLanguageJScript, false, true, false, true},
        {&FormMain::MenuLanguageText, true, false, false, false},
        {&FormMain::MenuLanguageVBScript, false, false, true, true},
        {&FormMain::MenuLanguageVBScript, false, false, true, true},
        {&FormMain::MenuLanguageJScript, false, true, false, true},
        {&FormMain::MenuLanguageJScript, false, true, false, true},
    };
    EXPECT_TRUE(form->MenuRun->menuAction()->isEnabled());
    for (const auto& c : cases) {
        (form.get()->*c.item)->trigger();
        SCOPED_TRACE((form.get()->*c.item)->objectName().toStdString());
        EXPECT_EQ(form->MenuLanguageText->isChecked(), c.text);
        EXPECT_EQ(form->MenuLanguageJScript->isChecked(), c.jscript);
        EXPECT_EQ(form->MenuLanguageVBScript->isChecked(), c.vbscript);
        EXPECT_EQ(form->MenuRun->menuAction()->isEnabled(), c.run);
    }
}

TEST_F(ShellCommandsTest, StartShortcutFollowsTheRunMenu) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QSignalSpy started(form->MenuRunStart, &QAction::triggered);
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(started.count(), 1);
    form->MenuLanguageText_Click();
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(started.count(), 1);
    form->MenuLanguageVBScript->trigger();
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_EQ(started.count(), 2);
}

TEST_F(ShellCommandsTest, ChooseLanguageFromNameRunsTheLanguageCommands) {
    const struct {
        const char* currentFile;
        QAction* FormMain::*checked;
    } cases[] = {
        {"C:\\x\\TEST.VBS", &FormMain::MenuLanguageVBScript},
        {"x.Js", &FormMain::MenuLanguageJScript},
        {"x.json", &FormMain::MenuLanguageText},
        {"a.vbs", &FormMain::MenuLanguageVBScript},
        {".vbs", &FormMain::MenuLanguageText},
        {".js", &FormMain::MenuLanguageText},
        {"b.js", &FormMain::MenuLanguageJScript},
        {"notes.txt", &FormMain::MenuLanguageText},
        {"noextension", &FormMain::MenuLanguageText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.currentFile);
        form->document().CurrentFile = QString::fromUtf8(c.currentFile);
        form->document().ChooseLanguageFromName();
        EXPECT_TRUE((form.get()->*c.checked)->isChecked());
        const int checkedCount = form->MenuLanguageText->isChecked() + form->MenuLanguageJScript->isChecked() +
                                 form->MenuLanguageVBScript->isChecked();
        EXPECT_EQ(checkedCount, 1);
        EXPECT_EQ(form->MenuRun->menuAction()->isEnabled(), c.checked != &FormMain::MenuLanguageText);
    }

    // The untitled document keeps the language it has.
    form->MenuLanguageJScript->trigger();
    form->document().makeUntitled();
    form->document().ChooseLanguageFromName();
    EXPECT_TRUE(form->MenuLanguageJScript->isChecked());
}

} // namespace
} // namespace quillo
