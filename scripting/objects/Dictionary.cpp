#include "scripting/objects/Dictionary.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/SafeArray.h"
#include "scripting/core/ScriptError.h"

namespace quillo::script::objects {

namespace {

// Arrays are values: the dictionary keeps its own copy, and hands out copies, so a
// script changing its array afterwards does not change the stored item.
Variant copyValue(const Variant& v)
{
    const Variant& value = v.deref();
    if (value.isArray() && value.asArray())
        return Variant::fromArray(value.asArray()->copy().get());
    return value;
}

Variant arrayOf(std::vector<Variant> values)
{
    return Variant::fromArray(SafeArray::fromVector(std::move(values)).get());
}

} // namespace

Dictionary::Dictionary() : DispatchObject(u"Dictionary")
{
    registerMembers();
}

void Dictionary::registerMembers()
{
    addMethod(u"Add", 2, 2, [this](std::span<Variant> a) {
        add(a[0], a[1]);
        return Variant();
    });
    addMethod(u"Exists", 1, 1, [this](std::span<Variant> a) { return Variant::fromBool(exists(a[0])); });
    // Item is a property; it also answers a plain method call (d.Item(k) in JScript).
    const auto getItem = [this](std::span<Variant> a) {
        requireArgs(a, 1, 1);
        return item(a[0]);
    };
    const auto putItem = [this](std::span<Variant> a, const Variant& v) {
        requireArgs(a, 1, 1);
        setItem(a[0], v);
    };
    addProperty(u"Item", getItem, putItem, putItem);
    addMethod(u"Item", 1, 1, getItem);
    setDefaultMember(u"Item");
    // Key can only be assigned: it renames an entry.
    addProperty(u"Key", {}, [this](std::span<Variant> a, const Variant& v) {
        requireArgs(a, 1, 1);
        rename(a[0], v);
    });
    addMethod(u"Items", 0, 0, [this](std::span<Variant>) { return arrayOf(items()); });
    addMethod(u"Keys", 0, 0, [this](std::span<Variant>) { return arrayOf(keys()); });
    addMethod(u"Remove", 1, 1, [this](std::span<Variant> a) {
        remove(a[0]);
        return Variant();
    });
    addMethod(u"RemoveAll", 0, 0, [this](std::span<Variant>) {
        removeAll();
        return Variant();
    });
    addProperty(u"Count", [this](std::span<Variant> a) {
        requireArgs(a, 0, 0);
        return Variant::fromLong(count());
    });
    addProperty(
        u"CompareMode",
        [this](std::span<Variant> a) {
            requireArgs(a, 0, 0);
            return Variant::fromLong(compareMode_);
        },
        [this](std::span<Variant> a, const Variant& v) {
            requireArgs(a, 0, 0);
            setCompareMode(toLong(v));
        });
    // For Each and Enumerator see the keys as they are when the loop starts.
    setEnumerator([this] { return Ref<Enumerator>(new VectorEnumerator(keys())); });
}

void Dictionary::add(const Variant& key, const Variant& item)
{
    const uint64_t hash = table_.hash(key);
    if (table_.find(key, hash) != KeyTable::npos)
        throw ScriptError::runtime(err::KeyExists);
    table_.insert(key, copyValue(item), hash);
}

bool Dictionary::exists(const Variant& key) const
{
    return table_.find(key) != KeyTable::npos;
}

Variant Dictionary::item(const Variant& key)
{
    const uint64_t hash = table_.hash(key);
    size_t i = table_.find(key, hash);
    if (i == KeyTable::npos)
        i = table_.insert(key, Variant(), hash);
    return copyValue(table_.entry(i).value);
}

void Dictionary::setItem(const Variant& key, const Variant& item)
{
    const uint64_t hash = table_.hash(key);
    const size_t i = table_.find(key, hash);
    if (i == KeyTable::npos)
        table_.insert(key, copyValue(item), hash);
    else
        table_.entry(i).value = copyValue(item);
}

void Dictionary::rename(const Variant& oldKey, const Variant& newKey)
{
    const size_t i = table_.find(oldKey);
    if (i == KeyTable::npos)
        throw ScriptError::runtime(err::ElementNotFound);
    const size_t other = table_.find(newKey);
    if (other == i) {
        table_.rekey(i, newKey); // same key in another letter case (text mode)
        return;
    }
    if (other != KeyTable::npos)
        throw ScriptError::runtime(err::KeyExists);
    table_.rekey(i, newKey);
}

void Dictionary::remove(const Variant& key)
{
    const size_t i = table_.find(key);
    if (i == KeyTable::npos)
        throw ScriptError::runtime(err::ElementNotFound);
    table_.erase(i);
}

void Dictionary::setCompareMode(int32_t mode)
{
    if (mode < 0 || table_.size() > 0)
        throw ScriptError::runtime(err::InvalidCall);
    compareMode_ = mode;
    table_.clear();
    // 1 (text) and the database and locale modes above it all ignore case.
    table_.setCompare(mode == 0 ? KeyCompare::Binary : KeyCompare::Text);
}

std::vector<Variant> Dictionary::keys() const
{
    std::vector<Variant> out;
    out.reserve(table_.size());
    for (size_t i = 0; i < table_.end(); ++i)
        if (table_.entry(i).live)
            out.push_back(table_.entry(i).key);
    return out;
}

std::vector<Variant> Dictionary::items() const
{
    std::vector<Variant> out;
    out.reserve(table_.size());
    for (size_t i = 0; i < table_.end(); ++i)
        if (table_.entry(i).live)
            out.push_back(copyValue(table_.entry(i).value));
    return out;
}

} // namespace quillo::script::objects
