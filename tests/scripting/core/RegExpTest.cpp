#include "scripting/core/RegExp.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <gtest/gtest.h>

#include <string>

using namespace quillo::script;

namespace {

constexpr RegExpFlags kPlain{};
constexpr RegExpFlags kI{false, true, false};
constexpr RegExpFlags kM{false, false, true};

// "@index whole|group1|..." with "-" for a group that did not take part, or "null".
std::string describe(std::u16string_view pattern, RegExpFlags flags, std::u16string_view subject,
                     size_t start = 0)
{
    auto re = RegExp::compile(pattern, flags);
    RegExpMatch m;
    if (!re->exec(subject, start, m))
        return "null";
    std::string out(1, '@');
    out += std::to_string(m.start());
    out += ' ';
    for (int g = 0; g <= m.groupCount(); ++g) {
        if (g)
            out += "|";
        out += m.matched(g) ? toUtf8(m.text(subject, g)) : std::string("-");
    }
    return out;
}

int compileError(std::u16string_view pattern, RegExpFlags flags = kPlain)
{
    try {
        RegExp::compile(pattern, flags);
    } catch (const ScriptError& e) {
        return e.number;
    }
    return 0;
}

struct MatchCase {
    std::u16string_view pattern;
    RegExpFlags flags;
    std::u16string_view subject;
    std::string_view expected;
};

class RegExpMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(RegExpMatchTest, MatchesAsScriptsExpect)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(describe(c.pattern, c.flags, c.subject), std::string(c.expected)) << toUtf8(c.pattern);
}

INSTANTIATE_TEST_SUITE_P(Anchors, RegExpMatchTest, ::testing::Values(
    MatchCase{u"^b", kPlain, u"a\nb", "null"},
    MatchCase{u"^b", kM, u"a\nb", "@2 b"},
    MatchCase{u"a$", kPlain, u"a\n", "null"},
    MatchCase{u"a$", kM, u"a\nb", "@0 a"},
    MatchCase{u"^b", kM, u"a\r\nb", "@3 b"},
    MatchCase{u"^$", kM, u"a\r\nb", "@2 "},
    MatchCase{u"^b$", kM, u"a\u2028b\u2029c", "@2 b"},
    MatchCase{u"^a|b$", kPlain, u"xb", "@1 b"},
    MatchCase{u"^$", kPlain, u"", "@0 "}));

INSTANTIATE_TEST_SUITE_P(ClassEscapes, RegExpMatchTest, ::testing::Values(
    MatchCase{u"\\d+", kPlain, u"x\u0661\u06623", "@3 3"},
    MatchCase{u"\\w+", kPlain, u"\u00e9_a1", "@1 _a1"},
    MatchCase{u"\\s", kPlain, u"x\u00a0", "@1 \u00a0"},
    MatchCase{u"\\s", kPlain, u"x\u3000", "@1 \u3000"},
    MatchCase{u"\\s", kPlain, u"x\u2003", "@1 \u2003"},
    MatchCase{u"\\s", kPlain, u"x\u200b", "null"},
    MatchCase{u"\\S+", kPlain, u" ab\u00a0", "@1 ab"},
    MatchCase{u"[\\S]+", kPlain, u"\tab ", "@1 ab"},
    MatchCase{u"[^\\S]", kPlain, u"ab\u2029", "@2 \u2029"},
    MatchCase{u"\\W", kPlain, u"ab_c!", "@4 !"},
    MatchCase{u"\\d\\D", kPlain, u"a1b", "@1 1b"},
    MatchCase{u"[\\d-z]+", kPlain, u"a-9z", "@1 -9z"},
    MatchCase{u"\\bfoo\\b", kPlain, u"afoob foo", "@6 foo"},
    MatchCase{u"\\Bo", kPlain, u"foo", "@1 o"},
    MatchCase{u"\\w\\b", kI, u"a\u017f", "@0 a"},
    MatchCase{u"\\W", kI, u"sk\u212a!", "@2 \u212a"},
    MatchCase{u"[\\W]", kI, u"sk!", "@2 !"},
    MatchCase{u"[^\\Wx]+", kI, u"xXsk", "@2 sk"},
    MatchCase{u"[\\dX]+", kI, u"ax1", "@1 x1"},
    MatchCase{u"a.b", kPlain, u"a\nb a\rb a\u2028b a\u2029b axb", "@16 axb"},
    MatchCase{u"[^]", kPlain, u"\n", "@0 \n"},
    MatchCase{u"a[]", kPlain, u"a", "null"},
    MatchCase{u"[[:alpha:]]", kPlain, u"x:]", "@1 :]"}));

