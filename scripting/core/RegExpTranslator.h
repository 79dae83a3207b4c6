#pragma once
// Rewrites an ECMAScript 3 regular expression as an equivalent PCRE2 pattern.
//
// PCRE2 runs in 16-bit mode without UTF, so one character is one UTF-16 code unit, as in
// the script languages. Everything whose meaning differs between the two dialects is
// spelled out explicitly: `.`, `^`, `$`, `\b`, `\d \w \s` and their negations, octal
// escapes versus backreferences, `[]`, `[^]`, and braces that are not quantifiers.

#include <string>
#include <string_view>

namespace quillo::script::regexp {

struct Translation {
    std::u16string pcre; // the pattern for pcre2_compile
    int groupCount = 0;  // capturing groups, numbered as in the source pattern
};

// Throws ScriptError 5017 (syntax), 5018 (unexpected quantifier), 5019 (missing ']'),
// 5020 (missing ')') or 5021 (reversed range).
Translation translate(std::u16string_view pattern, bool multiline, bool ignoreCase);

} // namespace quillo::script::regexp
