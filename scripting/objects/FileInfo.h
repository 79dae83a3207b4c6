#pragma once
// What the File and Folder objects read from the disk: dates as local OLE dates,
// attributes in the original platform's bits.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quillo::script::objects {

enum FileAttribute : int32_t {
    kAttrNormal = 0,
    kAttrReadOnly = 1, // the owner may not write
    kAttrHidden = 2,   // the name starts with "."
    kAttrDirectory = 16,
    kAttrArchive = 32, // every regular file
    kAttrAlias = 1024, // a symbolic link
};

struct FileTimes {
    double created = 0;  // birth time where the file system records it, else modified
    double accessed = 0;
    double modified = 0;
};

// Throws ScriptError `missing` (53 or 76) when the path cannot be read.
FileTimes fileTimes(const std::filesystem::path& path, int32_t missing);
int32_t fileAttributes(const std::filesystem::path& path, int32_t missing);
// Only the read-only bit can be changed here.
void setFileAttributes(const std::filesystem::path& path, int32_t attributes, int32_t missing);
bool isReadOnly(const std::filesystem::path& path);

// The entries of a folder, in directory order; throws `missing` or the error number of
// a failure while reading it.
std::vector<std::filesystem::directory_entry> folderEntries(const std::filesystem::path& folder, int32_t missing);

// Seconds since 1970 (UTC) as a local OLE date, whole seconds.
double unixTimeToOle(int64_t seconds);

// The description File.Type and Folder.Type show: "Text Document", "File folder",
// "TXT File" style for other extensions, "File" without one.
std::u16string fileTypeName(const std::filesystem::path& path, bool isFolder);

} // namespace quillo::script::objects
