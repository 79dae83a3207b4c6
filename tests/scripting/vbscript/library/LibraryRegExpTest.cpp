// The RegExp object: properties, Test, Replace's $ forms, Execute's collections.

#include "LibraryTestSupport.h"

#include "scripting/core/Dispatch.h"

namespace quillo::vbscript::test {
namespace {

using quillo::script::Dispatch;
using quillo::script::InvokeKind;

class RegExpObject : public LibraryTest {
protected:
    void SetUp() override
    {
        Variant created = createBuiltinObject(context, u"regexp");
        ASSERT_TRUE(created.isObject());
        re = created.objectRef();
    }

    static Variant get(Dispatch& obj, std::u16string_view member, std::vector<Variant> args = {})
    {
        const int32_t id = obj.memberId(member);
        EXPECT_NE(id, quillo::script::DISPID_UNKNOWN) << utf8(member);
        return obj.invoke(id, InvokeKind::MethodOrGet, args);
    }
    static Variant item(Dispatch& obj, int index)
    {
        std::vector<Variant> args{I(index)};
        return obj.invoke(quillo::script::DISPID_VALUE, InvokeKind::PropertyGet, args);
    }
    void put(std::u16string_view member, Variant value)
    {
        std::vector<Variant> args{std::move(value)};
        re->invoke(re->memberId(member), InvokeKind::PropertyPut, args);
    }
    std::string replace(std::u16string_view subject, std::u16string_view with)
    {
        return utf8(get(*re, u"Replace", {S(subject), S(with)}).asString());
    }
    bool test(std::u16string_view subject) { return get(*re, u"Test", {S(subject)}).asBool(); }

    quillo::script::DispatchPtr re;
};

TEST_F(RegExpObject, DefaultsAndProperties)
{
    EXPECT_EQ(utf8(re->typeName()), "IRegExp2");
    EXPECT_EQ(show(get(*re, u"Global")), "Boolean:False");
    EXPECT_EQ(show(get(*re, u"ignorecase")), "Boolean:False");
    EXPECT_EQ(show(get(*re, u"Multiline")), "Boolean:False");
    EXPECT_EQ(show(get(*re, u"Pattern")), "String:");
    put(u"Pattern", S(u"a+b"));
    EXPECT_EQ(show(get(*re, u"Pattern")), "String:a+b");
    EXPECT_TRUE(createBuiltinObject(context, u"Dictionary").isEmpty());
}

TEST_F(RegExpObject, FlagsChangeMatching)
{
    put(u"Pattern", S(u"a+b"));
    EXPECT_TRUE(test(u"xaaab"));
    EXPECT_FALSE(test(u"xb"));
    EXPECT_EQ(replace(u"aab aab", u"X"), "X aab");
    EXPECT_FALSE(test(u"AAB"));
    put(u"IgnoreCase", B(true));
    EXPECT_TRUE(test(u"AAB"));
    put(u"Global", B(true));
    EXPECT_EQ(replace(u"AaB ab", u"-"), "- -");
    put(u"Pattern", S(u"^\\d+$"));
    EXPECT_FALSE(test(u"12\nab\n34"));
    put(u"Multiline", B(true));
    EXPECT_EQ(replace(u"12\nab\n34", u"#"), "#\nab\n#");
}

TEST_F(RegExpObject, ReplacementDollarForms)
{
    put(u"Global", B(true));
    put(u"Pattern", S(u"(\\w+)@(\\w+)\\.com"));
    EXPECT_EQ(replace(u"joe@site.com, ann@web.com", u"$2 has $1"), "site has joe, web has ann");
    put(u"Pattern", S(u"b"));
    EXPECT_EQ(replace(u"abc", u"[$&|$`|$'|$$|$1|$]"), "a[b|a|c|$|$1|$]c");
    put(u"Pattern", S(u"(a)(b)?"));
    EXPECT_EQ(replace(u"ac", u"<$1$2$3>"), "<a$3>c");
    put(u"Pattern", S(u"(1)(2)(3)(4)(5)(6)(7)(8)(9)(0)"));
    EXPECT_EQ(replace(u"1234567890", u"$10|$11"), "0|11");
    put(u"Pattern", S(u""));
    EXPECT_EQ(replace(u"ab", u"-"), "-a-b-");
}

TEST_F(RegExpObject, ExecuteCollections)
{
    put(u"Global", B(true));
    put(u"Pattern", S(u"(\\d+)-(\\d+)"));
    Variant matches = get(*re, u"Execute", {S(u"10-20, 3-4 and 500-6")});
    Dispatch& ms = *matches.asObject();
    EXPECT_EQ(utf8(ms.typeName()), "IMatchCollection2");
    EXPECT_EQ(show(get(ms, u"Count")), "Long:3");
    Variant second = item(ms, 1);
    Dispatch& m = *second.asObject();
    EXPECT_EQ(utf8(m.typeName()), "IMatch2");
    EXPECT_EQ(show(get(m, u"Value")), "String:3-4");
    EXPECT_EQ(show(get(m, u"FirstIndex")), "Long:7");
    EXPECT_EQ(show(get(m, u"Length")), "Long:3");
    EXPECT_EQ(show(quillo::script::valueOf(second)), "String:3-4");
    Variant subs = get(m, u"SubMatches");
    EXPECT_EQ(utf8(subs.asObject()->typeName()), "ISubMatches");
    EXPECT_EQ(show(get(*subs.asObject(), u"Count")), "Long:2");
    EXPECT_EQ(show(item(*subs.asObject(), 1)), "String:4");

    std::string seen;
    Variant each;
    auto it = ms.enumerate();
    ASSERT_TRUE(it);
    while (it->next(each))
        seen += utf8(quillo::script::toText(each)) + ";";
    EXPECT_EQ(seen, "10-20;3-4;500-6;");

    std::vector<Variant> outside{I(3)};
    EXPECT_THROW(ms.invoke(ms.memberId(u"Item"), InvokeKind::MethodOrGet, outside), ScriptError);
}

TEST_F(RegExpObject, UnmatchedGroupsAndSingleMatches)
{
    put(u"Pattern", S(u"(a)|(b)"));
    Variant matches = get(*re, u"Execute", {S(u"b a")});
    EXPECT_EQ(show(get(*matches.asObject(), u"Count")), "Long:1");
    Variant subs = get(*item(*matches.asObject(), 0).asObject(), u"SubMatches");
    EXPECT_EQ(show(item(*subs.asObject(), 0)), "Empty");
    EXPECT_EQ(show(item(*subs.asObject(), 1)), "String:b");
    Variant none = get(*re, u"Execute", {S(u"xyz")});
    EXPECT_EQ(show(get(*none.asObject(), u"Count")), "Long:0");
}

TEST_F(RegExpObject, BadPatternsRaiseRegExpErrors)
{
    put(u"Pattern", S(u"(a"));
    try {
        test(u"a");
        ADD_FAILURE() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 5020);
    }
    std::vector<Variant> none;
    EXPECT_THROW(re->invoke(re->memberId(u"Test"), InvokeKind::Method, none), ScriptError);
    EXPECT_EQ(re->memberId(u"Nope"), quillo::script::DISPID_UNKNOWN);
}

} // namespace
} // namespace quillo::vbscript::test
