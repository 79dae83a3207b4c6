#include "scripting/objects/FileOperations.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/objects/FileInfo.h"
#include "scripting/objects/FsErrors.h"
#include "scripting/objects/FsPath.h"

#include <vector>

namespace quillo::script::objects {

namespace fs = std::filesystem;

namespace {

enum class Want { Files, Folders };

bool isFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isFile(const fs::path& p)
{
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    return fs::exists(st) && !fs::is_directory(st);
}

bool existsAtAll(const fs::path& p)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

// The paths a source names: itself, or the entries of its folder its last component
// matches. Empty when nothing matches.
std::vector<fs::path> expand(std::u16string_view source, Want want, bool& wildcard)
{
    const std::u16string pattern = fileNamePart(source);
    wildcard = hasWildcards(pattern);
    std::vector<fs::path> out;
    if (!wildcard) {
        const fs::path p = absoluteNative(source);
        if (want == Want::Files ? isFile(p) : isFolder(p))
            out.push_back(p);
        return out;
    }
    const std::u16string parentText = parentFolderPart(source);
    const fs::path parent = absoluteNative(parentText.empty() ? u"." : std::u16string_view(parentText));
    if (!isFolder(parent))
        raise(err::PathNotFound);
    for (const fs::directory_entry& e : folderEntries(parent, err::PathNotFound)) {
        std::error_code sec;
        const bool dir = e.is_directory(sec);
        if ((want == Want::Folders) == dir && wildcardMatch(pattern, fromNative(e.path().filename())))
            out.push_back(e.path());
    }
    return out;
}

// expand(), raising `error` when nothing matches.
std::vector<fs::path> expandOrRaise(std::u16string_view source, Want want, bool& wildcard, int32_t error)
{
    std::vector<fs::path> items = expand(source, want, wildcard);
    if (items.empty())
        raise(error);
    return items;
}

// A destination ending in a separator, or any destination of a wildcard source, is a
// folder that must exist; the item keeps its name there.
fs::path targetFor(const fs::path& item, std::u16string_view destination, bool intoFolder)
{
    if (intoFolder) {
        const fs::path folder = absoluteNative(destination);
        if (!isFolder(folder))
            raise(err::PathNotFound);
        return folder / item.filename();
    }
    return absoluteNative(destination);
}

void requireParent(const fs::path& target)
{
    if (!isFolder(target.parent_path()))
        raise(err::PathNotFound);
}

// True when `inner` is `outer` or lies below it.
bool within(const fs::path& inner, const fs::path& outer)
{
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i)
        if (i == inner.end() || *i != *o)
            return false;
    return true;
}

void copyOneFile(const fs::path& source, const fs::path& target, bool overwrite)
{
    std::error_code ec;
    if (isFolder(target))
        raise(err::PermissionDenied);
    if (existsAtAll(target)) {
        if (!overwrite)
            raise(err::FileExists);
        if (isReadOnly(target) || fs::equivalent(source, target, ec))
            raise(err::PermissionDenied);
    }
    requireParent(target);
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
    check(ec, err::PathNotFound);
}

void copyTree(const fs::path& source, const fs::path& target, bool overwrite)
{
    std::error_code ec;
    if (isFile(target))
        raise(err::FileExists);
    if (!isFolder(target)) {
        fs::create_directory(target, ec);
        check(ec, err::PathNotFound);
    }
    for (const fs::directory_entry& e : folderEntries(source, err::PathNotFound)) {
        std::error_code sec;
        // A link inside the tree is copied as a link: following one that points to an
        // enclosing folder would copy without end.
        if (e.is_symlink(sec)) {
            const fs::path linkTarget = target / e.path().filename();
            if (existsAtAll(linkTarget)) {
                if (!overwrite)
                    raise(err::FileExists);
                fs::remove(linkTarget, sec);
            }
            fs::copy_symlink(e.path(), linkTarget, sec);
            check(sec, err::PathNotFound);
        } else if (e.is_directory(sec)) {
            copyTree(e.path(), target / e.path().filename(), overwrite);
        } else {
            copyOneFile(e.path(), target / e.path().filename(), overwrite);
        }
    }
}

// Renames, or copies and deletes when the target is on another file system.
void moveItem(const fs::path& source, const fs::path& target, bool folder)
{
    std::error_code ec;
    fs::rename(source, target, ec);
    if (ec == std::errc::cross_device_link) {
        ec.clear();
        if (folder) {
            copyTree(source, target, false);
            fs::remove_all(source, ec);
        } else {
            fs::copy_file(source, target, ec);
            if (!ec)
                fs::remove(source, ec);
        }
    }
    check(ec, folder ? err::PathNotFound : err::FileNotFound);
}

bool holdsReadOnly(const fs::path& folder)
{
    if (isReadOnly(folder))
        return true;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (isReadOnly(it->path()))
            return true;
    }
    return false;
}

} // namespace

