#include "scripting/objects/FileObjects.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/core/Text.h"
#include "scripting/objects/Arguments.h"
#include "scripting/objects/FileInfo.h"
#include "scripting/objects/FileOperations.h"
#include "scripting/objects/FsErrors.h"
#include "scripting/objects/FsPath.h"
#include "scripting/objects/TextStream.h"

#include <sys/vfs.h>

#include <algorithm>

namespace quillo::script::objects {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kBadFileName = 52;
constexpr int32_t kDeviceUnavailable = 68;
constexpr int32_t kDriveTypeFixed = 2;

using Args = std::span<Variant>;

Variant text(const fs::path& p)
{
    return Variant::fromString(fromNative(p));
}

// Sizes are Long while they fit, Double beyond.
Variant sizeValue(uintmax_t n)
{
    return n <= uintmax_t(INT32_MAX) ? Variant::fromLong(int32_t(n)) : Variant::fromDouble(double(n));
}

Variant nameOf(const fs::path& p)
{
    return p == p.root_path() ? Variant::fromString(u"") : text(p.filename());
}

Variant parentOf(const fs::path& p)
{
    if (p == p.root_path())
        return Variant::nothing();
    return Variant::fromObject(DispatchPtr(new FolderObject(p.parent_path())));
}

// Renames within the same folder: 52 for a name with a separator, 58 when taken.
void renameTo(fs::path& path, const Variant& value, int32_t missing)
{
    const std::u16string name = toText(value);
    if (name.empty() || name.find_first_of(u"/\\") != std::u16string::npos || name == u"." || name == u"..")
        raise(kBadFileName);
    const fs::path target = path.parent_path() / toNative(name);
    std::error_code ec;
    if (target != path && fs::exists(fs::symlink_status(target, ec)))
        raise(err::FileExists);
    fs::rename(path, target, ec);
    check(ec, missing);
    path = target;
}

uintmax_t treeSize(const fs::path& folder)
{
    uintmax_t total = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        std::error_code sec;
        if (it->is_regular_file(sec))
            total += it->file_size(sec);
    }
    check(ec, err::PathNotFound);
    return total;
}

// The dates and attributes File and Folder share.
void addCommonMembers(DispatchObject& obj, fs::path& path, int32_t missing)
{
    obj.addProperty(
        u"Attributes", [&path, missing](Args) { return Variant::fromLong(fileAttributes(path, missing)); },
        [&path, missing](Args, const Variant& v) { setFileAttributes(path, toLong(v), missing); });
    obj.addProperty(u"DateCreated", [&path, missing](Args) { return Variant::fromDate(fileTimes(path, missing).created); });
    obj.addProperty(u"DateLastAccessed",
                    [&path, missing](Args) { return Variant::fromDate(fileTimes(path, missing).accessed); });
    obj.addProperty(u"DateLastModified",
                    [&path, missing](Args) { return Variant::fromDate(fileTimes(path, missing).modified); });
    obj.addProperty(u"Drive", [](Args) { return Variant::fromObject(DispatchPtr(new DriveObject())); });
    obj.addProperty(u"Name", [&path](Args) { return nameOf(path); },
                    [&path, missing](Args, const Variant& v) { renameTo(path, v, missing); });
    obj.addProperty(u"ShortName", [&path](Args) { return nameOf(path); });
    obj.addProperty(u"ParentFolder", [&path](Args) { return parentOf(path); });
    obj.addProperty(u"Path", [&path](Args) { return text(path); });
    obj.addProperty(u"ShortPath", [&path](Args) { return text(path); });
    obj.setDefaultMember(u"Path");
}

bool lessByName(const fs::path& a, const fs::path& b)
{
    const std::u16string x = fromNative(a.filename());
    const std::u16string y = fromNative(b.filename());
    const int c = compareIgnoreCase(x, y);
    return c != 0 ? c < 0 : x < y;
}

} // namespace

