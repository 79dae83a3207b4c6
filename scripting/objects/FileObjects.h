#pragma once
// File, Folder and Drive, and the collections that hold them (Files, Folders, Drives).
// Each object names a path and reads the disk when a member is used, so it sees
// changes made after it was created. Default member: Path.

#include "scripting/core/DispatchObject.h"

#include <filesystem>

namespace quillo::script::objects {

class FileObject : public DispatchObject {
public:
    // `path` is absolute; GetFile has checked that it is a file.
    explicit FileObject(std::filesystem::path path);

private:
    std::filesystem::path path_;
};

class FolderObject : public DispatchObject {
public:
    explicit FolderObject(std::filesystem::path path);

private:
    std::filesystem::path path_;
};

// A folder's files or subfolders, listed afresh for each use, sorted by name.
class FolderListing : public DispatchObject {
public:
    FolderListing(std::filesystem::path folder, bool folders);

private:
    std::vector<std::filesystem::path> list() const;
    std::filesystem::path folder_;
    bool folders_;
};

// This system has one drive, the root of the file system.
class DriveObject : public DispatchObject {
public:
    DriveObject();
};

class DrivesCollection : public DispatchObject {
public:
    DrivesCollection();
};

// 53 when `path` is not a file, 76 when not a folder.
DispatchPtr makeFile(std::u16string_view path);
DispatchPtr makeFolder(std::u16string_view path);
// 68 Device unavailable for anything but the root ("/", "\", or a path on it).
DispatchPtr makeDrive(std::u16string_view spec);
bool driveExists(std::u16string_view spec);

} // namespace quillo::script::objects
