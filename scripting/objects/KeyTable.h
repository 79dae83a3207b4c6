#pragma once
// The Dictionary's storage: entries in insertion order in one vector, found through an
// open-addressing index of entry numbers (linear probing, power-of-two size, at most
// three quarters full). Removal leaves a hole in the vector and a tombstone in the
// index; both are squeezed out once holes outnumber live entries.

#include "scripting/objects/DictionaryKey.h"

#include <cstdint>
#include <vector>

namespace quillo::script::objects {

class KeyTable {
public:
    static constexpr size_t npos = size_t(-1);

    struct Entry {
        Variant key;
        Variant value;
        uint64_t hash = 0;
        bool live = false;
    };

    size_t size() const { return live_; }
    KeyCompare compare() const { return compare_; }
    // Only while empty: the index depends on it.
    void setCompare(KeyCompare mode) { compare_ = mode; }

    // The key's hash under the current compare mode; throws 5 for an array.
    uint64_t hash(const Variant& key) const { return hashKey(key, compare_); }
    // Entry number of `key`, npos when absent.
    size_t find(const Variant& key) const { return find(key, hash(key)); }
    size_t find(const Variant& key, uint64_t hash) const;
    // Appends a new entry; the caller has checked that `key` is absent.
    size_t insert(const Variant& key, Variant value) { return insert(key, std::move(value), hash(key)); }
    size_t insert(const Variant& key, Variant value, uint64_t hash);
    void erase(size_t entry);
    // Gives entry `entry` another key (absent so far), keeping its place in the order.
    void rekey(size_t entry, const Variant& key);
    void clear();

    Entry& entry(size_t i) { return entries_[i]; }
    const Entry& entry(size_t i) const { return entries_[i]; }
    // Entry numbers run from 0 to end(); holes have live == false.
    size_t end() const { return entries_.size(); }

private:
    static constexpr uint32_t kEmpty = 0;
    static constexpr uint32_t kTombstone = UINT32_MAX;

    size_t findSlot(const Variant& key, uint64_t hash) const;
    void place(size_t entry);
    void unplace(size_t entry);
    void rebuild(size_t capacity);
    void compact();

    std::vector<Entry> entries_;
    std::vector<uint32_t> slots_; // entry number + 1, kEmpty or kTombstone
    size_t live_ = 0;
    size_t used_ = 0;             // slots not kEmpty (live and tombstones)
    KeyCompare compare_ = KeyCompare::Binary;
};

} // namespace quillo::script::objects