INSTANTIATE_TEST_SUITE_P(Escapes, RegExpMatchTest, ::testing::Values(
    MatchCase{u"\\u0041\\x42", kPlain, u"zAB", "@1 AB"},
    MatchCase{u"\\u00E9", kPlain, u"\u00e9", "@0 \u00e9"},
    MatchCase{u"\\x4g", kPlain, u"x4g", "@0 x4g"},
    MatchCase{u"\\u12", kPlain, u"u12", "@0 u12"},
    MatchCase{u"\\101\\60", kPlain, u"A0", "@0 A0"},
    MatchCase{u"\\0b", kPlain, std::u16string_view(u"a\0b", 3), std::string_view("@1 \0b", 5)},
    MatchCase{u"\\8\\9", kPlain, u"89", "@0 89"},
    MatchCase{u"(a)\\1", kPlain, u"aa", "@0 aa|a"},
    MatchCase{u"(a)\\2", kPlain, u"a\u0002", "@0 a\u0002|a"},
    MatchCase{u"(a)\\10", kPlain, u"a\u0008", "@0 a\u0008|a"},
    MatchCase{u"[\\1]", kPlain, u"x\u0001", "@1 \u0001"},
    MatchCase{u"[\\b]", kPlain, u"b\u0008", "@1 \u0008"},
    MatchCase{u"\\cJ", kPlain, u"a\n", "@1 \n"},
    MatchCase{u"\\c1", kPlain, u"\\c1", "@0 \\c1"},
    MatchCase{u"[\\c1]", kPlain, u"\u0011", "@0 \u0011"},
    MatchCase{u"\\a\\e\\A\\z\\Q", kPlain, u"aeAzQ", "@0 aeAzQ"},
    MatchCase{u"\\(\\)\\[\\]\\{\\}\\.\\*\\+\\?\\^\\$\\|\\/", kPlain, u"()[]{}.*+?^$|/", "@0 ()[]{}.*+?^$|/"},
    MatchCase{u"[.]", kPlain, u"a", "null"},
    MatchCase{u"[$^]", kPlain, u"a^", "@1 ^"},
    MatchCase{u"[\\]]", kPlain, u"]", "@0 ]"},
    MatchCase{u"[a-]", kPlain, u"-", "@0 -"},
    MatchCase{u"a#b c", kPlain, u"a#b c", "@0 a#b c"}));

INSTANTIATE_TEST_SUITE_P(Quantifiers, RegExpMatchTest, ::testing::Values(
    MatchCase{u"a+?", kPlain, u"aaa", "@0 a"},
    MatchCase{u"a*?", kPlain, u"aaa", "@0 "},
    MatchCase{u"<.+?>", kPlain, u"<a><b>", "@0 <a>"},
    MatchCase{u"<.+>", kPlain, u"<a><b>", "@0 <a><b>"},
    MatchCase{u"a{2,4}", kPlain, u"aaaaa", "@0 aaaa"},
    MatchCase{u"a{2,4}?", kPlain, u"aaaaa", "@0 aa"},
    MatchCase{u"a{2,}", kPlain, u"aaaa", "@0 aaaa"},
    MatchCase{u"^a{0}$", kPlain, u"", "@0 "},
    MatchCase{u"a{", kPlain, u"a{", "@0 a{"},
    MatchCase{u"a{1,2", kPlain, u"a{1,2", "@0 a{1,2"},
    MatchCase{u"x{,3}", kPlain, u"x{,3}", "@0 x{,3}"},
    MatchCase{u"}]", kPlain, u"}]", "@0 }]"},
    MatchCase{u"(?=a)*b", kPlain, u"b", "@0 b"}));

