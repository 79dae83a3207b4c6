#pragma once
// Compiled regular expressions with ECMAScript 3 syntax and matching rules, run by PCRE2.
//
// Both languages' RegExp objects sit on this: VBScript's RegExp (Test, Execute, Replace)
// and JScript's RegExp and the String methods that take one. Patterns are compiled once
// per (pattern, flags) and shared; matching is bounded, so a catastrophic pattern or a huge
// subject ends in a script error instead of a hang or a stack overflow.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillo::script {

struct RegExpFlags {
    bool global = false;     // kept for the caller; matching itself does not use it
    bool ignoreCase = false;
    bool multiline = false;

    friend bool operator==(const RegExpFlags&, const RegExpFlags&) = default;
};

// Where a match and its groups lie in the subject, in UTF-16 code units.
class RegExpMatch {
public:
    // Group 0 is the whole match.
    int start(int group = 0) const { return spans_[size_t(group) * 2]; }
    int end(int group = 0) const { return spans_[size_t(group) * 2 + 1]; }
    int length(int group = 0) const { return end(group) - start(group); }
    // False for a group that did not take part in the match (its span is -1, -1).
    bool matched(int group) const { return start(group) >= 0; }
    // Capturing groups, not counting group 0.
    int groupCount() const { return int(spans_.size() / 2) - 1; }
    std::u16string_view text(std::u16string_view subject, int group = 0) const
    {
        return matched(group) ? subject.substr(size_t(start(group)), size_t(length(group)))
                              : std::u16string_view();
    }

private:
    friend class RegExp;
    std::vector<int> spans_; // start, end per group; -1 for an unset group
};

class RegExp {
public:
    // Compiles or fetches from the cache. Throws ScriptError 5017-5021 for a bad pattern.
    static std::shared_ptr<const RegExp> compile(std::u16string_view pattern, RegExpFlags flags);

    ~RegExp();
    RegExp(const RegExp&) = delete;
    RegExp& operator=(const RegExp&) = delete;

    const std::u16string& source() const { return source_; }
    RegExpFlags flags() const { return flags_; }
    int groupCount() const { return groupCount_; }

    // Finds the first match at or after `start`. False when there is none (also when
    // `start` is past the end). A match that exceeds the work or memory limits throws
    // ScriptError 28 "Out of stack space".
    bool exec(std::u16string_view subject, size_t start, RegExpMatch& match) const;

    // Drops every cached pattern (patterns in use stay alive through their handles).
    static void clearCache();

private:
    struct Code;
    RegExp(std::u16string source, RegExpFlags flags);

    std::u16string source_;
    RegExpFlags flags_;
    int groupCount_ = 0;
    std::unique_ptr<Code> code_;
};

} // namespace quillo::script
