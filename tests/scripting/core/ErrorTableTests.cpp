// The error tables and the error object.
#include "scripting/core/ErrorTable.h"
#include "scripting/core/ScriptError.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillo::script;

namespace {

struct TextCase {
    int32_t number;
    std::u16string_view vbscript;
    std::u16string_view jscript;
};

class ErrorTexts : public testing::TestWithParam<TextCase> {};

TEST_P(ErrorTexts, LookedUpByNumber)
{
    EXPECT_EQ(vbscriptDescription(GetParam().number), GetParam().vbscript);
    EXPECT_EQ(jscriptDescription(GetParam().number), GetParam().jscript);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorTexts, testing::Values(
    TextCase{5, u"Invalid procedure call or argument", u"Invalid procedure call or argument"},
    TextCase{13, u"Type mismatch", u"Type mismatch"},
    TextCase{429, u"ActiveX component can't create object", u"Automation server can't create object"},
    TextCase{438, u"Object doesn't support this property or method",
             u"Object doesn't support this property or method"},
    TextCase{1002, u"Syntax error", u"Syntax error"},
    TextCase{1004, u"", u"Expected ';'"},
    TextCase{1013, u"Expected 'To'", u"Invalid number"},
    TextCase{1025, u"Expected end of statement", u"Label redefined"},
    TextCase{1058, u"'Default' specification can only be on Property Get", u""},
    TextCase{5008, u"Illegal assignment", u"Illegal assignment"},
    TextCase{5009, u"", u"Undefined identifier"},
    TextCase{5017, u"Syntax error in regular expression", u"Syntax error in regular expression"},
    TextCase{5035, u"", u"Invalid replacer argument"},
    TextCase{32811, u"Element not found", u""},
    TextCase{0, u"", u""},
    TextCase{4, u"", u""},
    TextCase{99999, u"", u""}));

TEST(ErrorCodes, FacilityTenCodes)
{
    EXPECT_EQ(hresultFromNumber(5009), -2146823279);
    EXPECT_EQ(hresultFromNumber(13), -2146828275);
    EXPECT_EQ(hresultFromNumber(-2147024894), -2147024894);
    EXPECT_EQ(numberFromHresult(-2146823279), 5009);
    EXPECT_EQ(numberFromHresult(-2147024894), -2147024894);
}

TEST(ScriptErrorObject, NamedDescriptions)
{
    const ScriptError e = ScriptError::withName(13, u"Foo");
    EXPECT_EQ(e.number, 13);
    EXPECT_EQ(e.description, u"Type mismatch");
    EXPECT_EQ(e.hostDescription(), u"Type mismatch: 'Foo'");
    EXPECT_STREQ(e.what(), "Type mismatch: 'Foo'");
    EXPECT_TRUE(e.standardDescription);
    EXPECT_EQ(e.hresult(), -2146828275);
    const ScriptError plain = ScriptError::runtime(500);
    EXPECT_EQ(plain.hostDescription(), u"Variable is undefined");
    EXPECT_EQ(plain.line, 0);
}

} // namespace
