#include "scripting/jscript/JsString.h"

#include <vector>

namespace quillo::jscript {

void Heap::mark(const Value& v) {
    if (v.tag == Tag::String) mark(reinterpret_cast<GcCell*>(v.str));
    else if (v.tag == Tag::Object) mark(reinterpret_cast<GcCell*>(v.obj));
}

// Iterative: a rope built by a million `+=` is a million levels deep.
void JsString::flatten() const {
    std::u16string out;
    out.reserve(length_);
    std::vector<const JsString*> stack;
    stack.push_back(this);
    while (!stack.empty()) {
        const JsString* s = stack.back();
        stack.pop_back();
        if (s->left_) {
            stack.push_back(s->right_);
            stack.push_back(s->left_);
        } else {
            out += s->flat_;
        }
    }
    flat_ = std::move(out);
    left_ = right_ = nullptr;
}

void JsString::appendTo(std::u16string& out) const {
    if (!left_ || length_ > kReadInPlace) {
        out += str();
        return;
    }
    // Short ropes are shallow: the recursion depth is bounded by the length.
    left_->appendTo(out);
    right_->appendTo(out);
}

JsString* AtomTable::intern(std::u16string_view s) {
    auto it = table_.find(s);
    if (it != table_.end()) return it->second;
    JsString* a = heap_.make<JsString>(std::u16string(s));
    a->isAtom = true;
    table_.emplace(a->view(), a);
    return a;
}

std::u16string toU16(std::string_view in) {
    std::u16string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        uint32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else { out += static_cast<char16_t>(c); ++i; continue; }
        bool ok = i + extra < in.size();
        for (int k = 1; ok && k <= extra; ++k) {
            if ((static_cast<unsigned char>(in[i + k]) & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
        }
        if (!ok) { out += static_cast<char16_t>(c); ++i; continue; }
        i += extra + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string toUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

int64_t arrayIndexOf(std::u16string_view s) {
    if (s.empty() || s.size() > 10) return -1;
    if (s[0] == u'0') return s.size() == 1 ? 0 : -1;
    int64_t v = 0;
    for (char16_t c : s) {
        if (c < u'0' || c > u'9') return -1;
        v = v * 10 + (c - u'0');
    }
    return v < 4294967295LL ? v : -1;
}

}  // namespace quillo::jscript
