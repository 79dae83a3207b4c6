// The lexer: literal subtypes, comments, separators, continuation, bracketed names.
#include "scripting/core/Text.h"
#include "scripting/vbscript/Lexer.h"

#include <gtest/gtest.h>

namespace quillo::vbscript {
namespace {

using quillo::script::VarType;

struct LiteralCase {
    const char* text;
    VarType type;
    double value;
};

class NumberLiterals : public ::testing::TestWithParam<LiteralCase> {};

double numberOf(const quillo::script::Variant& v)
{
    switch (v.type()) {
    case VarType::Integer: return v.asInteger();
    case VarType::Long: return v.asLong();
    default: return v.asDouble();
    }
}

TEST_P(NumberLiterals, GetTheirSubtype)
{
    std::vector<Token> t = tokenize(quillo::script::fromUtf8(GetParam().text));
    ASSERT_EQ(t[0].kind, Tok::Number) << GetParam().text;
    EXPECT_EQ(t[0].value.type(), GetParam().type) << GetParam().text;
    EXPECT_EQ(numberOf(t[0].value), GetParam().value) << GetParam().text;
    EXPECT_EQ(t[1].kind, Tok::End) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Lexer, NumberLiterals, ::testing::Values(
    LiteralCase{"0", VarType::Integer, 0},
    LiteralCase{"32767", VarType::Integer, 32767},
    LiteralCase{"32768", VarType::Long, 32768},
    LiteralCase{"2147483647", VarType::Long, 2147483647},
    LiteralCase{"2147483648", VarType::Double, 2147483648.0},
    LiteralCase{"007", VarType::Integer, 7},
    LiteralCase{"1.0", VarType::Double, 1},
    LiteralCase{"1e3", VarType::Double, 1000},
    LiteralCase{"2.5E-1", VarType::Double, 0.25},
    LiteralCase{".5", VarType::Double, 0.5},
    LiteralCase{"&HFF", VarType::Integer, 255},
    LiteralCase{"&h8000", VarType::Integer, -32768},
    LiteralCase{"&HFFFF", VarType::Integer, -1},
    LiteralCase{"&H10000", VarType::Long, 65536},
    LiteralCase{"&HFFFFFFFF", VarType::Long, -1},
    LiteralCase{"&HFF&", VarType::Long, 255},
    LiteralCase{"&O17", VarType::Integer, 15},
    LiteralCase{"&o177777", VarType::Integer, -1},
    LiteralCase{"&O200000", VarType::Long, 65536},
    LiteralCase{"&O17&", VarType::Long, 15},
    LiteralCase{"&17", VarType::Integer, 15},
    LiteralCase{"&17&", VarType::Long, 15},
    LiteralCase{"&177777", VarType::Integer, -1},
    LiteralCase{"&200000", VarType::Long, 65536},
    LiteralCase{"&37777777777", VarType::Long, -1}));

std::vector<Tok> kinds(const char* text)
{
    std::vector<Tok> out;
    for (const Token& t : tokenize(quillo::script::fromUtf8(text)))
        out.push_back(t.kind);
    return out;
}

TEST(Lexer, CommentsSeparatorsAndContinuation)
{
    EXPECT_EQ(kinds("x ' comment : y"), (std::vector<Tok>{Tok::Identifier, Tok::End}));
    EXPECT_EQ(kinds("x : Rem all of this"), (std::vector<Tok>{Tok::Identifier, Tok::Colon, Tok::Newline, Tok::End}));
    EXPECT_EQ(kinds("a = _\r\n  b"), (std::vector<Tok>{Tok::Identifier, Tok::Eq, Tok::Identifier, Tok::End}));
    EXPECT_EQ(kinds("a\n\n\nb"), (std::vector<Tok>{Tok::Identifier, Tok::Newline, Tok::Identifier, Tok::End}));
    EXPECT_EQ(kinds("a <> b <= c >= d"), (std::vector<Tok>{Tok::Identifier, Tok::Ne, Tok::Identifier, Tok::Le,
                                                              Tok::Identifier, Tok::Ge, Tok::Identifier, Tok::End}));
    // `&` directly before an octal digit starts a number; with a blank it concatenates
    EXPECT_EQ(kinds("a & 1"), (std::vector<Tok>{Tok::Identifier, Tok::Amp, Tok::Number, Tok::End}));
    EXPECT_EQ(kinds("a &1"), (std::vector<Tok>{Tok::Identifier, Tok::Number, Tok::End}));
    EXPECT_EQ(kinds("IF x THEN"), (std::vector<Tok>{Tok::KwIf, Tok::Identifier, Tok::KwThen, Tok::End}));
    // words that are keywords only in some places stay names
    EXPECT_EQ(kinds("step property get"), (std::vector<Tok>{Tok::Identifier, Tok::Identifier, Tok::Identifier, Tok::End}));
}

TEST(Lexer, StringsDatesAndBracketedNames)
{
    std::vector<Token> t = tokenize(u"\"a\"\"b\" #1/2/2003# [two words]");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].value.asString(), u"a\"b");
    EXPECT_EQ(t[1].kind, Tok::Date);
    EXPECT_EQ(t[1].value.asDate(), 37623.0);
    EXPECT_EQ(t[2].kind, Tok::Identifier);
    EXPECT_EQ(t[2].text, u"two words");
}

TEST(Lexer, PositionsAreOneBased)
{
    std::vector<Token> t = tokenize(u"a\r\n  bc = 1");
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t[0].line, 1);
    EXPECT_EQ(t[0].column, 1);
    EXPECT_EQ(t[2].line, 2);
    EXPECT_EQ(t[2].column, 3);
    EXPECT_EQ(t[3].column, 6);
}

} // namespace
} // namespace quillo::vbscript
