#include "scripting/objects/TextStream.h"

#include "scripting/core/Convert.h"
#include "scripting/core/ErrorTable.h"
#include "scripting/objects/FileInfo.h"
#include "scripting/objects/FsErrors.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace quillo::script::objects {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kBadFileNumber = 52;
constexpr int32_t kBadFileMode = 54;
constexpr int32_t kInputPastEnd = 62;
constexpr std::u16string_view kNewLine = u"\r\n";

int32_t lastErrno(int32_t missing)
{
    return errorNumber(std::error_code(errno, std::generic_category()), missing);
}

std::string readBytes(const fs::path& path)
{
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        raise(lastErrno(err::FileNotFound));
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        raise(57);
    return bytes;
}

// 76 when the folder the file would go into does not exist, 70 when `path` is a folder.
void checkTarget(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        raise(err::PermissionDenied);
    const fs::path parent = path.parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec))
        raise(err::PathNotFound);
}

} // namespace

TextStream::TextStream() : DispatchObject(u"TextStream")
{
    registerMembers();
}

TextStream::~TextStream()
{
    if (file_)
        std::fclose(file_);
}

Ref<TextStream> TextStream::open(const fs::path& path, IoMode mode, bool create, int32_t format)
{
    if (path.empty())
        raise(kBadFileNumber);
    checkTarget(path);
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    if (!exists && !create)
        raise(err::FileNotFound);
    if (exists && mode != IoMode::Reading && isReadOnly(path))
        raise(err::PermissionDenied);

    Ref<TextStream> s(new TextStream());
    s->mode_ = mode;
    if (mode == IoMode::Reading) {
        if (!exists) {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (!f)
                raise(lastErrno(err::PathNotFound));
            std::fclose(f);
        }
        const std::string bytes = exists ? readBytes(path) : std::string();
        s->format_ = format == kTristateTrue      ? TextFormat::Unicode
                     : format == kTristateUseDefault ? detectFormat(bytes)
                                                     : TextFormat::Ascii;
        s->text_ = decodeText(bytes, s->format_);
        return s;
    }
    // A file appended to keeps the format it has when the default is asked for.
    uintmax_t size = exists ? fs::file_size(path, ec) : 0;
    if (ec)
        size = 0;
    TextFormat fmt = format == kTristateTrue ? TextFormat::Unicode : TextFormat::Ascii;
    if (format == kTristateUseDefault && mode == IoMode::Appending && size >= 2) {
        std::ifstream in(path, std::ios::binary);
        char head[2] = {};
        in.read(head, 2);
        fmt = detectFormat(std::string_view(head, 2));
    }
    s->format_ = fmt;
    errno = 0;
    s->file_ = std::fopen(path.c_str(), mode == IoMode::Writing ? "wb" : "ab");
    if (!s->file_)
        raise(lastErrno(err::PathNotFound));
    if (mode == IoMode::Writing || size == 0) {
        const std::string_view bom = byteOrderMark(fmt);
        if (!bom.empty() && std::fwrite(bom.data(), 1, bom.size(), s->file_) != bom.size())
            raise(lastErrno(err::PathNotFound));
    }
    return s;
}

Ref<TextStream> TextStream::create(const fs::path& path, bool overwrite, bool unicode)
{
    if (path.empty())
        raise(kBadFileNumber);
    std::error_code ec;
    if (fs::exists(path, ec) && !overwrite)
        raise(err::FileExists);
    return open(path, IoMode::Writing, true, unicode ? kTristateTrue : kTristateFalse);
}

void TextStream::registerMembers()
{
    addMethod(u"Read", 1, 1, [this](std::span<Variant> a) { return Variant::fromString(read(toLong(a[0]))); });
    addMethod(u"ReadLine", 0, 0, [this](std::span<Variant>) { return Variant::fromString(readLine()); });
    addMethod(u"ReadAll", 0, 0, [this](std::span<Variant>) { return Variant::fromString(readAll()); });
    addMethod(u"Skip", 1, 1, [this](std::span<Variant> a) {
        skip(toLong(a[0]));
        return Variant();
    });
    addMethod(u"SkipLine", 0, 0, [this](std::span<Variant>) {
        skipLine();
        return Variant();
    });
    addMethod(u"Write", 1, 1, [this](std::span<Variant> a) {
        write(toText(a[0]));
        return Variant();
    });
    addMethod(u"WriteLine", 0, 1, [this](std::span<Variant> a) {
        writeLine(a.empty() || a[0].deref().isMissing() ? std::u16string() : toText(a[0]));
        return Variant();
    });
    addMethod(u"WriteBlankLines", 1, 1, [this](std::span<Variant> a) {
        writeBlankLines(toLong(a[0]));
        return Variant();
    });
    addMethod(u"Close", 0, 0, [this](std::span<Variant>) {
        close();
        return Variant();
    });
    addProperty(u"AtEndOfStream", [this](std::span<Variant>) { return Variant::fromBool(atEndOfStream()); });
    addProperty(u"AtEndOfLine", [this](std::span<Variant>) { return Variant::fromBool(atEndOfLine()); });
    addProperty(u"Line", [this](std::span<Variant>) { return Variant::fromLong(line()); });
    addProperty(u"Column", [this](std::span<Variant>) { return Variant::fromLong(column()); });
}