FileObject::FileObject(fs::path path) : DispatchObject(u"File"), path_(std::move(path))
{
    const int32_t missing = err::FileNotFound;
    addCommonMembers(*this, path_, missing);
    addProperty(u"Size", [this](Args) {
        std::error_code ec;
        const uintmax_t n = fs::file_size(path_, ec);
        check(ec, err::FileNotFound);
        return sizeValue(n);
    });
    addProperty(u"Type", [this](Args) { return Variant::fromString(fileTypeName(path_, false)); });
    addMethod(u"Copy", 1, 2, [this](Args a) {
        copyFiles(fromNative(path_), textArg(a, 0), optionalBool(a, 1, true));
        return Variant();
    });
    addMethod(u"Delete", 0, 1, [this](Args a) {
        deleteFiles(fromNative(path_), optionalBool(a, 0, false));
        return Variant();
    });
    addMethod(u"Move", 1, 1, [this](Args a) {
        const std::u16string dest = textArg(a, 0);
        moveFiles(fromNative(path_), dest);
        path_ = endsWithSeparator(dest) ? absoluteNative(dest) / path_.filename() : absoluteNative(dest);
        return Variant();
    });
    addMethod(u"OpenAsTextStream", 0, 2, [this](Args a) {
        const int32_t mode = optionalLong(a, 0, int32_t(IoMode::Reading));
        if (mode != 1 && mode != 2 && mode != 8)
            raise(err::InvalidCall);
        std::error_code ec;
        if (!fs::exists(path_, ec))
            raise(err::FileNotFound);
        return Variant::fromObject(TextStream::open(path_, IoMode(mode), false, optionalLong(a, 1, kTristateFalse)));
    });
}

FolderObject::FolderObject(fs::path path) : DispatchObject(u"Folder"), path_(std::move(path))
{
    const int32_t missing = err::PathNotFound;
    addCommonMembers(*this, path_, missing);
    addProperty(u"Size", [this](Args) { return sizeValue(treeSize(path_)); });
    addProperty(u"Type", [this](Args) { return Variant::fromString(fileTypeName(path_, true)); });
    addProperty(u"IsRootFolder", [this](Args) { return Variant::fromBool(path_ == path_.root_path()); });
    addProperty(u"Files", [this](Args) { return Variant::fromObject(DispatchPtr(new FolderListing(path_, false))); });
    addProperty(u"SubFolders", [this](Args) { return Variant::fromObject(DispatchPtr(new FolderListing(path_, true))); });
    addMethod(u"Copy", 1, 2, [this](Args a) {
        copyFolders(fromNative(path_), textArg(a, 0), optionalBool(a, 1, true));
        return Variant();
    });
    addMethod(u"Delete", 0, 1, [this](Args a) {
        deleteFolders(fromNative(path_), optionalBool(a, 0, false));
        return Variant();
    });
    addMethod(u"Move", 1, 1, [this](Args a) {
        const std::u16string dest = textArg(a, 0);
        moveFolders(fromNative(path_), dest);
        path_ = endsWithSeparator(dest) ? absoluteNative(dest) / path_.filename() : absoluteNative(dest);
        return Variant();
    });
    addMethod(u"CreateTextFile", 1, 3, [this](Args a) {
        const fs::path file = path_ / toNative(textArg(a, 0));
        return Variant::fromObject(TextStream::create(file, optionalBool(a, 1, true), optionalBool(a, 2, false)));
    });
}

FolderListing::FolderListing(fs::path folder, bool folders)
    : DispatchObject(folders ? u"Folders" : u"Files"), folder_(std::move(folder)), folders_(folders)
{
    addProperty(u"Count", [this](Args) { return Variant::fromLong(int32_t(list().size())); });
    addProperty(u"Item", [this](Args a) {
        requireArgs(a, 1, 1);
        const fs::path p = folder_ / toNative(toText(a[0]));
        std::error_code ec;
        const fs::file_status st = fs::status(p, ec);
        if (!fs::exists(st) || fs::is_directory(st) != folders_)
            raise(folders_ ? err::PathNotFound : err::FileNotFound);
        return Variant::fromObject(folders_ ? DispatchPtr(new FolderObject(p)) : DispatchPtr(new FileObject(p)));
    });
    setDefaultMember(u"Item");
    if (folders_) {
        addMethod(u"Add", 1, 1, [this](Args a) {
            const std::u16string name = toText(a[0]);
            if (name.empty() || name.find_first_of(u"/\\") != std::u16string::npos)
                raise(kBadFileName);
            return Variant::fromObject(DispatchPtr(new FolderObject(createFolder(fromNative(folder_ / toNative(name))))));
        });
    }
    setEnumerator([this] {
        std::vector<Variant> items;
        for (const fs::path& p : list())
            items.push_back(Variant::fromObject(folders_ ? DispatchPtr(new FolderObject(p)) : DispatchPtr(new FileObject(p))));
        return Ref<Enumerator>(new VectorEnumerator(std::move(items)));
    });
}

