#include "src/platform/TextFile.h"

#include "scripting/core/Text.h"
#include "scripting/core/Windows1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillo {

namespace {

// Valid UTF-8 to text; a BOM at the start stays a character (QString::fromUtf8 would drop it).
QString fromValidUtf8(const char* data, qsizetype size) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(data, size));
}

QString fromUtf16(const char* data, qsizetype bytes, bool bigEndian) {
    QString text(bytes / 2, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes / 2; ++i)
        out[i] = bigEndian ? qFromBigEndian<quint16>(data + 2 * i) : qFromLittleEndian<quint16>(data + 2 * i);
    return text;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out[i] = script::windows1252ToUnicode(in[i]);
    }
    return text;
}

// Turns CR LF, CR and LF into "\n" in place and returns the style used most (LF for a
// text without line breaks; ties go to CR LF, then LF).
LineEnding normalizeLineEndings(QString& text) {
    if (!text.contains(QLatin1Char('\r'))) return LineEnding::Lf;
    qsizetype crlf = 0, lf = 0, cr = 0;
    QChar* begin = text.data();
    const QChar* in = begin;
    const QChar* end = begin + text.size();
    QChar* out = begin;
    while (in < end) {
        const char16_t c = in->unicode();
        if (c == u'\r') {
            if (in + 1 < end && in[1] == u'\n') {
                ++crlf;
                in += 2;
            } else {
                ++cr;
                ++in;
            }
            *out++ = QLatin1Char('\n');
        } else {
            if (c == u'\n') ++lf;
            *out++ = *in++;
        }
    }
    text.truncate(out - begin);
    if (crlf >= lf && crlf >= cr) return LineEnding::CrLf;
    return lf >= cr ? LineEnding::Lf : LineEnding::Cr;
}

QByteArray byteOrderMark(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF", 3);
    case TextEncoding::Utf16LE: return QByteArray("\xFF\xFE", 2);
    case TextEncoding::Utf16BE: return QByteArray("\xFE\xFF", 2);
    case TextEncoding::Utf8:
    case TextEncoding::Windows1252: break;
    }
    return {};
}

QByteArray encodePiece(QStringView piece, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: return piece.toUtf8();
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        QByteArray bytes(piece.size() * 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < piece.size(); ++i) {
            if (encoding == TextEncoding::Utf16LE)
                qToLittleEndian<quint16>(piece[i].unicode(), bytes.data() + 2 * i);
            else
                qToBigEndian<quint16>(piece[i].unicode(), bytes.data() + 2 * i);
        }
        return bytes;
    }
    case TextEncoding::Windows1252: {
        QByteArray bytes(piece.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < piece.size(); ++i) {
            bytes[i] = char(script::unicodeToWindows1252(piece[i].unicode()).value_or('?'));
        }
        return bytes;
    }
    }
    return {};
}

// Encodes text piece by piece (64 K characters at a time, never splitting a
// surrogate pair), so that a save holds only one piece's bytes beside the text.
template <typename Sink>
bool encodeInPieces(const QString& text, TextFormat format, Sink&& sink) {
    if (const QByteArray bom = byteOrderMark(format.encoding); !bom.isEmpty() && !sink(bom)) return false;
    constexpr qsizetype PieceSize = qsizetype(1) << 16;
    const QLatin1String lineBreak(format.lineEnding == LineEnding::CrLf ? "\r\n"
                                  : format.lineEnding == LineEnding::Cr ? "\r"
                                                                        : "\n");
    for (qsizetype pos = 0; pos < text.size();) {
        qsizetype length = std::min(PieceSize, text.size() - pos);
        if (pos + length < text.size() && text[pos + length - 1].isHighSurrogate()) ++length;
        QStringView piece = QStringView(text).mid(pos, length);
        QByteArray bytes;
        if (format.lineEnding == LineEnding::Lf || !piece.contains(QLatin1Char('\n'))) {
            bytes = encodePiece(piece, format.encoding);
        } else {
            QString converted = piece.toString();
            converted.replace(QLatin1Char('\n'), lineBreak);
            bytes = encodePiece(converted, format.encoding);
        }
        if (!sink(bytes)) return false;
        pos += length;
    }
    return true;
}

