// App, Clipboard, Me, Printer, Printers and Screen through QtDispatch.

#include "tests/src/script/ScriptTest.h"

#include "src/platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>

namespace quillo {
namespace {

using RuntimeObjectsTest = ScriptTest;

TEST_F(RuntimeObjectsTest, PropertiesReadAsTheirValues) {
    struct Case {
        QString expression; // VBScript
        QString value;
    };
    const Case cases[] = {
        {"App.Title", "Quillo"},
        {"App.Major & \".\" & App.Minor & \".\" & App.Revision", "1.3.0"},
        {"App.ProductName", "Quillo"},
        {"App.PrevInstance", "False"},
        {"Screen.TwipsPerPixelX & \" \" & Screen.TwipsPerPixelY", "15 15"},
        {"Screen.Width Mod 15", "0"},
        {"console.Caption", "Console"},
        {"TypeName(Printer.DeviceName)", "String"},
        {"Printers.Count >= 0", "True"},
    };
    for (const Case& c : cases) {
        form->console().MenuEditClear_Click();
        run("VBScript", "console.log " + c.expression);
        EXPECT_TRUE(errorReports().empty()) << c.expression.toStdString();
        EXPECT_EQ(consoleText(), c.value) << c.expression.toStdString();
    }

    // "Me" is a keyword of VBScript; JScript reaches the main window by that name.
    const Case forms[] = {
        {"Me.Caption", form->windowTitle()},
        {"Me.Width", QString::number(form->frameGeometry().width() * 15)},
        {"Me.ScaleHeight", QString::number(form->centralWidget()->height() * 15)},
        {"Me.Visible", "False"},
        {"Me.Name", "FormMain"},
        {"Me.WindowState", "0"},
    };
    for (const Case& c : forms) {
        form->console().MenuEditClear_Click();
        run("JScript", "console.log(" + c.expression + ");");
        EXPECT_TRUE(errorReports().empty()) << c.expression.toStdString();
        EXPECT_EQ(consoleText(), c.value) << c.expression.toStdString();
    }
}

TEST_F(RuntimeObjectsTest, MethodsAndAssignmentsReachTheQtObjects) {
    run("JScript", "Clipboard.SetText('from script');\nMe.Caption = 'Renamed';\nApp.Title = 'Other';\n"
                   "console.log(Clipboard.GetText() + '|' + Clipboard.GetFormat(1) + '|' + App.Title);\n"
                   "Me.Move(1500, 3000, 7500, 6000);\nconsole.log(Me.Left + ' ' + Me.Top);");
    EXPECT_TRUE(errorReports().empty());
    EXPECT_EQ(QApplication::clipboard()->text(), "from script");
    EXPECT_EQ(form->windowTitle(), "Renamed");
    EXPECT_EQ(consoleText(), "from script|true|Other\r\n1500 3000");
    EXPECT_EQ(form->frameGeometry().width() * 15, 7500);
}

TEST_F(RuntimeObjectsTest, WrongUseRaisesScriptErrors) {
    struct Case {
        QString code;
        QString firstLine;
    };
    const Case cases[] = {
        {"App.Major = 2", "Error 450: Wrong number of arguments or invalid property assignment"},
        {"App.NoSuchThing", "Error 438: Object doesn't support this property or method: 'App.NoSuchThing'"},
        {"x = Screen.Fonts(-1)", "Error 9: Subscript out of range"},
        {"Screen.Fonts", "Error 450: Wrong number of arguments or invalid property assignment"},
    };
    for (const Case& c : cases) {
        dialogs.clearShown();
        dialogs.answerMsgBox(msgbox::vbOK);
        run("VBScript", c.code);
        ASSERT_EQ(errorReports().size(), 1u) << c.code.toStdString();
        EXPECT_EQ(errorReports()[0].text.section("\r\n", 0, 0), c.firstLine) << c.code.toStdString();
    }
}

TEST_F(RuntimeObjectsTest, PrintersCanBeWalked) {
    run("JScript", "var n = 0;\nfor (var e = new Enumerator(Printers); !e.atEnd(); e.moveNext()) n++;\n"
                   "console.log(n == Printers.Count);");
    EXPECT_TRUE(errorReports().empty()) << (errorReports().empty() ? "" : errorReports()[0].text.toStdString());
    EXPECT_EQ(consoleText(), "True");
}

} // namespace
} // namespace quillo
