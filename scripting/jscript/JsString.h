#pragma once
// UTF-16 strings. A concatenation makes a rope node (two children, no copying) that is
// flattened on first inspection, so `s += x` in a loop stays linear. Property names are
// interned atoms: one cell per distinct text, compared by pointer.

#include <string>
#include <string_view>
#include <unordered_map>

#include "scripting/jscript/Heap.h"

namespace quillo::jscript {

struct JsString final : GcCell {
    explicit JsString(std::u16string s) : flat_(std::move(s)), length_(static_cast<uint32_t>(flat_.size())) {}
    JsString(JsString* l, JsString* r) : left_(l), right_(r), length_(l->length_ + r->length_) {}

    uint32_t length() const { return length_; }
    bool isRope() const { return left_ != nullptr; }
    const std::u16string& str() const {
        if (left_) flatten();
        return flat_;
    }
    std::u16string_view view() const { return str(); }
    // Appends the text to `out`. A short rope is read in place rather than flattened:
    // a string used once (joined, then dropped) costs no copy of its own.
    void appendTo(std::u16string& out) const;
    char16_t at(uint32_t i) const { return str()[i]; }

    // Cached array-index value: -2 unknown, -1 not an index.
    mutable int64_t indexCache = -2;

    void trace(Heap& h) override {
        h.mark(left_);
        h.mark(right_);
    }
    size_t cellSize() const override { return sizeof(JsString) + flat_.capacity() * 2; }

private:
    static constexpr uint32_t kReadInPlace = 256;  // longer ropes are flattened once and kept flat
    void flatten() const;
    mutable std::u16string flat_;
    mutable JsString* left_ = nullptr;
    mutable JsString* right_ = nullptr;
    uint32_t length_;
};

struct U16Hash {
    size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>()(s); }
};

// Interned names. Weak: the VM removes atoms the collector is about to free.
class AtomTable {
public:
    explicit AtomTable(Heap& heap) : heap_(heap) {}
    JsString* intern(std::u16string_view s);
    JsString* intern(JsString* s) { return s->isAtom ? s : intern(s->view()); }
    void forget(JsString* s) { table_.erase(s->view()); }
    void clear() { table_.clear(); }

private:
    Heap& heap_;
    std::unordered_map<std::u16string_view, JsString*, U16Hash> table_;
};

std::u16string toU16(std::string_view utf8);
std::string toUtf8(std::u16string_view s);
// Canonical array index ("0", "17", never "01"), or -1.
int64_t arrayIndexOf(std::u16string_view s);
inline int64_t arrayIndexOf(const JsString* s) {
    if (s->indexCache == -2) s->indexCache = arrayIndexOf(s->view());
    return s->indexCache;
}

}  // namespace quillo::jscript
