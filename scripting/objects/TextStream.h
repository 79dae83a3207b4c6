#pragma once
// TextStream: a text file opened for reading (decoded whole when opened, so reading
// is indexing into one string) or for writing and appending (encoded per call,
// buffered by the C library, flushed on Close and when the last reference goes).

#include "scripting/core/DispatchObject.h"
#include "scripting/objects/TextEncoding.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace quillo::script::objects {

enum class IoMode { Reading = 1, Writing = 2, Appending = 8 };

// OpenTextFile's format argument.
enum Tristate : int32_t { kTristateUseDefault = -2, kTristateTrue = -1, kTristateFalse = 0 };

class TextStream : public DispatchObject {
public:
    // OpenTextFile: 53 when the file is missing and `create` is false, 76 when its
    // folder is missing, 70 for a folder, a read-only file opened to write, or no access.
    static Ref<TextStream> open(const std::filesystem::path& path, IoMode mode, bool create, int32_t format);
    // CreateTextFile: 58 when the file exists and `overwrite` is false.
    static Ref<TextStream> create(const std::filesystem::path& path, bool overwrite, bool unicode);
    ~TextStream() override;

    // The members as C++ calls: 62 past the end, 54 in the wrong mode, 52 once closed.
    std::u16string read(int32_t count);
    std::u16string readLine();
    std::u16string readAll();
    void skip(int32_t count);
    void skipLine();
    void write(std::u16string_view text);
    void writeLine(std::u16string_view text);
    void writeBlankLines(int32_t count);
    void close();
    bool atEndOfStream() const;
    bool atEndOfLine() const;
    int32_t line() const { return line_; }
    int32_t column() const { return column_; }

private:
    TextStream();
    void registerMembers();
    void requireReading() const;
    void requireWriting() const;
    // Moves the read position over `count` characters, counting lines and columns.
    void advance(size_t count);
    void track(std::u16string_view written);
    size_t lineEnd() const;          // position of the line break at or after pos_
    size_t afterLineBreak(size_t at) const;

    IoMode mode_ = IoMode::Reading;
    TextFormat format_ = TextFormat::Ascii;
    bool closed_ = false;
    std::u16string text_; // reading: the whole file
    size_t pos_ = 0;
    std::FILE* file_ = nullptr; // writing and appending
    int32_t line_ = 1;
    int32_t column_ = 1;
    bool pendingCR_ = false; // writing: the last character written was CR
};

} // namespace quillo::script::objects
