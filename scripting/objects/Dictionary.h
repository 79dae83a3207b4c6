#pragma once
// Scripting.Dictionary: keys of any type but arrays, kept in insertion order, found by
// hash. Item is the default member; reading a missing key adds it with Empty.

#include "scripting/core/DispatchObject.h"
#include "scripting/objects/KeyTable.h"

#include <vector>

namespace quillo::script::objects {

class Dictionary : public DispatchObject {
public:
    Dictionary();

    // The members as C++ calls, with the script errors they raise.
    void add(const Variant& key, const Variant& item);   // 457 when present
    bool exists(const Variant& key) const;
    Variant item(const Variant& key);                     // adds Empty when missing
    void setItem(const Variant& key, const Variant& item); // adds when missing
    void rename(const Variant& oldKey, const Variant& newKey); // 32811, 457
    void remove(const Variant& key);                      // 32811 when missing
    void removeAll() { table_.clear(); }
    int32_t count() const { return int32_t(table_.size()); }
    int32_t compareMode() const { return compareMode_; }
    void setCompareMode(int32_t mode);                    // 5 when not empty or < 0
    std::vector<Variant> keys() const;
    std::vector<Variant> items() const;

private:
    void registerMembers();

    KeyTable table_;
    int32_t compareMode_ = 0;
};

} // namespace quillo::script::objects
