// Scripting.Dictionary through its Dispatch members: key identity, CompareMode,
// missing keys, renaming, order, arrays out, and its error numbers.
#include "ObjectTestSupport.h"

#include "scripting/core/SafeArray.h"
#include "scripting/objects/Dictionary.h"
#include "scripting/objects/ObjectFactory.h"

#include <cmath>

using namespace quillo::script;
using namespace quillo::script::testing;

namespace {

DispatchPtr newDictionary()
{
    return createObject(u"Scripting.Dictionary");
}

std::vector<std::u16string> texts(const Variant& array)
{
    std::vector<std::u16string> out;
    for (const Variant& v : array.deref().asArray()->elements())
        out.push_back(toText(v));
    return out;
}

class Probe : public Dispatch {
public:
    int32_t memberId(std::u16string_view) override { return DISPID_UNKNOWN; }
    Variant invoke(int32_t, InvokeKind, std::span<Variant>) override { return {}; }
    std::u16string typeName() override { return u"Probe"; }
};

struct KeyCase {
    const char* name;
    Variant added;
    Variant looked;
    bool same;
};

TEST(DictionaryKeys, TypeDecidesIdentity)
{
    const DispatchPtr a = DispatchPtr(new Probe());
    const DispatchPtr b = DispatchPtr(new Probe());
    const KeyCase cases[] = {
        {"Integer 1 / Long 1", Variant::fromInteger(1), Variant::fromLong(1), true},
        {"Integer 1 / Double 1.0", Variant::fromInteger(1), Variant::fromDouble(1.0), true},
        {"Byte 7 / Single 7", Variant::fromByte(7), Variant::fromSingle(7.0f), true},
        {"Currency 2.5 / Double 2.5", Variant::fromCurrency(25000), Variant::fromDouble(2.5), true},
        {"Double 0 / Double -0", Variant::fromDouble(0.0), Variant::fromDouble(-0.0), true},
        {"Double 1.5 / Double 1.25", Variant::fromDouble(1.5), Variant::fromDouble(1.25), false},
        {"Long 1 / String 1", Variant::fromLong(1), str(u"1"), false},
        {"Boolean True / Integer -1", Variant::fromBool(true), Variant::fromInteger(-1), false},
        {"Date 0 / Double 0", Variant::fromDate(0), Variant::fromDouble(0), false},
        {"Empty / String empty", Variant(), str(u""), false},
        {"Empty / Integer 0", Variant(), Variant::fromInteger(0), false},
        {"Null / Null", Variant::null(), Variant::null(), true},
        {"String binary case", str(u"Key"), str(u"key"), false},
        {"same object", Variant::fromObject(a), Variant::fromObject(a), true},
        {"other object", Variant::fromObject(a), Variant::fromObject(b), false},
        {"NaN / NaN", Variant::fromDouble(std::nan("")), Variant::fromDouble(std::nan("")), true},
        {"NaN / other NaN", Variant::fromDouble(std::nan("1")), Variant::fromDouble(-std::nan("2")), true},
    };
    for (const KeyCase& c : cases) {
        const DispatchPtr d = newDictionary();
        call(d, u"Add", {c.added, str(u"v")});
        EXPECT_EQ(toBoolean(call(d, u"Exists", {c.looked})), c.same) << c.name;
        // A by-reference key is the value it points to.
        Variant target = c.looked;
        EXPECT_EQ(toBoolean(call(d, u"Exists", {Variant::byRef(&target)})), c.same) << c.name;
        EXPECT_EQ(errorOf([&] { call(d, u"Add", {c.looked, str(u"w")}); }), c.same ? 457 : 0) << c.name;
    }
}

TEST(DictionaryKeys, KeysKeepTheirOriginalTypeAndOrder)
{
    const DispatchPtr d = newDictionary();
    call(d, u"Add", {Variant::fromInteger(3), str(u"three")});
    call(d, u"Add", {str(u"b"), str(u"bee")});
    call(d, u"Add", {Variant::fromDouble(1.5), str(u"x")});
    call(d, u"Add", {str(u"a"), str(u"ay")});
    const Variant keys = call(d, u"Keys");
    ASSERT_TRUE(keys.isArray());
    EXPECT_EQ(keys.asArray()->lbound(0), 0);
    EXPECT_EQ(keys.asArray()->ubound(0), 3);
    EXPECT_EQ(keys.asArray()->elements()[0].type(), VarType::Integer);
    EXPECT_EQ(texts(keys), (std::vector<std::u16string>{u"3", u"b", u"1.5", u"a"}));
    EXPECT_EQ(texts(call(d, u"Items")), (std::vector<std::u16string>{u"three", u"bee", u"x", u"ay"}));

    call(d, u"Remove", {str(u"b")});
    call(d, u"Add", {str(u"b"), str(u"again")});
    EXPECT_EQ(texts(call(d, u"Keys")), (std::vector<std::u16string>{u"3", u"1.5", u"a", u"b"}));
    // Enumeration yields the keys in the same order.
    std::vector<std::u16string> seen;
    for (const Variant& k : enumerateAll(d))
        seen.push_back(toText(k));
    EXPECT_EQ(seen, (std::vector<std::u16string>{u"3", u"1.5", u"a", u"b"}));
}

TEST(DictionaryKeys, ArraysAreNotKeysAndItemsAreCopies)
{
    const DispatchPtr d = newDictionary();
    Ref<SafeArray> arr = SafeArray::fromVector({Variant::fromLong(1), Variant::fromLong(2)});
    EXPECT_EQ(errorOf([&] { call(d, u"Add", {Variant::fromArray(arr.get()), str(u"v")}); }), 5);
    EXPECT_EQ(errorOf([&] { call(d, u"Exists", {Variant::fromArray(arr.get())}); }), 5);
    EXPECT_EQ(toLong(call(d, u"Count")), 0);

    call(d, u"Add", {str(u"arr"), Variant::fromArray(arr.get())});
    arr->elements()[0] = Variant::fromLong(99); // the stored copy does not change
    Variant got = call(d, u"Item", {str(u"arr")});
    EXPECT_EQ(toLong(got.asArray()->elements()[0]), 1);
    got.asArray()->elements()[1] = Variant::fromLong(42); // nor does the handed-out copy
    EXPECT_EQ(toLong(call(d, u"Item", {str(u"arr")}).asArray()->elements()[1]), 2);
}

TEST(DictionaryCompareMode, TextModeFoldsCase)
{
    const DispatchPtr d = newDictionary();
    EXPECT_EQ(toLong(call(d, u"CompareMode")), 0);
    put(d, u"CompareMode", {Variant::fromInteger(1)});
    EXPECT_EQ(toLong(call(d, u"CompareMode")), 1);
    call(d, u"Add", {str(u"Straße"), Variant::fromLong(1)});
    call(d, u"Add", {str(u"ÄRGER"), Variant::fromLong(2)});
    const struct {
        const char16_t* key;
        bool found;
    } lookups[] = {{u"straße", true}, {u"STRASSE", false}, {u"ärger", true}, {u"Ärger", true}, {u"arger", false}};
    for (const auto& l : lookups)
        EXPECT_EQ(toBoolean(call(d, u"Exists", {str(l.key)})), l.found) << toUtf8(l.key);
    EXPECT_EQ(errorOf([&] { call(d, u"Add", {str(u"STRAßE"), Variant()}); }), 457);
    // Assigning through another letter case keeps the first spelling of the key.
    put(d, u"Item", {str(u"ärger"), Variant::fromLong(3)});
    EXPECT_EQ(texts(call(d, u"Keys")), (std::vector<std::u16string>{u"Straße", u"ÄRGER"}));
    EXPECT_EQ(toLong(call(d, u"Item", {str(u"ÄrGeR")})), 3);
}

TEST(DictionaryCompareMode, OnlyWhileEmpty)
{
    const DispatchPtr d = newDictionary();
    EXPECT_EQ(errorOf([&] { put(d, u"CompareMode", {Variant::fromInteger(-1)}); }), 5);
    call(d, u"Add", {str(u"k"), Variant()});
    EXPECT_EQ(errorOf([&] { put(d, u"CompareMode", {Variant::fromInteger(1)}); }), 5);
    EXPECT_EQ(errorOf([&] { put(d, u"CompareMode", {Variant::fromInteger(0)}); }), 5);
    call(d, u"Remove", {str(u"k")});
    EXPECT_EQ(errorOf([&] { put(d, u"CompareMode", {Variant::fromInteger(1)}); }), 0);
    call(d, u"Add", {str(u"K"), Variant()});
    call(d, u"RemoveAll");
    EXPECT_EQ(errorOf([&] { put(d, u"CompareMode", {Variant::fromInteger(0)}); }), 0);
    call(d, u"Add", {str(u"K"), Variant()});
    EXPECT_FALSE(toBoolean(call(d, u"Exists", {str(u"k")})));
}

TEST(DictionaryItems, MissingKeysAndAssignment)
{
    const DispatchPtr d = newDictionary();
    // Reading a missing key adds it with Empty, through Item and the default member.
    EXPECT_TRUE(call(d, u"Item", {str(u"a")}).isEmpty());
    std::vector<Variant> byDefault{str(u"b")};
    EXPECT_TRUE(d->invoke(DISPID_VALUE, InvokeKind::PropertyGet, byDefault).isEmpty());
    EXPECT_EQ(toLong(call(d, u"Count")), 2);
    EXPECT_TRUE(toBoolean(call(d, u"Exists", {str(u"b")})));
    // Exists does not add.
    EXPECT_FALSE(toBoolean(call(d, u"Exists", {str(u"c")})));
    EXPECT_EQ(toLong(call(d, u"Count")), 2);
    // Assignment adds or replaces.
    put(d, u"Item", {str(u"a"), Variant::fromLong(5)});
    std::vector<Variant> assign{str(u"c"), str(u"new")};
    d->invoke(DISPID_VALUE, InvokeKind::PropertyPut, assign);
    EXPECT_EQ(toLong(call(d, u"Item", {str(u"a")})), 5);
    EXPECT_EQ(toText(call(d, u"Item", {str(u"c")})), u"new");
    EXPECT_EQ(toLong(call(d, u"Count")), 3);
    EXPECT_EQ(errorOf([&] { call(d, u"Item", {}); }), 450);
}

TEST(DictionaryItems, RenameThroughKey)
{
    const DispatchPtr d = newDictionary();
    call(d, u"Add", {str(u"a"), Variant::fromLong(1)});
    call(d, u"Add", {str(u"b"), Variant::fromLong(2)});
    call(d, u"Add", {str(u"c"), Variant::fromLong(3)});
    put(d, u"Key", {str(u"b"), Variant::fromInteger(20)});
    EXPECT_FALSE(toBoolean(call(d, u"Exists", {str(u"b")})));
    EXPECT_EQ(toLong(call(d, u"Item", {Variant::fromDouble(20)})), 2);
    EXPECT_EQ(texts(call(d, u"Keys")), (std::vector<std::u16string>{u"a", u"20", u"c"})); // place kept
    EXPECT_EQ(errorOf([&] { put(d, u"Key", {str(u"zz"), str(u"y")}); }), 32811);
    EXPECT_EQ(errorOf([&] { put(d, u"Key", {str(u"a"), str(u"c")}); }), 457);
    EXPECT_EQ(errorOf([&] { call(d, u"Key", {str(u"a")}); }), 450); // Key cannot be read
    EXPECT_EQ(toLong(call(d, u"Count")), 3);
}

TEST(DictionaryItems, RemoveAndErrors)
{
    const DispatchPtr d = newDictionary();
    EXPECT_EQ(errorOf([&] { call(d, u"Remove", {str(u"none")}); }), 32811);
    call(d, u"Add", {str(u"x"), Variant()});
    EXPECT_EQ(errorOf([&] { call(d, u"Add", {str(u"x"), Variant()}); }), 457);
    EXPECT_EQ(errorOf([&] { call(d, u"Add", {str(u"y")}); }), 450);
    EXPECT_EQ(errorOf([&] { call(d, u"Nope"); }), 438);
    call(d, u"Remove", {str(u"x")});
    EXPECT_EQ(errorOf([&] { call(d, u"Remove", {str(u"x")}); }), 32811);
    const Variant empty = call(d, u"Keys");
    EXPECT_EQ(empty.asArray()->ubound(0), -1);
    EXPECT_TRUE(enumerateAll(d).empty());
    EXPECT_EQ(d->typeName(), u"Dictionary");
}

// Many removals squeeze the storage; every survivor must still be found, in order.
TEST(DictionaryItems, SurvivesHeavyChurn)
{
    objects::Dictionary d;
    for (int32_t i = 0; i < 5000; ++i)
        d.add(Variant::fromLong(i), Variant::fromLong(i * 2));
    for (int32_t i = 0; i < 5000; ++i)
        if (i % 3 != 0)
            d.remove(Variant::fromDouble(i));
    ASSERT_EQ(d.count(), 1667);
    const std::vector<Variant> keys = d.keys();
    for (size_t k = 0; k < keys.size(); ++k) {
        ASSERT_EQ(toLong(keys[k]), int32_t(k) * 3);
        ASSERT_EQ(toLong(d.item(keys[k])), int32_t(k) * 6);
    }
    EXPECT_FALSE(d.exists(Variant::fromLong(1)));
    EXPECT_EQ(d.count(), 1667);
}

TEST(ObjectFactory, ProgIdsInAnyCase)
{
    for (const char16_t* id : {u"Scripting.Dictionary", u"scripting.dictionary", u"SCRIPTING.DICTIONARY"})
        EXPECT_EQ(createObject(id)->typeName(), u"Dictionary") << toUtf8(id);
    EXPECT_EQ(createObject(u"scripting.filesystemobject")->typeName(), u"FileSystemObject");
    for (const char16_t* id : {u"", u"Scripting", u"Scripting.Dictionary.1", u"Spreadsheet.Application", u"Host.Shell"})
        EXPECT_FALSE(createObject(id)) << toUtf8(id);
    EXPECT_EQ(errorOf([] { getObject(u"Scripting.Dictionary"); }), 429);
    EXPECT_EQ(errorOf([] { getObject(u""); }), 429);
}

} // namespace
