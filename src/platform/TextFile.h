#pragma once
// Whole-file text reading and writing. A read remembers the file's encoding and its
// dominant line ending; writing with that format gives back the same bytes for a file
// that uses one line-ending style. Writes are atomic: a failed save leaves the old file
// whole.

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillo {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Windows1252 };
enum class LineEnding { CrLf, Lf, Cr };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnding lineEnding = LineEnding::Lf;
    bool operator==(const TextFormat&) const = default;
};

struct TextFile {
    QString text; // line breaks as "\n"
    TextFormat format;

    // Larger files are refused rather than read: their text would not fit the editor.
    static constexpr qint64 MaxSize = qint64(1) << 30;

    // Reads a regular file whole. Nothing, with the reason in error, for a missing file,
    // a directory, a FIFO, a device, an unreadable or a too large file; never blocks.
    static std::optional<TextFile> read(const QString& path, QString* error = nullptr);

    // Whether text can be written in encoding without losing characters.
    static bool canEncode(const QString& text, TextEncoding encoding);

    // Replaces or creates path atomically with text in format; false with the reason in
    // error when the file could not be written (the old file is then unchanged).
    static bool write(const QString& path, const QString& text, TextFormat format,
                      QString* error = nullptr);

    // The conversions on their own.
    static TextFile decode(const QByteArray& bytes);
    static QByteArray encode(const QString& text, TextFormat format);
};

} // namespace quillo
