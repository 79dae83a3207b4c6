#pragma once
// Calls built-in functions through the table the compiler uses, and shows results as
// "TypeName:text" so that tables can state type and value in one string.

#include "scripting/vbscript/library/Builtins.h"

#include "scripting/core/Convert.h"
#include "scripting/core/DateTime.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"
#include "scripting/core/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillo::vbscript::test {

using quillo::script::ScriptError;
using quillo::script::Variant;

inline Variant S(std::u16string_view s) { return Variant::fromString(s); }
inline Variant I(int v) { return Variant::fromInteger(int16_t(v)); }
inline Variant L(int32_t v) { return Variant::fromLong(v); }
inline Variant D(double v) { return Variant::fromDouble(v); }
inline Variant B(bool v) { return Variant::fromBool(v); }
inline Variant Null() { return Variant::null(); }
inline Variant Missing() { return Variant::missing(); }
inline Variant Dt(int y, int m, int d, int h = 0, int n = 0, int s = 0)
{
    return Variant::fromDate(quillo::script::combineDateTime(
        quillo::script::dayNumber(y, m, d), (h * 3600 + n * 60 + s) / 86400.0));
}
inline Variant Arr(std::vector<Variant> items)
{
    return Variant::fromArray(quillo::script::SafeArray::fromVector(std::move(items)).get());
}

inline std::string utf8(std::u16string_view s) { return quillo::script::toUtf8(s); }

// "Long:3", "String:abc", "Null", "Empty", "Variant():a|b|c".
inline std::string show(const Variant& v)
{
    const Variant& value = v.deref();
    switch (value.type()) {
    case quillo::script::VarType::Null: return "Null";
    case quillo::script::VarType::Empty: return "Empty";
    case quillo::script::VarType::VariantArray: {
        std::string text = "Variant():";
        const auto& items = value.asArray()->elements();
        for (size_t i = 0; i < items.size(); ++i) {
            if (i > 0)
                text.push_back('|');
            text.append(utf8(quillo::script::toTextOrEmpty(items[i])));
        }
        return text;
    }
    default: break;
    }
    static const char* const kNames[] = {"Empty", "Null", "Integer", "Long", "Single", "Double",
                                         "Currency", "Date", "String", "Object", "Error",
                                         "Boolean"};
    const int type = int(value.type());
    const std::string name = type <= 11 ? kNames[type] : type == 17 ? "Byte" : "?";
    if (value.isObject())
        return "Object";
    std::string text = name;
    text.push_back(':');
    text.append(utf8(quillo::script::toText(value)));
    return text;
}

// One row of a table: a call and show() of what it returns.
struct CallCase {
    std::u16string_view name;
    std::vector<Variant> args;
    std::string expected;
};

class LibraryTest : public ::testing::Test {
protected:
    void check(const std::vector<CallCase>& cases)
    {
        for (const CallCase& c : cases) {
            SCOPED_TRACE(utf8(c.name) + " -> " + c.expected);
            try {
                EXPECT_EQ(show(call(c.name, c.args)), c.expected);
            } catch (const ScriptError& e) {
                ADD_FAILURE() << "raised " << e.number;
            }
        }
    }

    Variant call(std::u16string_view name, std::vector<Variant> args)
    {
        const BuiltinFunction* fn = findBuiltinFunction(name);
        if (!fn) {
            ADD_FAILURE() << "no built-in " << utf8(name);
            return {};
        }
        EXPECT_GE(args.size(), fn->minArgs) << utf8(name);
        if (fn->maxArgs != BuiltinFunction::kAnyCount) {
            EXPECT_LE(args.size(), fn->maxArgs) << utf8(name);
        }
        return fn->call(context, args);
    }

    // The error number a call raises; 0 when it returns.
    int32_t errorOf(std::u16string_view name, std::vector<Variant> args)
    {
        try {
            call(name, std::move(args));
        } catch (const ScriptError& e) {
            return e.number;
        }
        return 0;
    }

    BuiltinContext context;
};

} // namespace quillo::vbscript::test
