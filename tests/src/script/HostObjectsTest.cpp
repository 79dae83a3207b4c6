// window, navigator and console as scripts use them.

#include "tests/src/script/ScriptTest.h"

#include "src/app/FormMain.h"
#include "src/platform/Dialogs.h"

#include <QPlainTextEdit>
#include <QStringList>

namespace quillo {
namespace {

using HostObjectsTest = ScriptTest;

TEST_F(HostObjectsTest, AlertShowsItsMessageConvertedToText) {
    struct Case {
        const char* language;
        QString code;
        QString shown;
    };
    const Case cases[] = {
        {"JScript", "window.alert();", ""},
        {"JScript", "alert(42);", "42"},
        {"JScript", "alert(1/3);", "0.333333333333333"},
        {"JScript", "alert('hi');", "hi"},
        {"VBScript", "alert 1/3", "0.333333333333333"},
        {"VBScript", "window.alert True", "True"},
    };
    for (const Case& c : cases) {
        dialogs.clearShown();
        dialogs.answerMsgBox(msgbox::vbOK);
        run(c.language, c.code);
        ASSERT_EQ(dialogs.shown().size(), 1u) << c.code.toStdString();
        EXPECT_EQ(dialogs.last().title, "Alert");
        EXPECT_EQ(dialogs.last().text, c.shown) << c.code.toStdString();
        EXPECT_EQ(dialogs.last().style, msgbox::vbOKOnly | msgbox::vbExclamation);
    }
}

TEST_F(HostObjectsTest, AnObjectWithoutDefaultValueRaisesTheConversionError) {
    dialogs.answerMsgBox(msgbox::vbOK);
    run("VBScript", "alert navigator");
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Script Error");
}

TEST_F(HostObjectsTest, ConfirmAndPromptGiveTheAnswers) {
    dialogs.answerMsgBox(msgbox::vbOK);
    dialogs.answerMsgBox(msgbox::vbCancel);
    dialogs.answerInputBox(std::nullopt);
    dialogs.answerInputBox(QString("typed"));
    run("JScript", "console.log(confirm('Sure?'));\nconsole.log(confirm());\n"
                   "console.log('[' + prompt('Name?') + ']');\nconsole.log(prompt('Again', 'def'));");
    ASSERT_EQ(dialogs.shown().size(), 4u);
    EXPECT_EQ(consoleText(), "True\r\nFalse\r\n[]\r\ntyped"); // booleans as the automation rules write them
    const ShownDialog& confirm = dialogs.shown()[0];
    EXPECT_EQ(confirm.title, "Confirm");
    EXPECT_EQ(confirm.text, "Sure?");
    EXPECT_EQ(confirm.style, msgbox::vbOKCancel | msgbox::vbQuestion);
    EXPECT_EQ(dialogs.shown()[1].text, "");
    const ShownDialog& prompt = dialogs.shown()[2];
    EXPECT_EQ(prompt.kind, DialogKind::InputBox);
    EXPECT_EQ(prompt.title, "Prompt");
    EXPECT_EQ(prompt.text, "Name?");
    EXPECT_EQ(prompt.defaultText, "");
    EXPECT_EQ(dialogs.shown()[3].defaultText, "def");
}

TEST_F(HostObjectsTest, NavigatorAnswersAndRefusesAssignment) {
    run("VBScript", "console.log navigator.appCodeName\nconsole.log navigator.appName\n"
                    "console.log navigator.appVersion\nconsole.log navigator.cookieEnabled\n"
                    "console.log navigator.language\nconsole.log navigator.onLine\n"
                    "console.log navigator.platform\nconsole.log navigator.userAgent");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(consoleText(), "Tarka\r\nQuillo\r\n1.3\r\nFalse\r\nen\r\nFalse\r\nWin32\r\nQuillo/1.3");

    for (const char* language : {"VBScript", "JScript"}) {
        dialogs.clearShown();
        form->console().MenuEditClear_Click();
        dialogs.answerMsgBox(msgbox::vbOK);
        run(language, QLatin1String(language) == QLatin1String("JScript")
                          ? "navigator.appName = 'x';\nconsole.log('not here');"
                          : "navigator.appName = \"x\"\nconsole.log \"not here\"");
        ASSERT_EQ(errorReports().size(), 1u) << language;
        EXPECT_TRUE(errorReports()[0].text.contains("On Line: 1")) << errorReports()[0].text.toStdString();
        EXPECT_EQ(consoleText(), "");
    }
}

TEST_F(HostObjectsTest, ConsoleLogsWhileHiddenAndViewConsoleShowsIt) {
    ASSERT_FALSE(form->console().isVisible());
    run("JScript", "console.log('a');\nconsole.log('b');");
    EXPECT_EQ(consoleText(), "a\r\nb");
    EXPECT_FALSE(form->console().isVisible());

    form->MenuViewConsole->trigger();
    EXPECT_TRUE(form->MenuViewConsole->isChecked());
    EXPECT_TRUE(form->console().isVisible());
    EXPECT_EQ(consoleText(), "a\r\nb");

    // The close box hides the console and unchecks View > Console; the text stays.
    EXPECT_FALSE(form->console().close());
    EXPECT_FALSE(form->console().isVisible());
    EXPECT_FALSE(form->MenuViewConsole->isChecked());
    form->MenuViewConsole->trigger();
    EXPECT_TRUE(form->console().isVisible());
    EXPECT_EQ(consoleText(), "a\r\nb");

    // A later run appends.
    run("VBScript", "console.log 42");
    EXPECT_EQ(consoleText(), "a\r\nb\r\n42");
}

TEST_F(HostObjectsTest, LinesLoggedBeforeADialogAreInTheConsoleWhileItIsOpen) {
    QStringList seen;
    dialogs.onShow = [&](const ShownDialog&) { seen << form->console().TextOutput->toPlainText(); };
    dialogs.answerMsgBox(msgbox::vbOK);
    dialogs.answerMsgBox(msgbox::vbOK);
    run("JScript", "console.log('one');\nalert('x');\nconsole.log('two');\nundefinedFn();");
    EXPECT_EQ(seen, QStringList({"one", "one\ntwo"})); // the alert, then the error report
    EXPECT_EQ(consoleText(), "one\r\ntwo");
}

TEST_F(HostObjectsTest, ConsoleLogNeedsItsArgument) {
    dialogs.answerMsgBox(msgbox::vbOK);
    run("JScript", "console.log();");
    ASSERT_EQ(errorReports().size(), 1u);
    EXPECT_EQ(consoleText(), "");
}

} // namespace
} // namespace quillo
