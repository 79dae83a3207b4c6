#pragma once
// The program's title and version: the one place that the window caption, the About box,
// the navigator object and quillo-run read them from. Header-only and free of Qt.

#include <string_view>

namespace quillo::product {

inline constexpr std::string_view Title = "Quillo";
inline constexpr int Major = 1;
inline constexpr int Minor = 3;
inline constexpr int Revision = 0;

// Major "." Minor, each without leading zeros.
inline constexpr std::string_view Version = "1.3";
// Title " " Version: the caption's tail and the About box's first line.
inline constexpr std::string_view TitleAndVersion = "Quillo 1.3";
// Title "/" Version.
inline constexpr std::string_view UserAgent = "Quillo/1.3";

// Descriptive version strings, as a version resource would hold them.
inline constexpr std::string_view ProductName = "Quillo";
inline constexpr std::string_view FileDescription = "Script editor for VBScript and JScript";
inline constexpr std::string_view Comments = "Edits and runs VBScript and JScript files with its own script engines.";
inline constexpr std::string_view CompanyName = "Brenholt";
inline constexpr std::string_view LegalCopyright = "Copyright (C) the Quillo developers";
inline constexpr std::string_view FileVersion = "1.3.0.0";

namespace detail {
constexpr bool spellsNumber(std::string_view text, int value) {
    std::string_view digits = text;
    int parsed = 0;
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return false;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        parsed = parsed * 10 + (c - '0');
    }
    return parsed == value;
}
constexpr bool spellsVersion(std::string_view text, int major, int minor) {
    auto dot = text.find('.');
    return dot != std::string_view::npos && spellsNumber(text.substr(0, dot), major) &&
           spellsNumber(text.substr(dot + 1), minor);
}
} // namespace detail

static_assert(detail::spellsVersion(Version, Major, Minor), "Version must spell Major.Minor");
static_assert(TitleAndVersion.substr(0, Title.size()) == Title && TitleAndVersion[Title.size()] == ' ' &&
                  TitleAndVersion.substr(Title.size() + 1) == Version,
              "TitleAndVersion must be Title, a blank and Version");
static_assert(UserAgent.substr(0, Title.size()) == Title && UserAgent[Title.size()] == '/' &&
                  UserAgent.substr(Title.size() + 1) == Version,
              "UserAgent must be Title/Version");

} // namespace quillo::product