INSTANTIATE_TEST_SUITE_P(Groups, RegExpMatchTest, ::testing::Values(
    MatchCase{u"(a)|(b)", kPlain, u"b", "@0 b|-|b"},
    MatchCase{u"((a)(b))(c)?", kPlain, u"abx", "@0 ab|ab|a|b|-"},
    MatchCase{u"(?:(a)|b)\\1c", kPlain, u"bc", "@0 bc|-"},
    MatchCase{u"\\1(a)", kPlain, u"a", "@0 a|a"},
    MatchCase{u"(a\\1)", kPlain, u"a", "@0 a|a"},
    MatchCase{u"(?:ab)+(c)", kPlain, u"ababc", "@0 ababc|c"},
    MatchCase{u"\\d+(?=px)", kPlain, u"10em 20px", "@5 20"},
    MatchCase{u"\\d+(?!px)", kPlain, u"20px 30em", "@0 2"},
    MatchCase{u"a|ab", kPlain, u"abc", "@0 a"},
    MatchCase{u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10", kPlain, u"abcdefghijj", "@0 abcdefghijj|a|b|c|d|e|f|g|h|i|j"}));

INSTANTIATE_TEST_SUITE_P(IgnoreCase, RegExpMatchTest, ::testing::Values(
    MatchCase{u"abc", kI, u"xABC", "@1 ABC"},
    MatchCase{u"abc", kPlain, u"ABC", "null"},
    MatchCase{u"[a-z]+", kI, u"xYz", "@0 xYz"},
    MatchCase{u"[A-C]", kI, u"b", "@0 b"},
    MatchCase{u"[^a]", kI, u"A", "null"},
    MatchCase{u"(a)\\1", kI, u"aA", "@0 aA|a"},
    MatchCase{u"\u00e9", kI, u"\u00c9", "@0 \u00c9"},
    MatchCase{u"\u0436", kI, u"\u0416", "@0 \u0416"},
    MatchCase{u"\\w", kI, u"\u00e9a", "@1 a"}));

TEST(RegExp, ExecStartsAtTheGivenIndex)
{
    EXPECT_EQ(describe(u"b", kPlain, u"abcb", 2), "@3 b");
    EXPECT_EQ(describe(u"b", kPlain, u"abcb", 4), "null");
    EXPECT_EQ(describe(u"b", kPlain, u"abcb", 5), "null");
    EXPECT_EQ(describe(u"", kPlain, u"ab", 2), "@2 ");
    EXPECT_EQ(describe(u"^a", kPlain, u"aa", 1), "null");
    EXPECT_EQ(describe(u"^a", kM, u"a\na", 1), "@2 a");
    EXPECT_EQ(describe(u"\\bb", kPlain, u"ab b", 1), "@3 b");
}

TEST(RegExp, ReportsGroupCountAndSpans)
{
    auto re = RegExp::compile(u"(x)?(y)(?:z)(?=(w))", kPlain);
    EXPECT_EQ(re->groupCount(), 3);
    RegExpMatch m;
    ASSERT_TRUE(re->exec(u"..yzw", 0, m));
    EXPECT_EQ(m.groupCount(), 3);
    EXPECT_EQ(m.start(1), -1);
    EXPECT_EQ(m.end(1), -1);
    EXPECT_EQ(m.start(2), 2);
    EXPECT_EQ(m.end(2), 3);
    EXPECT_EQ(m.start(3), 4);
    EXPECT_EQ(m.end(0), 4);
}

// Matches share one match-data block per thread: a pattern with fewer groups, or with
// trailing groups that do not take part, must not see spans a larger match left there.
TEST(RegExp, GroupsOfAnEarlierMatchDoNotLeakIntoTheNext)
{
    struct Row {
        std::u16string_view pattern, subject;
        std::string expected;
    };
    const Row rows[] = {
        {u"(a)(b)(c)(d)(e)", u"abcde", "@0 abcde|a|b|c|d|e"},
        {u"(a)|(z)", u"za", "@0 z|-|z"},
        {u"(a)(b)(c)(d)(e)", u"abcde", "@0 abcde|a|b|c|d|e"},
        {u"(q)?(r)?(s)?", u"q", "@0 q|q|-|-"},
        {u"x", u"yx", "@1 x"},
        {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", u"abcdefghijk", "@0 abcdefghijk|a|b|c|d|e|f|g|h|i|j|k"},
        {u"(k)|(j)", u"j", "@0 j|-|j"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(describe(r.pattern, kPlain, r.subject), r.expected) << std::string(r.pattern.begin(), r.pattern.end());
}

TEST(RegExp, CachesPerPatternAndFlags)
{
    auto a = RegExp::compile(u"ca(che)", kPlain);
    EXPECT_EQ(a, RegExp::compile(u"ca(che)", kPlain));
    EXPECT_NE(a, RegExp::compile(u"ca(che)", kI));
    EXPECT_TRUE(RegExp::compile(u"ca(che)", RegExpFlags{true, false, false})->flags().global);
    RegExp::clearCache();
    RegExpMatch m;
    EXPECT_TRUE(a->exec(u"cache", 0, m)); // a handle outlives the cache entry
    EXPECT_EQ(a->source(), u"ca(che)");
}

struct ErrorCase {
    const char16_t* pattern;
    int number;
};

class RegExpErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RegExpErrorTest, RejectsBadPatternsWithTheirNumber)
{
    EXPECT_EQ(compileError(GetParam().pattern), GetParam().number) << toUtf8(GetParam().pattern);
}

INSTANTIATE_TEST_SUITE_P(Errors, RegExpErrorTest, ::testing::Values(
    ErrorCase{u"(a", 5020},
    ErrorCase{u"((a)", 5020},
    ErrorCase{u"[a", 5019},
    ErrorCase{u"[\\", 5019},
    ErrorCase{u"[]a[", 5019},
    ErrorCase{u"*a", 5018},
    ErrorCase{u"a**", 5018},
    ErrorCase{u"a*+", 5018},
    ErrorCase{u"a{2}{3}", 5018},
    ErrorCase{u"a|*", 5018},
    ErrorCase{u"(*)", 5018},
    ErrorCase{u"^*", 5018},
    ErrorCase{u"\\b+", 5018},
    ErrorCase{u"{2}", 5018},
    ErrorCase{u"[z-a]", 5021},
    ErrorCase{u"[\\u0042-\\x41]", 5021},
    ErrorCase{u"a)", 5017},
    ErrorCase{u"(?<n>a)", 5017},
    ErrorCase{u"(?i)a", 5017},
    ErrorCase{u"\\", 5017},
    ErrorCase{u"a{3,2}", 5017},
    ErrorCase{u"a{99999}", 5017},
    ErrorCase{u"[a-z]", 0},
    ErrorCase{u"", 0}));

TEST(RegExp, ErrorCarriesTheTableText)
{
    try {
        RegExp::compile(u"(a", kPlain);
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.description, u"Expected ')' in regular expression");
    }
}

TEST(RegExp, DeepNestingIsAnErrorNotACrash)
{
    std::u16string pattern(100000, u'(');
    pattern += std::u16string(100000, u')');
    EXPECT_EQ(compileError(pattern), 5017);
}

TEST(RegExp, SearchesATenMegabyteSubject)
{
    std::u16string subject(10 * 1024 * 1024, u'a');
    subject += u"b\nc";
    RegExpMatch m;
    ASSERT_TRUE(RegExp::compile(u"b", kPlain)->exec(subject, 0, m));
    EXPECT_EQ(size_t(m.start()), subject.size() - 3);
    ASSERT_TRUE(RegExp::compile(u"a*b", kPlain)->exec(subject, 0, m));
    EXPECT_EQ(m.start(), 0);
    EXPECT_EQ(size_t(m.end()), subject.size() - 2);
    ASSERT_TRUE(RegExp::compile(u"^c$", kM)->exec(subject, 0, m));
    EXPECT_EQ(size_t(m.start()), subject.size() - 1);
}

TEST(RegExp, GroupRepeatedOverAHugeSubjectEndsInAnError)
{
    std::u16string subject(10 * 1024 * 1024, u'a');
    RegExpMatch m;
    try {
        bool found = RegExp::compile(u"(a|b)*c", kPlain)->exec(subject, 0, m);
        EXPECT_FALSE(found);
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.number, 28);
    }
}

TEST(RegExp, CatastrophicBacktrackingEndsInAnError)
{
    std::u16string as(30, u'a');
    RegExpMatch m;
    // Without a 'b' in the subject the match fails at once.
    EXPECT_FALSE(RegExp::compile(u"(a+)+b", kPlain)->exec(as, 0, m));
    struct Case {
        std::u16string_view pattern;
        std::u16string subject;
    };
    for (const Case& c : {Case{u"(a+)+b", as + u"!b"}, Case{u"(a|aa)*c", std::u16string(40, u'a') + u"!c"},
                          Case{u"^(a*)*$", as + u"!"}, Case{u"(x+x+)+y", std::u16string(30, u'x') + u"!y"}}) {
        try {
            RegExp::compile(c.pattern, kPlain)->exec(c.subject, 0, m);
            ADD_FAILURE() << "no error for " << toUtf8(c.pattern);
        } catch (const ScriptError& e) {
            EXPECT_EQ(e.number, 28) << toUtf8(c.pattern);
        }
    }
}

} // namespace