void copyFiles(std::u16string_view source, std::u16string_view destination, bool overwrite)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expand(source, Want::Files, wildcard);
    if (items.empty())
        raise(!wildcard && !isFolder(absoluteNative(source).parent_path()) ? err::PathNotFound : err::FileNotFound);
    for (const fs::path& item : items)
        copyOneFile(item, targetFor(item, destination, wildcard || endsWithSeparator(destination)), overwrite);
}

void moveFiles(std::u16string_view source, std::u16string_view destination)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expandOrRaise(source, Want::Files, wildcard, err::FileNotFound);
    for (const fs::path& item : items) {
        const fs::path target = targetFor(item, destination, wildcard || endsWithSeparator(destination));
        if (existsAtAll(target))
            raise(err::FileExists);
        requireParent(target);
        moveItem(item, target, false);
    }
}

void deleteFiles(std::u16string_view spec, bool force)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expandOrRaise(spec, Want::Files, wildcard, err::FileNotFound);
    for (const fs::path& item : items) {
        if (!force && isReadOnly(item))
            raise(err::PermissionDenied);
        std::error_code ec;
        fs::remove(item, ec);
        check(ec, err::FileNotFound);
    }
}

void copyFolders(std::u16string_view source, std::u16string_view destination, bool overwrite)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expandOrRaise(source, Want::Folders, wildcard, err::PathNotFound);
    for (const fs::path& item : items) {
        const fs::path target = targetFor(item, destination, wildcard || endsWithSeparator(destination));
        if (within(target, item))
            raise(err::PermissionDenied); // a folder cannot be copied into itself
        requireParent(target);
        copyTree(item, target, overwrite);
    }
}

void moveFolders(std::u16string_view source, std::u16string_view destination)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expandOrRaise(source, Want::Folders, wildcard, err::PathNotFound);
    for (const fs::path& item : items) {
        const fs::path target = targetFor(item, destination, wildcard || endsWithSeparator(destination));
        if (existsAtAll(target))
            raise(err::FileExists);
        if (within(target, item))
            raise(err::PermissionDenied);
        requireParent(target);
        moveItem(item, target, true);
    }
}

void deleteFolders(std::u16string_view spec, bool force)
{
    bool wildcard = false;
    const std::vector<fs::path> items = expandOrRaise(spec, Want::Folders, wildcard, err::PathNotFound);
    for (const fs::path& item : items) {
        // Checked first, so a refused delete leaves the folder whole.
        if (!force && holdsReadOnly(item))
            raise(err::PermissionDenied);
        std::error_code ec;
        fs::remove_all(item, ec);
        check(ec, err::PathNotFound);
    }
}

fs::path createFolder(std::u16string_view path)
{
    const fs::path p = absoluteNative(path);
    if (existsAtAll(p))
        raise(err::FileExists);
    requireParent(p);
    std::error_code ec;
    fs::create_directory(p, ec);
    check(ec, err::PathNotFound);
    return p;
}

} // namespace quillo::script::objects
