// Scripting.Dictionary at scale: 1,000,000 adds and 1,000,000 lookups, with number and
// with string keys, once through the C++ calls and once through Dispatch as the engines
// call it. Prints the seconds each takes.
#include "scripting/core/Dispatch.h"
#include "scripting/core/Text.h"
#include "scripting/core/Variant.h"
#include "scripting/objects/Dictionary.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace quillo::script;

namespace {

constexpr int32_t kCount = 1000000;

template <class Fn>
double seconds(Fn&& fn)
{
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<Variant> makeKeys(bool strings)
{
    std::vector<Variant> keys;
    keys.reserve(kCount);
    for (int32_t i = 0; i < kCount; ++i)
        keys.push_back(strings ? Variant::fromString(fromAscii("key" + std::to_string(i))) : Variant::fromLong(i));
    return keys;
}

void runNative(const char* label, const std::vector<Variant>& keys)
{
    objects::Dictionary d;
    const double add = seconds([&] {
        for (const Variant& k : keys)
            d.add(k, k);
    });
    int64_t found = 0;
    const double look = seconds([&] {
        for (const Variant& k : keys)
            found += d.exists(k) ? 1 : 0;
    });
    std::printf("%-28s add %.3f s  lookup %.3f s  total %.3f s  (%lld found)\n", label, add, look, add + look,
                static_cast<long long>(found));
}

void runDispatch(const char* label, const std::vector<Variant>& keys)
{
    DispatchPtr d(new objects::Dictionary());
    const int32_t addId = d->memberId(u"Add");
    const int32_t itemId = d->memberId(u"Item");
    const double add = seconds([&] {
        for (const Variant& k : keys) {
            Variant args[2] = {k, k};
            d->invoke(addId, InvokeKind::Method, args);
        }
    });
    int64_t found = 0;
    const double look = seconds([&] {
        for (const Variant& k : keys) {
            Variant args[1] = {k};
            found += d->invoke(itemId, InvokeKind::PropertyGet, args).isEmpty() ? 0 : 1;
        }
    });
    std::printf("%-28s add %.3f s  lookup %.3f s  total %.3f s  (%lld found)\n", label, add, look, add + look,
                static_cast<long long>(found));
}

} // namespace

int main()
{
    const std::vector<Variant> numbers = makeKeys(false);
    const std::vector<Variant> strings = makeKeys(true);
    runNative("native, Long keys", numbers);
    runNative("native, String keys", strings);
    runDispatch("Dispatch, Long keys", numbers);
    runDispatch("Dispatch, String keys", strings);
    return 0;
}
