// The function and constant tables, type inspection, Rnd's sequence, dialogs and locale.

#include "LibraryTestSupport.h"

#include "scripting/core/DispatchObject.h"
#include "scripting/core/HostServices.h"

#include <deque>

namespace quillo::vbscript::test {
namespace {

TEST(BuiltinTables, SortedAndFoundCaseInsensitively)
{
    const auto functions = builtinFunctions();
    ASSERT_GT(functions.size(), 100u);
    for (size_t i = 1; i < functions.size(); ++i)
        EXPECT_LT(quillo::script::compareIgnoreCase(functions[i - 1].name, functions[i].name), 0);
    for (const BuiltinFunction& fn : functions) {
        EXPECT_EQ(findBuiltinFunction(quillo::script::toUpper(fn.name)), &fn);
        EXPECT_LE(fn.minArgs, fn.maxArgs);
    }
    EXPECT_EQ(findBuiltinFunction(u"instrrev")->name, u"InStrRev");
    EXPECT_EQ(findBuiltinFunction(u"CreateObject"), nullptr);
    EXPECT_EQ(findBuiltinFunction(u""), nullptr);
    EXPECT_EQ(findBuiltinFunction(u"Left$"), nullptr);

    const auto constants = builtinConstants();
    for (size_t i = 1; i < constants.size(); ++i)
        EXPECT_LT(quillo::script::compareIgnoreCase(constants[i - 1].name, constants[i].name), 0);
    EXPECT_EQ(findBuiltinConstant(u"VBCRLF")->value.asString(), u"\r\n");
    EXPECT_EQ(findBuiltinConstant(u"vbNullChar")->value.asString().size(), 1u);
    EXPECT_EQ(findBuiltinConstant(u"vbObjectError")->value.asLong(), -2147221504);
    EXPECT_EQ(findBuiltinConstant(u"vbWhite")->value.asLong(), 0xFFFFFF);
    EXPECT_EQ(findBuiltinConstant(u"vbArray")->value.asInteger(), 8192);
    EXPECT_EQ(findBuiltinConstant(u"vbUseDefault")->value.asInteger(), -2);
    EXPECT_EQ(findBuiltinConstant(u"vbMsgBoxRight")->value.asLong(), 524288);
    EXPECT_EQ(findBuiltinConstant(u"vbTrue")->value.type(), quillo::script::VarType::Integer);
    EXPECT_EQ(findBuiltinConstant(u"vbFoo"), nullptr);
}

class Widget : public quillo::script::DispatchObject {
public:
    Widget() : DispatchObject(u"Widget") {}
};

class Valued : public quillo::script::DispatchObject {
public:
    explicit Valued(Variant value = S(u"v")) : DispatchObject(u"Valued")
    {
        addProperty(u"Value", [value](std::span<Variant>) { return value; });
        setDefaultMember(u"Value");
    }
};

class TypeInspection : public LibraryTest {};

TEST_F(TypeInspection, TypeNameVarTypeAndIsFunctions)
{
    Variant widget = Variant::fromObject(quillo::script::makeRef<Widget>());
    Variant valued = Variant::fromObject(quillo::script::makeRef<Valued>());
    Variant target = D(1.5);
    struct Row {
        Variant value;
        const char* typeName;
        int varType;
    };
    const std::vector<Row> rows = {
        {Variant(), "Empty", 0},
        {Null(), "Null", 1},
        {I(1), "Integer", 2},
        {L(1), "Long", 3},
        {Variant::fromSingle(1), "Single", 4},
        {D(1), "Double", 5},
        {Variant::fromCurrency(1), "Currency", 6},
        {Dt(2000, 1, 1), "Date", 7},
        {S(u""), "String", 8},
        {widget, "Widget", 9},
        {valued, "Valued", 8},
        {Variant::nothing(), "Nothing", 9},
        {Missing(), "Error", 10},
        {B(true), "Boolean", 11},
        {Variant::fromByte(1), "Byte", 17},
        {Arr({}), "Variant()", 8204},
        {Variant::byRef(&target), "Double", 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typeName);
        std::vector<Variant> args{row.value};
        EXPECT_EQ(utf8(findBuiltinFunction(u"TypeName")->call(context, args).asString()), row.typeName);
        EXPECT_EQ(findBuiltinFunction(u"VarType")->call(context, args).asInteger(), row.varType);
    }
    context.typeNameOf = [](quillo::script::Dispatch&) { return std::u16string(u"wIdGeT"); };
    EXPECT_EQ(show(call(u"TypeName", {widget})), "String:wIdGeT");

    EXPECT_EQ(show(call(u"IsObject", {Variant::nothing()})), "Boolean:True");
    EXPECT_EQ(show(call(u"IsObject", {I(1)})), "Boolean:False");
    EXPECT_EQ(show(call(u"IsArray", {Variant::fromArray(new quillo::script::SafeArray())})), "Boolean:True");
    EXPECT_EQ(show(call(u"IsEmpty", {Variant::byRef(&target)})), "Boolean:False");
    EXPECT_EQ(show(call(u"IsNull", {Variant()})), "Boolean:False");
    EXPECT_EQ(show(call(u"IsNumeric", {S(u"&H1F")})), "Boolean:True");
    EXPECT_EQ(show(call(u"IsDate", {S(u"January 2, 2003")})), "Boolean:True");
    EXPECT_EQ(show(call(u"Len", {valued})), "Long:1");

    // IsNull and IsEmpty see through a default member; other objects are neither.
    Variant nullField = Variant::fromObject(quillo::script::makeRef<Valued>(Null()));
    Variant emptyField = Variant::fromObject(quillo::script::makeRef<Valued>(Variant()));
    EXPECT_EQ(show(call(u"IsNull", {nullField})), "Boolean:True");
    EXPECT_EQ(show(call(u"IsEmpty", {emptyField})), "Boolean:True");
    EXPECT_EQ(show(call(u"IsNull", {valued})), "Boolean:False");
    EXPECT_EQ(show(call(u"IsNull", {widget})), "Boolean:False");
    EXPECT_EQ(show(call(u"IsEmpty", {Variant::nothing()})), "Boolean:False");
    EXPECT_EQ(show(call(u"VarType", {nullField})), "Integer:1");
}

class Random : public LibraryTest {};

TEST_F(Random, SequenceSeedsAndRepeats)
{
    // The generator's first values without Randomize.
    EXPECT_FLOAT_EQ(call(u"Rnd", {}).asSingle(), 0.7055475f);
    EXPECT_FLOAT_EQ(call(u"Rnd", {}).asSingle(), 0.533424f);
    EXPECT_FLOAT_EQ(call(u"Rnd", {I(0)}).asSingle(), 0.533424f);
    EXPECT_FLOAT_EQ(call(u"Rnd", {I(5)}).asSingle(), 0.5795186f);
    // A negative argument restarts from the same point every time.
    EXPECT_FLOAT_EQ(call(u"Rnd", {I(-1)}).asSingle(), 0.224007f);
    const float afterSeed = call(u"Rnd", {}).asSingle();
    call(u"Rnd", {I(-1)});
    EXPECT_EQ(call(u"Rnd", {}).asSingle(), afterSeed);

    // Randomize with a number after Rnd(-n) gives a repeatable sequence.
    std::vector<float> first;
    std::vector<float> second;
    for (auto* run : {&first, &second}) {
        call(u"Rnd", {I(-1)});
        call(u"Randomize", {I(42)});
        for (int i = 0; i < 5; ++i)
            run->push_back(call(u"Rnd", {}).asSingle());
    }
    EXPECT_EQ(first, second);
    call(u"Rnd", {I(-1)});
    call(u"Randomize", {I(43)});
    EXPECT_NE(call(u"Rnd", {}).asSingle(), first[0]);
    for (int i = 0; i < 1000; ++i) {
        const float r = call(u"Rnd", {}).asSingle();
        ASSERT_TRUE(r >= 0 && r < 1) << r;
    }
}

class ScriptedHost : public quillo::script::HostServices {
public:
    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override
    {
        shown.push_back(utf8(prompt) + "|" + std::to_string(style) + "|" + utf8(title));
        return 6;
    }
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override
    {
        shown.push_back(utf8(prompt) + "|" + utf8(title) + "|" + utf8(defaultText));
        if (answers.empty())
            return std::nullopt;
        std::u16string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool userInterfaceAllowed() const override { return allowed; }
    bool askStopLongRunningScript() override { return false; }

    bool allowed = true;
    std::vector<std::string> shown;
    std::deque<std::u16string> answers;
};

class HostFunctions : public LibraryTest {
protected:
    void SetUp() override { context.host = &host; }
    ScriptedHost host;
};

TEST_F(HostFunctions, DialogsGoToTheHost)
{
    EXPECT_EQ(show(call(u"MsgBox", {S(u"Save?"), I(4 + 32), S(u"Quillo")})), "Integer:6");
    EXPECT_EQ(show(call(u"MsgBox", {I(42)})), "Integer:6");
    host.answers.push_back(u"Ann");
    EXPECT_EQ(show(call(u"InputBox", {S(u"Name?"), S(u"Ask"), S(u"Bob")})), "String:Ann");
    EXPECT_EQ(show(call(u"InputBox", {S(u"Again?")})), "Empty");
    EXPECT_EQ(host.shown, (std::vector<std::string>{"Save?|36|Quillo", "42|0|VBScript",
                                                    "Name?|Ask|Bob", "Again?|VBScript|"}));
    host.allowed = false;
    EXPECT_EQ(errorOf(u"MsgBox", {S(u"x")}), 70);
}

TEST_F(HostFunctions, LocaleAndEngineIdentity)
{
    EXPECT_EQ(show(call(u"GetLocale", {})), "Long:1033");
    EXPECT_EQ(show(call(u"SetLocale", {S(u"en-us")})), "Long:1033");
    EXPECT_EQ(show(call(u"SetLocale", {I(0)})), "Long:1033");
    EXPECT_EQ(show(call(u"ScriptEngine", {})), "String:VBScript");
    EXPECT_EQ(show(call(u"ScriptEngineMajorVersion", {})), "Long:5");
    EXPECT_EQ(show(call(u"ScriptEngineMinorVersion", {})), "Long:8");
    EXPECT_GT(call(u"ScriptEngineBuildVersion", {}).asLong(), 0);
}

} // namespace
} // namespace quillo::vbscript::test
