// Array bounds, element access and resizing.
#include "scripting/core/SafeArray.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quillo::script;

namespace {

TEST(SafeArrayAccess, BoundsAndColumnMajorLayout)
{
    const ArrayBound b[] = {{0, 2}, {1, 3}};
    Ref<SafeArray> a = SafeArray::create(b);
    EXPECT_EQ(a->dims(), 2);
    EXPECT_EQ(a->size(), 9u);
    EXPECT_EQ(a->lbound(1), 1);
    EXPECT_EQ(a->ubound(0), 2);
    const int32_t i[] = {2, 1};
    a->at(i) = Variant::fromInteger(7);
    EXPECT_EQ(a->element(2).asInteger(), 7); // the first index varies fastest
    const int32_t j[] = {0, 3};
    a->at(j) = Variant::fromInteger(8);
    EXPECT_EQ(a->element(6).asInteger(), 8);
}

struct BadIndex {
    std::vector<int32_t> indices;
};

class SafeArrayOutOfRange : public testing::TestWithParam<BadIndex> {};

TEST_P(SafeArrayOutOfRange, IsSubscriptError)
{
    const ArrayBound b[] = {{0, 2}, {1, 3}};
    Ref<SafeArray> a = SafeArray::create(b);
    EXPECT_EQ(errorOf([&] { a->at(GetParam().indices); }), 9);
}

INSTANTIATE_TEST_SUITE_P(Cases, SafeArrayOutOfRange, testing::Values(
    BadIndex{{3, 1}}, BadIndex{{-1, 1}}, BadIndex{{0, 0}}, BadIndex{{0, 4}}, BadIndex{{0}},
    BadIndex{{0, 1, 0}}, BadIndex{{}}));

TEST(SafeArrayResize, PreserveKeepsValuesOnTheLastDimension)
{
    const ArrayBound b[] = {{0, 1}, {0, 1}};
    Ref<SafeArray> a = SafeArray::create(b);
    for (int x = 0; x <= 1; ++x)
        for (int y = 0; y <= 1; ++y) {
            const int32_t i[] = {x, y};
            a->at(i) = Variant::fromInteger(int16_t(x * 10 + y));
        }
    const ArrayBound bigger[] = {{0, 1}, {0, 4}};
    a->redimPreserve(bigger);
    const int32_t keep[] = {1, 1};
    EXPECT_EQ(a->at(keep).asInteger(), 11);
    const int32_t fresh[] = {1, 4};
    EXPECT_TRUE(a->at(fresh).isEmpty());

    const ArrayBound smaller[] = {{0, 1}, {0, 0}};
    a->redimPreserve(smaller);
    EXPECT_EQ(a->size(), 2u);
    const ArrayBound firstChanged[] = {{0, 2}, {0, 0}};
    EXPECT_EQ(errorOf([&] { a->redimPreserve(firstChanged); }), 9);
    const ArrayBound fewerDims[] = {{0, 1}};
    EXPECT_EQ(errorOf([&] { a->redimPreserve(fewerDims); }), 9);
}

TEST(SafeArrayResize, FixedAndLockedArraysRefuse)
{
    const ArrayBound b[] = {{0, 2}};
    Ref<SafeArray> fixed = SafeArray::create(b, true);
    EXPECT_EQ(errorOf([&] { fixed->redim(b); }), 10);
    EXPECT_EQ(errorOf([&] { fixed->redimPreserve(b); }), 10);
    fixed->at1(1) = Variant::fromInteger(3);
    fixed->erase(); // a fixed array keeps its size, its elements are emptied
    EXPECT_EQ(fixed->size(), 3u);
    EXPECT_TRUE(fixed->at1(1).isEmpty());

    Ref<SafeArray> dynamic = SafeArray::create(b);
    {
        ArrayLock lock(dynamic.get());
        EXPECT_EQ(errorOf([&] { dynamic->redim(b); }), 10);
        EXPECT_EQ(errorOf([&] { dynamic->erase(); }), 10);
    }
    EXPECT_EQ(errorOf([&] { dynamic->redim(b); }), 0);
    dynamic->erase();
    EXPECT_EQ(dynamic->dims(), 0);
    EXPECT_EQ(errorOf([&] { dynamic->ubound(0); }), 9);
}

TEST(SafeArrayShape, EmptyAndTooLarge)
{
    Ref<SafeArray> empty = SafeArray::fromVector({});
    EXPECT_EQ(empty->dims(), 1);
    EXPECT_EQ(empty->ubound(0), -1);
    EXPECT_EQ(empty->size(), 0u);
    std::vector<ArrayBound> many(61, ArrayBound{0, 0});
    EXPECT_EQ(errorOf([&] { SafeArray::create(many); }), 9);
    std::vector<ArrayBound> sixty(60, ArrayBound{0, 0});
    EXPECT_EQ(SafeArray::create(sixty)->size(), 1u);
    const ArrayBound huge[] = {{0, 2000000000}, {0, 2000000000}};
    EXPECT_EQ(errorOf([&] { SafeArray::create(huge); }), 7);
    const ArrayBound negative[] = {{0, -5}};
    EXPECT_EQ(errorOf([&] { SafeArray::create(negative); }), 9);
}

TEST(SafeArrayCopy, IsDeepAndDynamic)
{
    Ref<SafeArray> inner = SafeArray::fromVector({Variant::fromInteger(1)});
    const ArrayBound b[] = {{0, 1}};
    Ref<SafeArray> outer = SafeArray::create(b, true);
    outer->at1(0) = Variant::fromArray(inner.get());
    outer->at1(1) = Variant::fromString(u"s");
    Ref<SafeArray> copy = outer->copy();
    EXPECT_FALSE(copy->isFixed());
    inner->at1(0) = Variant::fromInteger(2);
    EXPECT_EQ(copy->at1(0).asArray()->at1(0).asInteger(), 1);
    EXPECT_EQ(copy->at1(1).asString(), u"s");
}

// Counts its own destruction, to see that a nested structure is freed to the bottom.
class Sentinel : public Dispatch {
public:
    explicit Sentinel(int& deleted) : deleted_(deleted) {}
    ~Sentinel() override { ++deleted_; }
    int32_t memberId(std::u16string_view) override { return -1; }
    Variant invoke(int32_t, InvokeKind, std::span<Variant>) override { return {}; }
    std::u16string typeName() override { return u"Sentinel"; }

private:
    int& deleted_;
};

// Array(Array(...Array(sentinel)...)), `depth` arrays deep.
Variant nestedArrays(int depth, int& deleted)
{
    Variant v = Variant::fromObject(DispatchPtr(new Sentinel(deleted)));
    for (int i = 0; i < depth; ++i) {
        std::vector<Variant> one;
        one.push_back(std::move(v));
        v = Variant::fromArray(SafeArray::fromVector(std::move(one)).get());
    }
    return v;
}

int depthOf(const Variant& v)
{
    int depth = 0;
    for (const Variant* p = &v; p->isArray(); p = &p->asArray()->elements()[0])
        ++depth;
    return depth;
}

// A million levels would overflow the native stack if release or copy recursed per level.
TEST(SafeArrayNesting, DeepReleaseAndCopyStayOffTheStack)
{
    constexpr int kDepth = 1'000'000;
    int deleted = 0;
    Variant original = nestedArrays(kDepth, deleted);
    Variant copy = Variant::fromArray(original.asArray()->copy().get());
    EXPECT_EQ(depthOf(copy), kDepth);
    EXPECT_NE(copy.asArray(), original.asArray());
    original.clear();
    EXPECT_EQ(deleted, 0); // the copy still holds the sentinel object
    EXPECT_EQ(depthOf(copy), kDepth);
    copy.clear();
    EXPECT_EQ(deleted, 1);
}

} // namespace