std::vector<fs::path> FolderListing::list() const
{
    std::vector<fs::path> out;
    for (const fs::directory_entry& e : folderEntries(folder_, err::PathNotFound)) {
        std::error_code sec;
        if (e.is_directory(sec) == folders_)
            out.push_back(e.path());
    }
    std::sort(out.begin(), out.end(), lessByName);
    return out;
}

namespace {

std::u16string fileSystemName(const fs::path& root)
{
    struct statfs st {};
    if (statfs(root.c_str(), &st) != 0)
        return {};
    switch (static_cast<unsigned long>(st.f_type)) {
    case 0xEF53: return u"ext4";
    case 0x01021994: return u"tmpfs";
    case 0x58465342: return u"xfs";
    case 0x9123683E: return u"btrfs";
    case 0x794C7630: return u"overlay";
    default: return {};
    }
}

Variant spaceValue(uintmax_t fs::space_info::*field)
{
    std::error_code ec;
    const fs::space_info info = fs::space("/", ec);
    return Variant::fromDouble(ec ? 0.0 : double(info.*field));
}

} // namespace

DriveObject::DriveObject() : DispatchObject(u"Drive")
{
    addProperty(u"Path", [](Args) { return Variant::fromString(u"/"); });
    setDefaultMember(u"Path");
    addProperty(u"DriveLetter", [](Args) { return Variant::fromString(u""); });
    addProperty(u"DriveType", [](Args) { return Variant::fromLong(kDriveTypeFixed); });
    addProperty(u"FileSystem", [](Args) { return Variant::fromString(fileSystemName("/")); });
    addProperty(u"IsReady", [](Args) { return Variant::fromBool(true); });
    addProperty(u"AvailableSpace", [](Args) { return spaceValue(&fs::space_info::available); });
    addProperty(u"FreeSpace", [](Args) { return spaceValue(&fs::space_info::free); });
    addProperty(u"TotalSize", [](Args) { return spaceValue(&fs::space_info::capacity); });
    addProperty(u"RootFolder", [](Args) { return Variant::fromObject(DispatchPtr(new FolderObject("/"))); });
    addProperty(u"SerialNumber", [](Args) { return Variant::fromLong(0); });
    addProperty(u"ShareName", [](Args) { return Variant::fromString(u""); });
    addProperty(u"VolumeName", [](Args) { return Variant::fromString(u""); });
}

DrivesCollection::DrivesCollection() : DispatchObject(u"Drives")
{
    addProperty(u"Count", [](Args) { return Variant::fromLong(1); });
    addProperty(u"Item", [](Args a) {
        requireArgs(a, 1, 1);
        return Variant::fromObject(makeDrive(toText(a[0])));
    });
    setDefaultMember(u"Item");
    setEnumerator([] {
        return Ref<Enumerator>(new VectorEnumerator({Variant::fromObject(DispatchPtr(new DriveObject()))}));
    });
}

DispatchPtr makeFile(std::u16string_view path)
{
    const fs::path p = absoluteNative(path);
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (path.empty() || !fs::exists(st) || fs::is_directory(st))
        raise(err::FileNotFound);
    return DispatchPtr(new FileObject(p));
}

DispatchPtr makeFolder(std::u16string_view path)
{
    const fs::path p = absoluteNative(path);
    std::error_code ec;
    if (path.empty() || !fs::is_directory(p, ec))
        raise(err::PathNotFound);
    return DispatchPtr(new FolderObject(p));
}

bool driveExists(std::u16string_view spec)
{
    return spec == u"/" || spec == u"\\";
}

DispatchPtr makeDrive(std::u16string_view spec)
{
    if (!spec.empty() && isSeparator(spec[0]))
        return DispatchPtr(new DriveObject());
    if (!driveNamePart(spec).empty() || (spec.size() == 1 && ((spec[0] | 0x20) >= u'a' && (spec[0] | 0x20) <= u'z')))
        raise(kDeviceUnavailable);
    raise(err::InvalidCall);
}

} // namespace quillo::script::objects
