#pragma once
// Script-level names: variables, constants, procedures and named objects share one
// table; each slot is allocated once and never moves, so references to it stay valid
// while code runs, and indexing is one load.

#include "scripting/core/Variant.h"

#include <memory>
#include <vector>
#include <string>
#include <unordered_map>

namespace quillo::vbscript {

using quillo::script::Variant;
struct Procedure;

struct GlobalSlot {
    std::u16string name;
    Variant value;
    Procedure* proc = nullptr; // a Sub or Function of that name
    bool declared = false;     // Dim, Const, a procedure or a named object
    bool exists = false;       // declared, or created by top-level code that used it
    bool isConst = false;
    bool isNamedObject = false; // added by the host
};

class GlobalTable {
public:
    // -1 when unknown; `lowerName` is lower case.
    int find(const std::u16string& lowerName) const
    {
        auto it = index_.find(lowerName);
        return it == index_.end() ? -1 : it->second;
    }
    int findOrAdd(const std::u16string& lowerName, std::u16string_view shownName)
    {
        int i = find(lowerName);
        if (i >= 0)
            return i;
        slots_.push_back(std::make_unique<GlobalSlot>(GlobalSlot{std::u16string(shownName), {}, nullptr, false, false, false, false}));
        int n = int(slots_.size()) - 1;
        index_.emplace(lowerName, n);
        return n;
    }
    GlobalSlot& operator[](int i) { return *slots_[size_t(i)]; }
    const GlobalSlot& operator[](int i) const { return *slots_[size_t(i)]; }
    size_t size() const { return slots_.size(); }

private:
    std::vector<std::unique_ptr<GlobalSlot>> slots_;
    std::unordered_map<std::u16string, int> index_;
};

} // namespace quillo::vbscript