QString errnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

// The whole content of a regular file. The type is tested before opening, so that a FIFO
// or a device is never opened, and again on the open descriptor (opened without blocking)
// in case the name changed in between.
std::optional<QByteArray> readRegularFile(const QString& path, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0) {
        setError(error, name.isEmpty() ? QStringLiteral("No file name") : errnoText(errno));
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        setError(error, QStringLiteral("Not a regular file"));
        return std::nullopt;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error, errnoText(errno));
        return std::nullopt;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        setError(error, QStringLiteral("Not a regular file"));
        return std::nullopt;
    }
    if (info.st_size > TextFile::MaxSize) {
        setError(error, QStringLiteral("The file is too large"));
        return std::nullopt;
    }
    // Read to the end rather than to the size stat reported: files under /proc report 0.
    QByteArray bytes(qsizetype(info.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (bytes.size() > TextFile::MaxSize) {
                setError(error, QStringLiteral("The file is too large"));
                return std::nullopt;
            }
            bytes.resize(std::min<qsizetype>(bytes.size() * 2 + 4096, TextFile::MaxSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            setError(error, errnoText(errno));
            return std::nullopt;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

} // namespace

TextFile TextFile::decode(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    TextFile file;
    const std::string_view all(bytes.constData(), size_t(size));
    if (all.starts_with("\xEF\xBB\xBF") && script::isValidUtf8(all.substr(3))) {
        file.format.encoding = TextEncoding::Utf8Bom;
        file.text = fromValidUtf8(bytes.constData() + 3, size - 3);
    } else if (size >= 2 && size % 2 == 0 && data[0] == 0xFF && data[1] == 0xFE) {
        file.format.encoding = TextEncoding::Utf16LE;
        file.text = fromUtf16(bytes.constData() + 2, size - 2, false);
    } else if (size >= 2 && size % 2 == 0 && data[0] == 0xFE && data[1] == 0xFF) {
        file.format.encoding = TextEncoding::Utf16BE;
        file.text = fromUtf16(bytes.constData() + 2, size - 2, true);
    } else if (script::isValidUtf8(all)) {
        file.format.encoding = TextEncoding::Utf8;
        file.text = fromValidUtf8(bytes.constData(), size);
    } else {
        file.format.encoding = TextEncoding::Windows1252;
        file.text = fromWindows1252(bytes);
    }
    file.format.lineEnding = normalizeLineEndings(file.text);
    return file;
}

QByteArray TextFile::encode(const QString& text, TextFormat format) {
    QByteArray bytes;
    encodeInPieces(text, format, [&](const QByteArray& piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

bool TextFile::canEncode(const QString& text, TextEncoding encoding) {
    if (encoding != TextEncoding::Windows1252) return true;
    for (const QChar c : text)
        if (!script::unicodeToWindows1252(c.unicode())) return false;
    return true;
}

std::optional<TextFile> TextFile::read(const QString& path, QString* error) {
    try {
        std::optional<QByteArray> bytes = readRegularFile(path, error);
        if (!bytes) return std::nullopt;
        TextFile file = decode(*bytes);
        return file;
    } catch (const std::bad_alloc&) {
        setError(error, QStringLiteral("Not enough memory"));
        return std::nullopt;
    }
}

bool TextFile::write(const QString& path, const QString& text, TextFormat format, QString* error) {
    // The save goes through a new file renamed over the old one, which would also replace
    // a file the user may not write to; refuse that as a plain write would.
    const QByteArray name = QFile::encodeName(path);
    if (!name.isEmpty() && ::access(name.constData(), F_OK) == 0 && ::access(name.constData(), W_OK) != 0) {
        setError(error, errnoText(errno));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    try {
        const bool written = encodeInPieces(text, format, [&](const QByteArray& piece) {
            return file.write(piece) == piece.size();
        });
        if (written && file.commit()) return true;
    } catch (const std::bad_alloc&) {
        file.cancelWriting();
        setError(error, QStringLiteral("Not enough memory"));
        return false;
    }
    setError(error, file.errorString());
    return false;
}

} // namespace quillo
