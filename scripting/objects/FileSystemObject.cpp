#include "scripting/objects/FileSystemObject.h"

#include "scripting/core/ErrorTable.h"
#include "scripting/objects/Arguments.h"
#include "scripting/objects/FileObjects.h"
#include "scripting/objects/FileOperations.h"
#include "scripting/objects/FsErrors.h"
#include "scripting/objects/FsPath.h"
#include "scripting/objects/TextStream.h"

#include <random>

namespace quillo::script::objects {

namespace fs = std::filesystem;

namespace {

using Args = std::span<Variant>;

Variant text(std::u16string s)
{
    return Variant::fromString(std::move(s));
}

Variant none()
{
    return Variant();
}

bool fileExists(std::u16string_view path)
{
    if (path.empty() || hasWildcards(path))
        return false;
    std::error_code ec;
    const fs::file_status st = fs::status(absoluteNative(path), ec);
    return fs::exists(st) && !fs::is_directory(st);
}

bool folderExists(std::u16string_view path)
{
    if (path.empty() || hasWildcards(path))
        return false;
    std::error_code ec;
    return fs::is_directory(absoluteNative(path), ec);
}

} // namespace

FileSystemObject::FileSystemObject() : DispatchObject(u"FileSystemObject")
{
    registerPathMembers();
    registerFileMembers();
}

fs::path FileSystemObject::specialFolder(int32_t which)
{
    switch (which) {
    case 0: return "/usr";
    case 1: return "/usr/bin";
    case 2: {
        std::error_code ec;
        fs::path tmp = fs::temp_directory_path(ec);
        return ec ? fs::path("/tmp") : absoluteNative(fromNative(tmp));
    }
    default: raise(err::InvalidCall);
    }
}

std::u16string FileSystemObject::tempName()
{
    static std::mt19937 random{std::random_device{}()};
    const uint32_t n = std::uniform_int_distribution<uint32_t>(0, 0xFFFFF)(random);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string name = u"rad";
    for (int shift = 16; shift >= 0; shift -= 4)
        name += kHex[(n >> shift) & 0xF];
    return name + u".tmp";
}

void FileSystemObject::registerPathMembers()
{
    addMethod(u"BuildPath", 2, 2, [](Args a) { return text(buildPath(textArg(a, 0), textArg(a, 1))); });
    addMethod(u"GetAbsolutePathName", 1, 1, [](Args a) { return text(fromNative(absoluteNative(textArg(a, 0)))); });
    addMethod(u"GetBaseName", 1, 1, [](Args a) { return text(baseNamePart(textArg(a, 0))); });
    addMethod(u"GetExtensionName", 1, 1, [](Args a) { return text(extensionPart(textArg(a, 0))); });
    addMethod(u"GetFileName", 1, 1, [](Args a) { return text(fileNamePart(textArg(a, 0))); });
    addMethod(u"GetParentFolderName", 1, 1, [](Args a) { return text(parentFolderPart(textArg(a, 0))); });
    addMethod(u"GetDriveName", 1, 1, [](Args a) { return text(driveNamePart(textArg(a, 0))); });
    addMethod(u"GetTempName", 0, 0, [](Args) { return text(tempName()); });
    addMethod(u"GetSpecialFolder", 1, 1, [](Args a) {
        return Variant::fromObject(DispatchPtr(new FolderObject(specialFolder(optionalLong(a, 0, -1)))));
    });
    addMethod(u"DriveExists", 1, 1, [](Args a) { return Variant::fromBool(driveExists(textArg(a, 0))); });
    addMethod(u"GetDrive", 1, 1, [](Args a) { return Variant::fromObject(makeDrive(textArg(a, 0))); });
    addProperty(u"Drives", [](Args) { return Variant::fromObject(DispatchPtr(new DrivesCollection())); });
    addMethod(u"FileExists", 1, 1, [](Args a) { return Variant::fromBool(fileExists(textArg(a, 0))); });
    addMethod(u"FolderExists", 1, 1, [](Args a) { return Variant::fromBool(folderExists(textArg(a, 0))); });
    // No version resources exist here.
    addMethod(u"GetFileVersion", 1, 1, [](Args a) {
        if (!fileExists(textArg(a, 0)))
            raise(err::FileNotFound);
        return text(u"");
    });
}

void FileSystemObject::registerFileMembers()
{
    addMethod(u"GetFile", 1, 1, [](Args a) { return Variant::fromObject(makeFile(textArg(a, 0))); });
    addMethod(u"GetFolder", 1, 1, [](Args a) { return Variant::fromObject(makeFolder(textArg(a, 0))); });
    addMethod(u"CreateFolder", 1, 1, [](Args a) {
        return Variant::fromObject(DispatchPtr(new FolderObject(createFolder(textArg(a, 0)))));
    });
    addMethod(u"CopyFile", 2, 3, [](Args a) {
        copyFiles(textArg(a, 0), textArg(a, 1), optionalBool(a, 2, true));
        return none();
    });
    addMethod(u"MoveFile", 2, 2, [](Args a) {
        moveFiles(textArg(a, 0), textArg(a, 1));
        return none();
    });
    addMethod(u"DeleteFile", 1, 2, [](Args a) {
        deleteFiles(textArg(a, 0), optionalBool(a, 1, false));
        return none();
    });
    addMethod(u"CopyFolder", 2, 3, [](Args a) {
        copyFolders(textArg(a, 0), textArg(a, 1), optionalBool(a, 2, true));
        return none();
    });
    addMethod(u"MoveFolder", 2, 2, [](Args a) {
        moveFolders(textArg(a, 0), textArg(a, 1));
        return none();
    });
    addMethod(u"DeleteFolder", 1, 2, [](Args a) {
        deleteFolders(textArg(a, 0), optionalBool(a, 1, false));
        return none();
    });
    addMethod(u"CreateTextFile", 1, 3, [](Args a) {
        return Variant::fromObject(
            TextStream::create(absoluteNative(textArg(a, 0)), optionalBool(a, 1, true), optionalBool(a, 2, false)));
    });
    addMethod(u"OpenTextFile", 1, 4, [](Args a) {
        const int32_t mode = optionalLong(a, 1, int32_t(IoMode::Reading));
        if (mode != 1 && mode != 2 && mode != 8)
            raise(err::InvalidCall);
        const int32_t format = optionalLong(a, 3, kTristateFalse);
        if (format != kTristateFalse && format != kTristateTrue && format != kTristateUseDefault)
            raise(err::InvalidCall);
        return Variant::fromObject(
            TextStream::open(absoluteNative(textArg(a, 0)), IoMode(mode), optionalBool(a, 2, false), format));
    });
}

} // namespace quillo::script::objects
