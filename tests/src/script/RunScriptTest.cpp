// Language selection, Run, the error report, re-entrant language changes and the timeout.

#include "tests/src/script/ScriptTest.h"
#include "tests/src/support/TestFiles.h"

#include "src/platform/Dialogs.h"
#include "scripting/core/Text.h"

#include <QTemporaryDir>

namespace quillo {
namespace {

using RunScriptTest = ScriptTest;

TEST_F(RunScriptTest, LanguageItemsSetTheControlAndTheRunMenu) {
    // A new window: VBScript, Run enabled, the control as designed.
    EXPECT_TRUE(form->MenuLanguageVBScript->isChecked());
    EXPECT_TRUE(form->MenuRun->menuAction()->isEnabled());
    EXPECT_EQ(form->ScriptMain.language(), u"VBScript");
    EXPECT_EQ(form->ScriptMain.timeout(), 10000);
    EXPECT_TRUE(form->ScriptMain.allowUI());

    form->MenuLanguageJScript->trigger();
    EXPECT_EQ(form->ScriptMain.language(), u"JScript");
    EXPECT_TRUE(form->MenuRun->menuAction()->isEnabled());

    // Text keeps the control's language and disables Run.
    form->MenuLanguageText->trigger();
    EXPECT_TRUE(form->MenuLanguageText->isChecked());
    EXPECT_FALSE(form->MenuLanguageJScript->isChecked());
    EXPECT_FALSE(form->MenuRun->menuAction()->isEnabled());
    EXPECT_EQ(form->ScriptMain.language(), u"JScript");
}

TEST_F(RunScriptTest, ChoosingALanguageTwiceLeavesOneSetOfNamedObjects) {
    form->MenuLanguageVBScript->trigger();
    form->MenuLanguageVBScript->trigger();
    const char16_t* names[] = {u"App", u"Clipboard", u"Me", u"Printer", u"Printers",
                               u"Screen", u"console", u"navigator", u"window"};
    for (const char16_t* name : names)
        EXPECT_THROW(form->ScriptMain.addObject(name, nullptr, false), script::ScriptError) << script::toUtf8(name);

    form->activeBox().setTextDirect(
        "console.log TypeName(App) & \" \" & TypeName(Clipboard) & \" \" & TypeName(console) & \" \" & "
        "TypeName(navigator) & \" \" & TypeName(window) & \" \" & TypeName(Screen)");
    form->MenuRunStart->trigger();
    EXPECT_TRUE(errorReports().empty());
    EXPECT_EQ(consoleText(), "App Clipboard FormConsole Navigator Window Screen");
}

TEST_F(RunScriptTest, RunsStartFromAResetControl) {
    // Running twice: nothing the first run defined survives.
    run("JScript", "function f() { console.log('f'); }\nf();");
    dialogs.answerMsgBox(msgbox::vbOK);
    run("JScript", "f();");
    ASSERT_EQ(errorReports().size(), 1u);
    EXPECT_EQ(errorReports()[0].text, "Error 5009: 'f' is undefined\r\nOn Line: 1\r\n\r\nf();");
    EXPECT_EQ(consoleText(), "f");
}

TEST_F(RunScriptTest, EmptyDocumentRunsSilently) {
    run("VBScript", "");
    run("JScript", "");
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(consoleText(), "");
}

TEST_F(RunScriptTest, ErrorReportShowsNumberDescriptionLineAndSourceLine) {
    struct Case {
        const char* language;
        QString code;
        QString message;
    };
    const Case cases[] = {
        // Compile errors: one report and nothing runs.
        {"VBScript", "console.log \"ran\"\na = 1 +", "Error 1023: Expected expression\r\nOn Line: 2\r\n\r\na = 1 +"},
        {"JScript", "console.log('ran');\nvar b = (;", "Error 1002: Syntax error\r\nOn Line: 2\r\n\r\nvar b = (;"},
        // Run-time errors name their line.
        {"VBScript", "Dim a\na = 1\nb = a / 0\nconsole.log \"after\"", "Error 11: Division by zero\r\nOn Line: 3\r\n\r\nb = a / 0"},
        {"JScript", "var a = 1;\nvar b = 2;\nundefinedFn();", "Error 5009: 'undefinedFn' is undefined\r\nOn Line: 3\r\n\r\nundefinedFn();"},
    };
    for (const Case& c : cases) {
        dialogs.clearShown();
        form->console().MenuEditClear_Click();
        dialogs.answerMsgBox(msgbox::vbOK);
        const QString before = c.code;
        run(c.language, c.code);
        ASSERT_EQ(dialogs.shown().size(), 1u) << c.code.toStdString();
        const ShownDialog& report = dialogs.shown()[0];
        EXPECT_EQ(report.title, "Script Error");
        EXPECT_EQ(report.text, c.message);
        EXPECT_EQ(report.style, msgbox::vbOKOnly | msgbox::vbCritical);
        EXPECT_EQ(consoleText(), "");
        EXPECT_EQ(form->activeBox().text(), before); // a run never changes the document
    }
}

TEST_F(RunScriptTest, TheWrappingBoxsTextIsWhatRuns) {
    form->MenuLanguageJScript->trigger();
    form->activeBox().setTextDirect("console.log('wrapped');");
    form->MenuFormatWordWrap->trigger();
    ASSERT_EQ(form->TextIndex, 1);
    form->TextMain[0]->setTextDirect("console.log('hidden box');");
    form->MenuRunStart->trigger();
    EXPECT_EQ(consoleText(), "wrapped");
}

TEST_F(RunScriptTest, OpenFileFromAScriptChangesTheLanguageAfterTheRunEnds) {
    QTemporaryDir folder;
    const QString path = writeTestFile(folder, "next.vbs", "console.log \"from next.vbs\"");
    // "Me" is a keyword of VBScript: scripts reach the main window from JScript.
    const QString code = "var r = Me.OpenFile('" + path + "');\nconsole.log('opened ' + r);\nconsole.log(Me.GetFileNameFromPath('C:\\\\Scripts\\\\test.vbs'));\nconsole.log(navigator.appName);";
    run("JScript", code);
    EXPECT_TRUE(errorReports().empty());
    EXPECT_EQ(consoleText(), "opened true\r\ntest.vbs\r\nQuillo");
    EXPECT_TRUE(form->MenuLanguageVBScript->isChecked());
    EXPECT_EQ(form->ScriptMain.language(), u"VBScript");

    // The next run is VBScript, with the objects in place.
    form->console().MenuEditClear_Click();
    form->MenuRunStart->trigger();
    EXPECT_EQ(consoleText(), "from next.vbs");

    // Me.MenuLanguageText_Click from a script disables Run.
    run("JScript", "Me.MenuLanguageText_Click(); console.log('still running');");
    EXPECT_TRUE(form->MenuLanguageText->isChecked());
    EXPECT_FALSE(form->MenuRun->menuAction()->isEnabled());
    EXPECT_EQ(consoleText(), "from next.vbs\r\nstill running");
}

TEST_F(RunScriptTest, TimeoutAsksAndStopsOnlyWhenTold) {
    form->ScriptMain.setTimeout(200);
    int questions = 0;
    dialogs.onShow = [&](const ShownDialog& shown) {
        if (shown.title == QLatin1String("Quillo")) ++questions;
    };
    dialogs.answerMsgBox(msgbox::vbNo);  // go on for another timeout
    dialogs.answerMsgBox(msgbox::vbYes); // stop
    run("JScript", "var n = 0;\nwhile (true) { n++; }");
    ASSERT_EQ(dialogs.shown().size(), 2u);
    for (const ShownDialog& shown : dialogs.shown()) {
        EXPECT_EQ(shown.title, "Quillo");
        EXPECT_EQ(shown.text, "The script has been running for a long time.\r\n\r\nDo you want to stop it?");
        EXPECT_EQ(shown.style, msgbox::vbYesNo | msgbox::vbQuestion);
    }
    EXPECT_EQ(questions, 2);
    EXPECT_TRUE(errorReports().empty());

    // After a stop the control runs again.
    dialogs.answerMsgBox(msgbox::vbYes);
    run("VBScript", "Do\nLoop");
    EXPECT_EQ(dialogs.shown().size(), 3u);
}

} // namespace
} // namespace quillo
