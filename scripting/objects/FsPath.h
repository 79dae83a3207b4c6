#pragma once
// Path text as scripts write it ("/" and "\" both separate) and its native form.
// The name functions work on the text alone, as the FileSystemObject's do: they keep
// the separators the script used and never look at the disk.

#include <filesystem>
#include <string>
#include <string_view>

namespace quillo::script::objects {

bool isSeparator(char16_t c);

// Script path -> native path ("\" becomes "/"); UTF-8 on disk.
std::filesystem::path toNative(std::u16string_view path);
std::u16string fromNative(const std::filesystem::path& path);
// Absolute and normalised (".." and "." resolved lexically), no trailing separator
// except for the root; relative paths start at the current folder.
std::filesystem::path absoluteNative(std::u16string_view path);

// "c.txt" of "a/b/c.txt"; trailing separators are ignored ("a" of "/a/").
std::u16string fileNamePart(std::u16string_view path);
// "c" of "a/b/c.txt", "c.tar" of "c.tar.gz".
std::u16string baseNamePart(std::u16string_view path);
// "txt" of "a/b/c.txt"; empty without a dot.
std::u16string extensionPart(std::u16string_view path);
// "a/b" of "a/b/c.txt", "/" of "/a", empty for "a" and "/".
std::u16string parentFolderPart(std::u16string_view path);
// "a/b" from "a" and "b"; one separator between them, "\" when `path` only uses "\".
std::u16string buildPath(std::u16string_view path, std::u16string_view name);
// "/" for an absolute path, "X:" for a drive-letter path, empty otherwise.
std::u16string driveNamePart(std::u16string_view path);
// True when the last character is a separator (a folder is meant).
bool endsWithSeparator(std::u16string_view path);

// "*" and "?" in the last component.
bool hasWildcards(std::u16string_view name);
// Matches names as the original platform does: letter case ignored, "*.*" matches
// every name.
bool wildcardMatch(std::u16string_view pattern, std::u16string_view name);

} // namespace quillo::script::objects
