#include "scripting/objects/FsPath.h"

#include "scripting/core/Text.h"

namespace quillo::script::objects {

namespace fs = std::filesystem;

bool isSeparator(char16_t c)
{
    return c == u'/' || c == u'\\';
}

fs::path toNative(std::u16string_view path)
{
    std::u16string text(path);
    for (char16_t& c : text)
        if (c == u'\\')
            c = u'/';
    return fs::path(toUtf8(text));
}

std::u16string fromNative(const fs::path& path)
{
    return fromUtf8(path.native());
}

fs::path absoluteNative(std::u16string_view path)
{
    std::error_code ec;
    fs::path p = path.empty() ? fs::current_path(ec) : fs::absolute(toNative(path), ec);
    if (ec)
        p = toNative(path);
    p = p.lexically_normal();
    std::string s = p.native();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return fs::path(s);
}

namespace {

// The path without trailing separators (a lone root stays as it is).
std::u16string_view trimTrailing(std::u16string_view path)
{
    while (path.size() > 1 && isSeparator(path.back()))
        path.remove_suffix(1);
    return path;
}

size_t lastSeparator(std::u16string_view path)
{
    for (size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1]) || (i == 2 && path[1] == u':'))
            return i - 1;
    return std::u16string_view::npos;
}

} // namespace

std::u16string fileNamePart(std::u16string_view path)
{
    path = trimTrailing(path);
    if (path.size() == 1 && isSeparator(path[0]))
        return {};
    const size_t sep = lastSeparator(path);
    return std::u16string(sep == std::u16string_view::npos ? path : path.substr(sep + 1));
}

std::u16string baseNamePart(std::u16string_view path)
{
    const std::u16string name = fileNamePart(path);
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string extensionPart(std::u16string_view path)
{
    const std::u16string name = fileNamePart(path);
    const size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string parentFolderPart(std::u16string_view path)
{
    path = trimTrailing(path);
    const size_t sep = lastSeparator(path);
    if (sep == std::u16string_view::npos || fileNamePart(path).empty())
        return {};
    std::u16string_view parent = path.substr(0, sep);
    // The root keeps its separator: "/" of "/a", "C:\" of "C:\a".
    if (parent.empty() || (parent.size() == 2 && parent[1] == u':' && isSeparator(path[sep])))
        return std::u16string(path.substr(0, sep + 1));
    if (path[sep] == u':')
        return std::u16string(path.substr(0, sep + 1));
    while (parent.size() > 1 && isSeparator(parent.back()))
        parent.remove_suffix(1);
    return std::u16string(parent);
}

std::u16string buildPath(std::u16string_view path, std::u16string_view name)
{
    if (path.empty())
        return std::u16string(name);
    std::u16string out(path);
    const bool pathEnds = isSeparator(out.back()) || (out.size() == 2 && out[1] == u':');
    const bool nameStarts = !name.empty() && isSeparator(name.front());
    if (pathEnds && nameStarts)
        name.remove_prefix(1);
    else if (!pathEnds && !nameStarts && !name.empty())
        out += out.find(u'\\') != std::u16string::npos && out.find(u'/') == std::u16string::npos ? u'\\' : u'/';
    out += name;
    return out;
}

std::u16string driveNamePart(std::u16string_view path)
{
    if (path.size() >= 2 && path[1] == u':' && ((path[0] | 0x20) >= u'a' && (path[0] | 0x20) <= u'z'))
        return std::u16string(path.substr(0, 2));
    if (!path.empty() && isSeparator(path[0]))
        return u"/";
    return {};
}

bool endsWithSeparator(std::u16string_view path)
{
    return !path.empty() && isSeparator(path.back());
}

bool hasWildcards(std::u16string_view name)
{
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view name)
{
    if (pattern == u"*.*")
        return true;
    // Greedy matching with one backtrack point for the last "*".
    size_t p = 0, n = 0, star = std::u16string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || toLowerChar(pattern[p]) == toLowerChar(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            mark = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace quillo::script::objects
