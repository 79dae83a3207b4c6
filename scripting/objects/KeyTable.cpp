#include "scripting/objects/KeyTable.h"

namespace quillo::script::objects {

size_t KeyTable::findSlot(const Variant& key, uint64_t hash) const
{
    if (slots_.empty())
        return npos;
    const size_t mask = slots_.size() - 1;
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        const uint32_t s = slots_[i];
        if (s == kEmpty)
            return npos;
        if (s != kTombstone) {
            const Entry& e = entries_[s - 1];
            if (e.hash == hash && keysEqual(e.key, key, compare_))
                return i;
        }
    }
}

size_t KeyTable::find(const Variant& key, uint64_t hash) const
{
    const size_t slot = findSlot(key, hash);
    return slot == npos ? npos : slots_[slot] - 1;
}

void KeyTable::place(size_t entry)
{
    if ((used_ + 1) * 4 > slots_.size() * 3) {
        // Doubles when more than half the slots hold live entries, otherwise only
        // sweeps the tombstones; the rebuilt index already holds `entry`.
        const size_t n = slots_.size();
        rebuild(n < 16 ? 16 : live_ * 2 > n ? n * 2 : n);
        return;
    }
    const size_t mask = slots_.size() - 1;
    size_t i = size_t(entries_[entry].hash) & mask;
    while (slots_[i] != kEmpty && slots_[i] != kTombstone)
        i = (i + 1) & mask;
    if (slots_[i] == kEmpty)
        ++used_;
    slots_[i] = uint32_t(entry + 1);
}

void KeyTable::unplace(size_t entry)
{
    const size_t slot = findSlot(entries_[entry].key, entries_[entry].hash);
    slots_[slot] = kTombstone;
}

// A fresh index of `capacity` slots over the live entries; drops every tombstone.
void KeyTable::rebuild(size_t capacity)
{
    slots_.assign(capacity, kEmpty);
    used_ = 0;
    const size_t mask = capacity - 1;
    for (size_t e = 0; e < entries_.size(); ++e) {
        if (!entries_[e].live)
            continue;
        size_t i = size_t(entries_[e].hash) & mask;
        while (slots_[i] != kEmpty)
            i = (i + 1) & mask;
        slots_[i] = uint32_t(e + 1);
        ++used_;
    }
}

size_t KeyTable::insert(const Variant& key, Variant value, uint64_t hash)
{
    entries_.push_back(Entry{key.deref(), std::move(value), hash, true});
    ++live_;
    place(entries_.size() - 1);
    return entries_.size() - 1;
}

void KeyTable::erase(size_t entry)
{
    unplace(entry);
    Entry& e = entries_[entry];
    e.live = false;
    e.key.clear();
    e.value.clear();
    --live_;
    if (live_ == 0)
        clear();
    else if (entries_.size() > 32 && entries_.size() - live_ > live_)
        compact();
}

void KeyTable::rekey(size_t entry, const Variant& key)
{
    unplace(entry);
    Entry& e = entries_[entry];
    e.key = key.deref();
    e.hash = hashKey(e.key, compare_);
    place(entry);
}

void KeyTable::clear()
{
    entries_.clear();
    slots_.clear();
    live_ = 0;
    used_ = 0;
}

void KeyTable::compact()
{
    size_t out = 0;
    for (size_t e = 0; e < entries_.size(); ++e) {
        if (entries_[e].live) {
            if (out != e)
                entries_[out] = std::move(entries_[e]);
            ++out;
        }
    }
    entries_.resize(out);
    rebuild(slots_.size());
}

} // namespace quillo::script::objects
