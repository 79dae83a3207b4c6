#include "cli/CommandLine.h"
#include "cli/HostObjects.h"
#include "cli/Runner.h"
#include "cli/SourceFile.h"
#include "cli/StreamHost.h"
#include "scripting/core/Convert.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillo::cli;
using namespace quillo::script;

namespace {

struct ParseCase {
    std::vector<std::string> args;
    std::string error;          // a fragment of the error, empty when none
    int language;               // 0 VBScript, 1 JScript, -1 unset
    size_t files;
};

class CommandLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineTest, ParsesOptionsAndFiles)
{
    const ParseCase& c = GetParam();
    ParseResult r = parseCommandLine(c.args);
    if (c.error.empty()) {
        EXPECT_EQ(r.error, "");
    } else {
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
        return;
    }
    EXPECT_EQ(r.options.files.size(), c.files);
    if (c.language < 0)
        EXPECT_FALSE(r.options.language);
    else
        EXPECT_EQ(r.options.language, c.language == 0 ? ScriptLanguage::VBScript : ScriptLanguage::JScript);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLineTest, ::testing::Values(
    ParseCase{{"a.vbs"}, "", 0, 1},
    ParseCase{{"dir.x/A.JS", "b.vbs"}, "", 1, 2},
    ParseCase{{"--language", "JScript", "a.txt"}, "", 1, 1},
    ParseCase{{"--language=vbscript", "a.js"}, "", 0, 1},
    ParseCase{{"-l", "js", "--", "-odd.vbs"}, "", 1, 1},
    ParseCase{{"--help"}, "", -1, 0},
    ParseCase{{"--version", "x"}, "", -1, 1},
    ParseCase{{}, "no script file", -1, 0},
    ParseCase{{"a.txt"}, "cannot tell the language", -1, 0},
    ParseCase{{"dir.js/file"}, "cannot tell the language", -1, 0},
    ParseCase{{"--language"}, "needs a value", -1, 0},
    ParseCase{{"--language", "perl", "a.js"}, "unknown language", -1, 0},
    ParseCase{{"--timeout", "0", "a.js"}, "positive number", -1, 0},
    ParseCase{{"--timeout", "5x", "a.js"}, "positive number", -1, 0},
    ParseCase{{"--frobnicate", "a.js"}, "unknown option", -1, 0}));

TEST(CommandLine, ExitStatusForHelpVersionAndBadUsage)
{
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"--help"}, in, out, err), kExitSuccess);
    EXPECT_NE(out.str().find("Usage: quillo-run"), std::string::npos);
    out.str("");
    EXPECT_EQ(runCommandLine({"--version"}, in, out, err), kExitSuccess);
    EXPECT_EQ(out.str(), "quillo-run (Quillo) 1.3\n");
    EXPECT_EQ(runCommandLine({"--bogus"}, in, out, err), kExitUsage);
    EXPECT_EQ(runCommandLine({"/nonexistent/x.vbs"}, in, out, err), kExitUsage);
    EXPECT_NE(err.str().find("cannot read '/nonexistent/x.vbs'"), std::string::npos) << err.str();
}

struct MsgBoxCase {
    int style;
    std::string input;
    int expected;
};

class StreamMsgBoxTest : public ::testing::TestWithParam<MsgBoxCase> {};

TEST_P(StreamMsgBoxTest, ReadsTheAnswer)
{
    std::istringstream in(GetParam().input);
    std::ostringstream out, err;
    StreamHost host(in, out, err);
    EXPECT_EQ(host.msgBox(u"Go?", GetParam().style, u"Title"), GetParam().expected)
        << GetParam().style << " '" << GetParam().input << "'";
}

INSTANTIATE_TEST_SUITE_P(Answers, StreamMsgBoxTest, ::testing::Values(
    MsgBoxCase{0, "", vbOK},               // OK only reads nothing
    MsgBoxCase{48, "no\n", vbOK},
    MsgBoxCase{1, "ok\n", vbOK},
    MsgBoxCase{33, "Cancel\n", vbCancel},
    MsgBoxCase{1, "", vbCancel},           // end of input
    MsgBoxCase{1, "\n", vbOK},             // the default button
    MsgBoxCase{1 + 256, "\n", vbCancel},   // second button as default
    MsgBoxCase{4 + 512, "\n", vbNo},       // a default past the last button
    MsgBoxCase{4, "", vbNo},               // no Cancel: closing says No
    MsgBoxCase{2, "", vbIgnore},
    MsgBoxCase{3, " y \r\n", vbYes},
    MsgBoxCase{3, "7\n", vbNo},
    MsgBoxCase{5, "maybe\nr\n", vbRetry},  // asked again after a bad answer
    MsgBoxCase{5, "maybe\n", vbCancel}));

