#pragma once
// The copy, move, delete and create operations FileSystemObject, File and Folder
// share. Sources may end in a wildcard pattern ("*.txt"); a destination ending in a
// separator names an existing folder to put things into. Failures throw ScriptError:
// 53 File not found, 76 Path not found, 58 File already exists, 70 Permission denied.

#include <filesystem>
#include <string_view>

namespace quillo::script::objects {

void copyFiles(std::u16string_view source, std::u16string_view destination, bool overwrite);
void moveFiles(std::u16string_view source, std::u16string_view destination);
void deleteFiles(std::u16string_view spec, bool force);
void copyFolders(std::u16string_view source, std::u16string_view destination, bool overwrite);
void moveFolders(std::u16string_view source, std::u16string_view destination);
void deleteFolders(std::u16string_view spec, bool force);
// Returns the folder's absolute path.
std::filesystem::path createFolder(std::u16string_view path);

} // namespace quillo::script::objects