void TextStream::requireReading() const
{
    if (closed_)
        raise(kBadFileNumber);
    if (mode_ != IoMode::Reading)
        raise(kBadFileMode);
}

void TextStream::requireWriting() const
{
    if (closed_)
        raise(kBadFileNumber);
    if (mode_ == IoMode::Reading)
        raise(kBadFileMode);
}

// CR LF, LF and a lone CR each end a line.
size_t TextStream::lineEnd() const
{
    const size_t at = text_.find_first_of(u"\r\n", pos_);
    return at == std::u16string::npos ? text_.size() : at;
}

size_t TextStream::afterLineBreak(size_t at) const
{
    if (at >= text_.size())
        return at;
    if (text_[at] == u'\r' && at + 1 < text_.size() && text_[at + 1] == u'\n')
        return at + 2;
    return at + 1;
}

void TextStream::advance(size_t count)
{
    const size_t end = std::min(text_.size(), pos_ + count);
    for (; pos_ < end; ++pos_) {
        const char16_t c = text_[pos_];
        const bool crBeforeLf = c == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n';
        if (c == u'\n' || (c == u'\r' && !crBeforeLf)) {
            ++line_;
            column_ = 1;
        } else if (!crBeforeLf) {
            ++column_;
        }
    }
}

std::u16string TextStream::read(int32_t count)
{
    requireReading();
    if (count < 0)
        raise(err::InvalidCall);
    if (count > 0 && atEndOfStream())
        raise(kInputPastEnd);
    const size_t start = pos_;
    advance(size_t(count));
    return text_.substr(start, pos_ - start);
}

std::u16string TextStream::readLine()
{
    requireReading();
    if (atEndOfStream())
        raise(kInputPastEnd);
    const size_t start = pos_;
    const size_t end = lineEnd();
    advance(afterLineBreak(end) - pos_);
    return text_.substr(start, end - start);
}

std::u16string TextStream::readAll()
{
    requireReading();
    if (atEndOfStream())
        raise(kInputPastEnd);
    const size_t start = pos_;
    advance(text_.size() - pos_);
    return text_.substr(start);
}

void TextStream::skip(int32_t count)
{
    requireReading();
    if (count < 0)
        raise(err::InvalidCall);
    if (count > 0 && atEndOfStream())
        raise(kInputPastEnd);
    advance(size_t(count));
}

void TextStream::skipLine()
{
    requireReading();
    if (atEndOfStream())
        raise(kInputPastEnd);
    advance(afterLineBreak(lineEnd()) - pos_);
}

bool TextStream::atEndOfStream() const
{
    requireReading();
    return pos_ >= text_.size();
}

bool TextStream::atEndOfLine() const
{
    requireReading();
    return pos_ >= text_.size() || text_[pos_] == u'\r' || text_[pos_] == u'\n';
}

void TextStream::track(std::u16string_view written)
{
    for (char16_t c : written) {
        if (c == u'\n') {
            if (!pendingCR_)
                ++line_;
            column_ = 1;
        } else if (c == u'\r') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        pendingCR_ = c == u'\r';
    }
}

void TextStream::write(std::u16string_view text)
{
    requireWriting();
    const std::string bytes = encodeText(text, format_);
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        raise(lastErrno(err::PathNotFound));
    track(text);
}

void TextStream::writeLine(std::u16string_view text)
{
    std::u16string line(text);
    line += kNewLine;
    write(line);
}

void TextStream::writeBlankLines(int32_t count)
{
    requireWriting();
    if (count < 0)
        raise(err::InvalidCall);
    // In chunks, so a huge count does not build a huge string.
    std::u16string chunk;
    for (int32_t i = 0; i < std::min(count, 4096); ++i)
        chunk += kNewLine;
    for (int32_t left = count; left > 0; left -= 4096)
        write(left >= 4096 ? std::u16string_view(chunk) : std::u16string_view(chunk).substr(0, size_t(left) * 2));
}

void TextStream::close()
{
    if (closed_)
        return;
    closed_ = true;
    text_.clear();
    if (file_) {
        errno = 0;
        const bool ok = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!ok)
            raise(lastErrno(err::PathNotFound));
    }
}

} // namespace quillo::script::objects
