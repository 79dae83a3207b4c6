#pragma once
// Scripting.FileSystemObject: path text functions, file and folder operations, text
// files, and the File, Folder and Drive objects.

#include "scripting/core/DispatchObject.h"

#include <filesystem>

namespace quillo::script::objects {

class FileSystemObject : public DispatchObject {
public:
    FileSystemObject();

    // GetSpecialFolder: 0 the system's shared folder (/usr), 1 its programs (/usr/bin),
    // 2 the temporary folder (TMPDIR, else /tmp); 5 for anything else.
    static std::filesystem::path specialFolder(int32_t which);
    // "rad" + five hex digits + ".tmp", as the original makes them.
    static std::u16string tempName();

private:
    void registerPathMembers();
    void registerFileMembers();
};

} // namespace quillo::script::objects
