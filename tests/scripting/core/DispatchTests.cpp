// Member lookup and invocation through DispatchObject.
#include "scripting/core/Convert.h"
#include "scripting/core/DispatchObject.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillo::script;

namespace {

// A small host object: a counter with a read/write property, a method that
// writes its by-reference argument, an indexed property and a default member.
class Counter : public DispatchObject {
public:
    Counter() : DispatchObject(u"Counter")
    {
        addProperty(
            u"Value", [this](std::span<Variant>) { return Variant::fromLong(value); },
            [this](std::span<Variant>, const Variant& v) { value = toLong(v); });
        addMethod(u"Increment", 0, 1, [this](std::span<Variant> args) {
            value += args.empty() ? 1 : toLong(args[0]);
            return Variant::fromLong(value);
        });
        addMethod(u"Swap", 2, 2, [](std::span<Variant> args) {
            Variant a = args[0].deref();
            args[0].deref() = args[1].deref();
            args[1].deref() = a;
            return Variant();
        });
        addProperty(u"Item", [this](std::span<Variant> args) {
            requireArgs(args, 1, 1);
            return Variant::fromLong(value * toLong(args[0]));
        });
        setDefaultMember(u"Value");
    }
    int32_t value = 0;
};

TEST(DispatchLookup, AnyLetterCase)
{
    Ref<Counter> c = makeRef<Counter>();
    const int32_t id = c->memberId(u"Increment");
    ASSERT_GT(id, 0);
    for (const char16_t* name : {u"increment", u"INCREMENT", u"iNcReMeNt"})
        EXPECT_EQ(c->memberId(name), id) << toUtf8(name);
    EXPECT_EQ(c->memberId(u"Incremen"), DISPID_UNKNOWN);
    EXPECT_EQ(c->memberId(u""), DISPID_UNKNOWN);
    EXPECT_EQ(c->memberName(id), u"Increment");
    EXPECT_EQ(c->typeName(), u"Counter");
}

TEST(DispatchInvoke, MethodsAndProperties)
{
    Ref<Counter> c = makeRef<Counter>();
    Variant args[] = {Variant::fromInteger(5)};
    EXPECT_EQ(toLong(c->invoke(c->memberId(u"increment"), InvokeKind::Method, args)), 5);
    EXPECT_EQ(toLong(c->invoke(c->memberId(u"increment"), InvokeKind::MethodOrGet, {})), 6);

    Variant put[] = {Variant::fromString(u"41")};
    c->invoke(c->memberId(u"VALUE"), InvokeKind::PropertyPut, put);
    EXPECT_EQ(c->value, 41);
    EXPECT_EQ(toLong(c->invoke(c->memberId(u"value"), InvokeKind::PropertyGet, {})), 41);

    Variant index[] = {Variant::fromInteger(2)};
    EXPECT_EQ(toLong(c->invoke(c->memberId(u"item"), InvokeKind::PropertyGet, index)), 82);
}

TEST(DispatchInvoke, DefaultMemberGivesTheValue)
{
    Ref<Counter> c = makeRef<Counter>();
    c->value = 7;
    const Variant obj = Variant::fromObject(c);
    EXPECT_EQ(toText(obj), u"7");
    EXPECT_EQ(toDouble(obj), 7);
    EXPECT_TRUE(isNumeric(obj));
}

TEST(DispatchInvoke, ByReferenceArgumentsAreWrittenThrough)
{
    Ref<Counter> c = makeRef<Counter>();
    Variant a = Variant::fromString(u"left");
    Variant b = Variant::fromLong(2);
    Variant args[] = {Variant::byRef(&a), Variant::byRef(&b)};
    c->invoke(c->memberId(u"swap"), InvokeKind::Method, args);
    EXPECT_EQ(a.type(), VarType::Long);
    EXPECT_EQ(a.asLong(), 2);
    EXPECT_EQ(toText(b), u"left");

    // By value: the caller's variables stay as they were.
    Variant byValue[] = {a, b};
    c->invoke(c->memberId(u"swap"), InvokeKind::Method, byValue);
    EXPECT_EQ(a.asLong(), 2);
}

struct ErrorCase {
    const char16_t* member;
    InvokeKind kind;
    int args;
    int32_t error;
};

class DispatchErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(DispatchErrors, RaiseTheRuntimeNumbers)
{
    Ref<Counter> c = makeRef<Counter>();
    const ErrorCase& e = GetParam();
    std::vector<Variant> args(size_t(e.args), Variant::fromInteger(1));
    const int32_t id = e.member ? c->memberId(e.member) : 999;
    EXPECT_EQ(errorOf([&] { c->invoke(id, e.kind, args); }), e.error);
}

INSTANTIATE_TEST_SUITE_P(Cases, DispatchErrors, testing::Values(
    ErrorCase{nullptr, InvokeKind::Method, 0, 438},            // unknown id
    ErrorCase{u"Increment", InvokeKind::Method, 2, 450},       // too many arguments
    ErrorCase{u"Swap", InvokeKind::Method, 1, 450},            // too few
    ErrorCase{u"Item", InvokeKind::PropertyGet, 0, 450},       // index missing
    ErrorCase{u"Item", InvokeKind::PropertyPut, 2, 450},       // read-only
    ErrorCase{u"Increment", InvokeKind::PropertyPut, 1, 450}));

TEST(DispatchRefCounting, ReleasedWithTheLastReference)
{
    struct Probe : DispatchObject {
        explicit Probe(bool& gone) : DispatchObject(u"Probe"), gone_(gone) {}
        ~Probe() override { gone_ = true; }
        bool& gone_;
    };
    bool gone = false;
    {
        Variant v = Variant::fromObject(makeRef<Probe>(gone));
        Variant copy = v;
        v.clear();
        EXPECT_FALSE(gone);
        EXPECT_EQ(copy.asObject()->refCount(), 1u);
    }
    EXPECT_TRUE(gone);
}

TEST(DispatchEnumerate, VectorEnumerator)
{
    Ref<DispatchObject> list = makeRef<DispatchObject>(u"List");
    EXPECT_FALSE(list->enumerate());
    list->setEnumerator([] {
        return Ref<Enumerator>(new VectorEnumerator({Variant::fromInteger(1), Variant::fromInteger(2)}));
    });
    Ref<Enumerator> e = list->enumerate();
    ASSERT_TRUE(e);
    Variant item;
    int sum = 0;
    while (e->next(item))
        sum += toLong(item);
    EXPECT_EQ(sum, 3);
    e->reset();
    EXPECT_TRUE(e->next(item));
    EXPECT_EQ(toLong(item), 1);
}

} // namespace
