// The tables behind Builtins.h: every built-in function and constant, sorted once by
// case-folded name so lookups are a binary search without allocation.

#include "scripting/vbscript/library/Builtins.h"
#include "scripting/vbscript/library/Functions.h"

#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <algorithm>
#include <vector>

namespace quillo::vbscript {

namespace {

using namespace library;
constexpr uint8_t kAny = BuiltinFunction::kAnyCount;

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// <0, 0, >0 comparing names case-insensitively (built-in names are ASCII).
int compareNames(std::u16string_view a, std::u16string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = foldAscii(a[i]);
        const char16_t y = foldAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

template <class T>
void sortByName(T& table)
{
    std::sort(table.begin(), table.end(),
              [](const auto& a, const auto& b) { return compareNames(a.name, b.name) < 0; });
}

template <class T>
const typename T::value_type* findByName(const T& table, std::u16string_view name)
{
    const auto it = std::lower_bound(
        table.begin(), table.end(), name,
        [](const auto& entry, std::u16string_view key) { return compareNames(entry.name, key) < 0; });
    return it != table.end() && compareNames(it->name, name) == 0 ? &*it : nullptr;
}

const std::vector<BuiltinFunction>& functionTable();

// Calls `F` and names the function in an error it raises, as the host sees it
// ("Invalid procedure call or argument: 'Mid'"); Err.Description keeps the plain text.
template <BuiltinCall F>
Variant named(BuiltinContext& context, std::span<Variant> args)
{
    try {
        return F(context, args);
    } catch (quillo::script::ScriptError& e) {
        if (e.name.empty()) {
            for (const BuiltinFunction& fn : functionTable())
                if (fn.call == &named<F>)
                    e.name = std::u16string(fn.name);
        }
        throw;
    }
}

std::vector<BuiltinFunction> makeFunctionTable()
{
    std::vector<BuiltinFunction> table = {
        {u"Abs", 1, 1, named<abs>},
        {u"Array", 0, kAny, named<array>},
        {u"Asc", 1, 1, named<asc>},
        {u"AscB", 1, 1, named<ascB>},
        {u"AscW", 1, 1, named<ascW>},
        {u"Atn", 1, 1, named<atn>},
        {u"CBool", 1, 1, named<cBool>},
        {u"CByte", 1, 1, named<cByte>},
        {u"CCur", 1, 1, named<cCur>},
        {u"CDate", 1, 1, named<cDate>},
        {u"CDbl", 1, 1, named<cDbl>},
        {u"Chr", 1, 1, named<chr>},
        {u"ChrB", 1, 1, named<chrB>},
        {u"ChrW", 1, 1, named<chrW>},
        {u"CInt", 1, 1, named<cInt>},
        {u"CLng", 1, 1, named<cLng>},
        {u"Cos", 1, 1, named<cos>},
        {u"CSng", 1, 1, named<cSng>},
        {u"CStr", 1, 1, named<cStr>},
        {u"Date", 0, 0, named<date>},
        {u"DateAdd", 3, 3, named<dateAdd>},
        {u"DateDiff", 3, 5, named<dateDiff>},
        {u"DatePart", 2, 4, named<datePart>},
        {u"DateSerial", 3, 3, named<dateSerial>},
        {u"DateValue", 1, 1, named<dateValue>},
        {u"Day", 1, 1, named<day>},
        {u"Escape", 1, 1, named<escape>},
        {u"Exp", 1, 1, named<exp>},
        {u"Filter", 2, 4, named<filter>},
        {u"Fix", 1, 1, named<fix>},
        {u"FormatCurrency", 1, 5, named<formatCurrency>},
        {u"FormatDateTime", 1, 2, named<formatDateTime>},
        {u"FormatNumber", 1, 5, named<formatNumber>},
        {u"FormatPercent", 1, 5, named<formatPercent>},
        {u"GetLocale", 0, 0, named<getLocale>},
        {u"Hex", 1, 1, named<hex>},
        {u"Hour", 1, 1, named<hour>},
        {u"InputBox", 1, 7, named<inputBox>},
        {u"InStr", 2, 4, named<inStr>},
        {u"InStrB", 2, 4, named<inStrB>},
        {u"InStrRev", 2, 4, named<inStrRev>},
        {u"Int", 1, 1, named<intPart>},
        {u"IsArray", 1, 1, named<isArray>},
        {u"IsDate", 1, 1, named<isDate>},
        {u"IsEmpty", 1, 1, named<isEmpty>},
        {u"IsNull", 1, 1, named<isNull>},
        {u"IsNumeric", 1, 1, named<isNumeric>},
        {u"IsObject", 1, 1, named<isObject>},
        {u"Join", 1, 2, named<join>},
        {u"LBound", 1, 2, named<lBound>},
        {u"LCase", 1, 1, named<lCase>},
        {u"Left", 2, 2, named<left>},
        {u"LeftB", 2, 2, named<leftB>},
        {u"Len", 1, 1, named<len>},
        {u"LenB", 1, 1, named<lenB>},
        {u"Log", 1, 1, named<log>},
        {u"LTrim", 1, 1, named<lTrim>},
        {u"Mid", 2, 3, named<mid>},
        {u"MidB", 2, 3, named<midB>},
        {u"Minute", 1, 1, named<minute>},
        {u"Month", 1, 1, named<month>},
        {u"MonthName", 1, 2, named<monthName>},
        {u"MsgBox", 1, 5, named<msgBox>},
        {u"Now", 0, 0, named<now>},
        {u"Oct", 1, 1, named<oct>},
        {u"Randomize", 0, 1, named<randomize>},
        {u"Replace", 3, 6, named<replace>},
        {u"RGB", 3, 3, named<rgb>},
        {u"Right", 2, 2, named<right>},
        {u"RightB", 2, 2, named<rightB>},
        {u"Rnd", 0, 1, named<rnd>},
        {u"Round", 1, 2, named<round>},
        {u"RTrim", 1, 1, named<rTrim>},
        {u"ScriptEngine", 0, 0, named<scriptEngine>},
        {u"ScriptEngineBuildVersion", 0, 0, named<scriptEngineBuildVersion>},
        {u"ScriptEngineMajorVersion", 0, 0, named<scriptEngineMajorVersion>},
        {u"ScriptEngineMinorVersion", 0, 0, named<scriptEngineMinorVersion>},
        {u"Second", 1, 1, named<second>},
        {u"SetLocale", 0, 1, named<setLocale>},
        {u"Sgn", 1, 1, named<sgn>},
        {u"Sin", 1, 1, named<sin>},
        {u"Space", 1, 1, named<space>},
        {u"Split", 1, 4, named<split>},
        {u"Sqr", 1, 1, named<sqr>},
        {u"StrComp", 2, 3, named<strComp>},
        {u"String", 2, 2, named<string>},
        {u"StrReverse", 1, 1, named<strReverse>},
        {u"Tan", 1, 1, named<tan>},
        {u"Time", 0, 0, named<time>},
        {u"Timer", 0, 0, named<timer>},
        {u"TimeSerial", 3, 3, named<timeSerial>},
        {u"TimeValue", 1, 1, named<timeValue>},
        {u"Trim", 1, 1, named<trim>},
        {u"TypeName", 1, 1, named<typeName>},
        {u"UBound", 1, 2, named<uBound>},
        {u"UCase", 1, 1, named<uCase>},
        {u"Unescape", 1, 1, named<unescape>},
        {u"VarType", 1, 1, named<varType>},
        {u"Weekday", 1, 2, named<weekday>},
        {u"WeekdayName", 1, 3, named<weekdayName>},
        {u"Year", 1, 1, named<year>},
    };
    sortByName(table);
    return table;
}

const std::vector<BuiltinFunction>& functionTable()
{
    static const std::vector<BuiltinFunction> table = makeFunctionTable();
    return table;
}

Variant integer(int v)
{
    return Variant::fromInteger(int16_t(v));
}

Variant longValue(int32_t v)
{
    return Variant::fromLong(v);
}

Variant text(std::u16string_view v)
{
    return Variant::fromString(v);
}

std::vector<BuiltinConstant> makeConstantTable()
{
    std::vector<BuiltinConstant> table = {
        // Strings
        {u"vbCr", text(u"\r")},
        {u"vbCrLf", text(u"\r\n")},
        {u"vbFormFeed", text(u"\f")},
        {u"vbLf", text(u"\n")},
        {u"vbNewLine", text(u"\r\n")},
        {u"vbNullChar", text(std::u16string_view(u"\0", 1))},
        {u"vbNullString", text(u"")},
        {u"vbTab", text(u"\t")},
        {u"vbVerticalTab", text(u"\v")},
        {u"vbBack", text(u"\b")},
        // Errors
        {u"vbObjectError", longValue(int32_t(0x80040000))},
        // Colours
        {u"vbBlack", longValue(0x000000)},
        {u"vbRed", longValue(0x0000FF)},
        {u"vbGreen", longValue(0x00FF00)},
        {u"vbYellow", longValue(0x00FFFF)},
        {u"vbBlue", longValue(0xFF0000)},
        {u"vbMagenta", longValue(0xFF00FF)},
        {u"vbCyan", longValue(0xFFFF00)},
        {u"vbWhite", longValue(0xFFFFFF)},
        // Comparison
        {u"vbBinaryCompare", integer(0)},
        {u"vbTextCompare", integer(1)},
        // Days of the week and first week of the year
        {u"vbSunday", integer(1)},
        {u"vbMonday", integer(2)},
        {u"vbTuesday", integer(3)},
        {u"vbWednesday", integer(4)},
        {u"vbThursday", integer(5)},
        {u"vbFriday", integer(6)},
        {u"vbSaturday", integer(7)},
        {u"vbUseSystemDayOfWeek", integer(0)},
        {u"vbUseSystem", integer(0)},
        {u"vbFirstJan1", integer(1)},
        {u"vbFirstFourDays", integer(2)},
        {u"vbFirstFullWeek", integer(3)},
        // Date formats
        {u"vbGeneralDate", integer(0)},
        {u"vbLongDate", integer(1)},
        {u"vbShortDate", integer(2)},
        {u"vbLongTime", integer(3)},
        {u"vbShortTime", integer(4)},
        // Tristate
        {u"vbUseDefault", integer(-2)},
        {u"vbTrue", integer(-1)},
        {u"vbFalse", integer(0)},
        // MsgBox buttons, icons, defaults, modality and results
        {u"vbOKOnly", integer(0)},
        {u"vbOKCancel", integer(1)},
        {u"vbAbortRetryIgnore", integer(2)},
        {u"vbYesNoCancel", integer(3)},
        {u"vbYesNo", integer(4)},
        {u"vbRetryCancel", integer(5)},
        {u"vbCritical", integer(16)},
        {u"vbQuestion", integer(32)},
        {u"vbExclamation", integer(48)},
        {u"vbInformation", integer(64)},
        {u"vbDefaultButton1", integer(0)},
        {u"vbDefaultButton2", integer(256)},
        {u"vbDefaultButton3", integer(512)},
        {u"vbDefaultButton4", integer(768)},
        {u"vbApplicationModal", integer(0)},
        {u"vbSystemModal", integer(4096)},
        {u"vbMsgBoxHelpButton", integer(16384)},
        {u"vbMsgBoxSetForeground", longValue(65536)},
        {u"vbMsgBoxRight", longValue(524288)},
        {u"vbMsgBoxRtlReading", longValue(1048576)},
        {u"vbOK", integer(1)},
        {u"vbCancel", integer(2)},
        {u"vbAbort", integer(3)},
        {u"vbRetry", integer(4)},
        {u"vbIgnore", integer(5)},
        {u"vbYes", integer(6)},
        {u"vbNo", integer(7)},
        // VarType
        {u"vbEmpty", integer(0)},
        {u"vbNull", integer(1)},
        {u"vbInteger", integer(2)},
        {u"vbLong", integer(3)},
        {u"vbSingle", integer(4)},
        {u"vbDouble", integer(5)},
        {u"vbCurrency", integer(6)},
        {u"vbDate", integer(7)},
        {u"vbString", integer(8)},
        {u"vbObject", integer(9)},
        {u"vbError", integer(10)},
        {u"vbBoolean", integer(11)},
        {u"vbVariant", integer(12)},
        {u"vbDataObject", integer(13)},
        {u"vbDecimal", integer(14)},
        {u"vbByte", integer(17)},
        {u"vbArray", integer(8192)},
    };
    sortByName(table);
    return table;
}

const std::vector<BuiltinConstant>& constantTable()
{
    static const std::vector<BuiltinConstant> table = makeConstantTable();
    return table;
}

} // namespace

std::span<const BuiltinFunction> builtinFunctions()
{
    return functionTable();
}

const BuiltinFunction* findBuiltinFunction(std::u16string_view name)
{
    return findByName(functionTable(), name);
}

std::span<const BuiltinConstant> builtinConstants()
{
    return constantTable();
}

const BuiltinConstant* findBuiltinConstant(std::u16string_view name)
{
    return findByName(constantTable(), name);
}

} // namespace quillo::vbscript

#include "scripting/vbscript/library/RegExpObject.h"

namespace quillo::vbscript {

Variant createBuiltinObject(BuiltinContext&, std::u16string_view className)
{
    if (quillo::script::equalsIgnoreCase(className, u"RegExp"))
        return Variant::fromObject(library::createRegExpObject());
    return Variant();
}

} // namespace quillo::vbscript
