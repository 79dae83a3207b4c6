// Every built-in function against awkward arguments: each call returns or raises a script
// error; nothing else escapes (no std::out_of_range, no crash under the sanitizers).

#include "LibraryTestSupport.h"

#include "scripting/core/DispatchObject.h"

#include <exception>

namespace quillo::vbscript::test {
namespace {

class Defaulted : public quillo::script::DispatchObject {
public:
    Defaulted() : DispatchObject(u"Defaulted")
    {
        addProperty(u"Value", [](std::span<Variant>) { return S(u"12"); });
        setDefaultMember(u"Value");
    }
};

std::vector<Variant> awkwardValues()
{
    return {
        Variant(),
        Null(),
        Missing(),
        S(u""),
        S(u"abc"),
        S(u"1/2/2003"),
        I(-1),
        I(0),
        I(3),
        L(300),
        D(2.5),
        D(-1e300),
        Dt(2003, 1, 31, 12),
        B(true),
        Arr({S(u"a"), I(1)}),
        Variant::nothing(),
        Variant::fromObject(quillo::script::makeRef<Defaulted>()),
    };
}

TEST(LibraryRobustness, EveryFunctionWithAwkwardArguments)
{
    const std::vector<Variant> values = awkwardValues();
    BuiltinContext context;
    for (const BuiltinFunction& fn : builtinFunctions()) {
        const size_t maxCount = std::min<size_t>(fn.maxArgs, 3);
        for (size_t count = fn.minArgs; count <= std::max<size_t>(fn.minArgs, maxCount); ++count) {
            size_t combinations = 1;
            for (size_t i = 0; i < count; ++i)
                combinations *= values.size();
            for (size_t n = 0; n < combinations; ++n) {
                std::vector<Variant> args;
                for (size_t i = 0, rest = n; i < count; ++i, rest /= values.size())
                    args.push_back(values[rest % values.size()]);
                try {
                    fn.call(context, args);
                } catch (const ScriptError&) {
                } catch (const std::exception& e) {
                    ADD_FAILURE() << utf8(fn.name) << " #" << n << ": " << e.what();
                }
            }
        }
    }
}

} // namespace
} // namespace quillo::vbscript::test
