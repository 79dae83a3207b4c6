// Variant storage: types, sharing, references.
#include "scripting/core/Convert.h"
#include "scripting/core/SafeArray.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace quillo::script;

namespace {

struct TypeCase {
    Variant value;
    VarType type;
};

class VariantTypes : public testing::TestWithParam<TypeCase> {};

TEST_P(VariantTypes, ReportVarTypeNumbers)
{
    EXPECT_EQ(GetParam().value.type(), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(All, VariantTypes, testing::Values(
    TypeCase{Variant(), VarType::Empty},
    TypeCase{Variant::null(), VarType::Null},
    TypeCase{Variant::fromInteger(1), VarType::Integer},
    TypeCase{Variant::fromLong(1), VarType::Long},
    TypeCase{Variant::fromSingle(1), VarType::Single},
    TypeCase{Variant::fromDouble(1), VarType::Double},
    TypeCase{Variant::fromCurrency(1), VarType::Currency},
    TypeCase{Variant::fromDate(1), VarType::Date},
    TypeCase{Variant::fromString(u"s"), VarType::String},
    TypeCase{Variant::nothing(), VarType::Object},
    TypeCase{Variant::missing(), VarType::Error},
    TypeCase{Variant::fromBool(true), VarType::Boolean},
    TypeCase{Variant::fromByte(1), VarType::Byte},
    TypeCase{Variant::fromArray(SafeArray::fromVector({}).get()), VarType::VariantArray}));

TEST(VariantStrings, CopiesShareUntilWritten)
{
    Variant a = Variant::fromString(u"abc");
    ASSERT_NE(a.uniqueString(), nullptr);
    a.uniqueString()->append(u"d");
    Variant b = a;
    EXPECT_EQ(a.uniqueString(), nullptr); // shared now: no appending in place
    EXPECT_EQ(&a.asString(), &b.asString());
    b = Variant::fromLong(1);
    ASSERT_NE(a.uniqueString(), nullptr);
    EXPECT_EQ(a.asString(), u"abcd");
    Variant moved = std::move(a);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(moved.asString(), u"abcd");
}

TEST(VariantReferences, DerefFollowsChains)
{
    Variant target = Variant::fromInteger(4);
    Variant r1 = Variant::byRef(&target);
    Variant r2 = Variant::byRef(&r1);
    EXPECT_TRUE(r2.isByRef());
    EXPECT_EQ(r2.valueType(), VarType::Integer);
    r2.deref() = Variant::fromString(u"x");
    EXPECT_EQ(target.asString(), u"x");
    EXPECT_TRUE(Variant::missing().isMissing());
    EXPECT_FALSE(Variant::fromError(5).isMissing());
}

TEST(VariantArrays, ShareTheArrayUntilCopied)
{
    Ref<SafeArray> a = SafeArray::fromVector({Variant::fromInteger(1)});
    Variant v = Variant::fromArray(a.get());
    Variant w = v;
    EXPECT_EQ(a->refCount(), 3u);
    w.clear();
    v.clear();
    EXPECT_EQ(a->refCount(), 1u);
}

} // namespace