TEST(StreamHost, MessageAndInputBoxesUseTheStreams)
{
    std::istringstream in("typed\n\n");
    std::ostringstream out, err;
    StreamHost host(in, out, err);
    host.msgBox(u"caf\u00e9", 0, u"T");
    EXPECT_EQ(host.inputBox(u"Name?", u"T", u""), u"typed");
    EXPECT_EQ(host.inputBox(u"Again?", u"T", u"dflt"), u"dflt");
    EXPECT_EQ(host.inputBox(u"More?", u"T", u""), std::nullopt);
    EXPECT_EQ(out.str(), "caf\xC3\xA9\nName?\nAgain? [dflt]\nMore?\n");
    EXPECT_TRUE(host.askStopLongRunningScript());
    EXPECT_NE(err.str().find("timeout"), std::string::npos);
}

class HostObjectsTest : public ::testing::Test {
protected:
    Variant call(const DispatchPtr& object, std::u16string_view name, std::vector<Variant> args = {})
    {
        int32_t id = object->memberId(name);
        EXPECT_NE(id, DISPID_UNKNOWN) << toUtf8(name);
        return object->invoke(id, InvokeKind::MethodOrGet, args);
    }

    std::istringstream in;
    std::ostringstream out, err;
    StreamHost host{in, out, err};
};

TEST_F(HostObjectsTest, ConsoleLogWritesOneLinePerCall)
{
    DispatchPtr console = makeConsole(host);
    call(console, u"log", {Variant::fromString(u"a")});
    call(console, u"LOG", {Variant::fromLong(42)});
    call(console, u"log", {Variant::fromBool(true)});
    call(console, u"log", {Variant::fromString(u"x\ny")});
    EXPECT_EQ(out.str(), "a\n42\nTrue\nx\ny\n");
    try {
        call(console, u"log");
        ADD_FAILURE() << "log without a message";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 450);
    }
    try {
        call(console, u"log", {Variant::null()});
        ADD_FAILURE() << "Null converted to text";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 94);
    }
}

TEST_F(HostObjectsTest, WindowDialogs)
{
    in.str("ok\n\nAnn\n");
    DispatchPtr window = makeWindow(host);
    call(window, u"alert");
    call(window, u"alert", {Variant::fromLong(42)});
    EXPECT_EQ(toText(call(window, u"confirm", {Variant::fromString(u"Sure?")})), u"True");
    EXPECT_EQ(toText(call(window, u"confirm", {Variant::fromString(u"Sure?")})), u"True"); // empty line: OK is default
    EXPECT_EQ(toText(call(window, u"prompt", {Variant::fromString(u"Name?")})), u"Ann");
    EXPECT_EQ(toText(call(window, u"confirm")), u"False"); // end of input: Cancel
    EXPECT_EQ(toText(call(window, u"prompt", {Variant::fromString(u"Name?"), Variant::fromString(u"Bo")})), u"");
    EXPECT_EQ(out.str(), "\n42\nSure? [OK/Cancel]\nSure? [OK/Cancel]\nName?\n [OK/Cancel]\nName? [Bo]\n");

    Variant omitted = Variant::missing();
    call(window, u"alert", {Variant::byRef(&omitted)});
    EXPECT_EQ(omitted.valueType(), VarType::String); // an omitted argument becomes ""
}

TEST_F(HostObjectsTest, NavigatorProperties)
{
    DispatchPtr navigator = makeNavigator();
    struct Case {
        std::u16string_view name;
        std::u16string_view value;
    };
    for (Case c : {Case{u"appCodeName", u"Tarka"}, Case{u"appName", u"Quillo"}, Case{u"appVersion", u"1.3"},
                   Case{u"cookieEnabled", u"False"}, Case{u"language", u"en"}, Case{u"onLine", u"False"},
                   Case{u"platform", u"Win32"}, Case{u"userAgent", u"Quillo/1.3"}})
        EXPECT_EQ(toText(call(navigator, c.name)), c.value) << toUtf8(c.name);
    std::vector<Variant> args{Variant::fromString(u"x")};
    EXPECT_THROW(navigator->invoke(navigator->memberId(u"platform"), InvokeKind::PropertyPut, args), ScriptError);
}

TEST(SourceFile, DecodesByteOrderMarksAndFallsBackToWindows1252)
{
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    for (const Case& c : {Case{"x = 1", u"x = 1"}, Case{"\xEF\xBB\xBF" "caf\xC3\xA9", u"caf\u00e9"},
                          Case{std::string("\xFF\xFE" "a\0\xAC\x20", 6), u"a\u20ac"},
                          Case{std::string("\xFE\xFF\0a\x20\xAC", 6), u"a\u20ac"},
                          Case{"caf\xE9 \x80", u"caf\u00e9 \u20ac"}, Case{"\xC3", u"\u00c3"},
                          Case{"\xED\xA0\x80", u"\u00ed\u00a0\u20ac"}}) {
        EXPECT_EQ(decodeScriptBytes(c.bytes), c.text) << c.bytes;
    }
}

} // namespace
