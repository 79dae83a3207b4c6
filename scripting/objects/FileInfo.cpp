#include "scripting/objects/FileInfo.h"

#include "scripting/core/DateTime.h"
#include "scripting/core/Text.h"
#include "scripting/objects/FsErrors.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace quillo::script::objects {

namespace fs = std::filesystem;

double unixTimeToOle(int64_t seconds)
{
    return localMsToOle(utcToLocalMs(double(seconds) * 1000.0));
}

std::vector<fs::directory_entry> folderEntries(const fs::path& folder, int32_t missing)
{
    std::vector<fs::directory_entry> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        out.push_back(*it);
    check(ec, missing);
    return out;
}

FileTimes fileTimes(const fs::path& path, int32_t missing)
{
    struct statx sx {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
        check(std::error_code(errno, std::generic_category()), missing);
    FileTimes t;
    t.modified = unixTimeToOle(sx.stx_mtime.tv_sec);
    t.accessed = unixTimeToOle(sx.stx_atime.tv_sec);
    t.created = (sx.stx_mask & STATX_BTIME) ? unixTimeToOle(sx.stx_btime.tv_sec) : t.modified;
    return t;
}

bool isReadOnly(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    return !ec && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

int32_t fileAttributes(const fs::path& path, int32_t missing)
{
    std::error_code ec;
    const fs::file_status link = fs::symlink_status(path, ec);
    check(ec, missing);
    if (!fs::exists(link))
        raise(missing);
    const fs::file_status st = fs::is_symlink(link) ? fs::status(path, ec) : link;
    int32_t attrs = kAttrNormal;
    if (fs::is_directory(st))
        attrs |= kAttrDirectory;
    else
        attrs |= kAttrArchive;
    if ((st.permissions() & fs::perms::owner_write) == fs::perms::none)
        attrs |= kAttrReadOnly;
    const std::string name = path.filename().native();
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attrs |= kAttrHidden;
    if (fs::is_symlink(link))
        attrs |= kAttrAlias;
    return attrs;
}

void setFileAttributes(const fs::path& path, int32_t attributes, int32_t missing)
{
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write,
                    (attributes & kAttrReadOnly) ? fs::perm_options::remove : fs::perm_options::add, ec);
    check(ec, missing);
}

std::u16string fileTypeName(const fs::path& path, bool isFolder)
{
    if (isFolder)
        return u"File folder";
    std::string ext = path.extension().native();
    if (ext.size() <= 1)
        return u"File";
    std::u16string upper = toUpper(fromUtf8(ext.substr(1)));
    if (upper == u"TXT")
        return u"Text Document";
    return upper + u" File";
}

} // namespace quillo::script::objects
