#include "src/platform/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillo {

namespace {

// Windows-1252 for bytes 0x80 to 0x9F; the five unassigned bytes keep their C1 code
// points, so that every byte reads and writes back unchanged.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte for c, or -1.
int windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    for (size_t i = 0; i < Windows1252High.size(); ++i)
        if (Windows1252High[i] == c) return int(0x80 + i);
    return -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. ASCII is
// skipped eight bytes at a time.
bool isValidUtf8(const unsigned char* s, qsizetype size) {
    const unsigned char* end = s + size;
    while (s < end) {
        if (end - s >= 8) {
            quint64 word;
            std::memcpy(&word, s, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                s += 8;
                continue;
            }
        }
        const unsigned lead = *s;
        if (lead < 0x80) {
            ++s;
            continue;
        }
        int length;
        unsigned low = 0x80, high = 0xBF; // range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (end - s < length || s[1] < low || s[1] > high) return false;
        for (int i = 2; i < length; ++i)
            if ((s[i] & 0xC0) != 0x80) return false;
        s += length;
    }
    return true;
}

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
        const unsigned char b = in[i];
        out[i] = (b >= 0x80 && b <= 0x9F) ? Windows1252High[b - 0x80] : char16_t(b);
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
            const int b = windows1252Byte(piece[i].unicode());
            bytes[i] = char(b < 0 ? '?' : b);
        }
        return bytes;
    }
    }
    return {};
}

// Encodes text piece by piece (a megabyte of characters at a time, never splitting a
// surrogate pair), so that a save holds only one piece's bytes beside the text.
template <typename Sink>
bool encodeInPieces(const QString& text, TextFormat format, Sink&& sink) {
    if (const QByteArray bom = byteOrderMark(format.encoding); !bom.isEmpty() && !sink(bom)) return false;
    constexpr qsizetype PieceSize = qsizetype(1) << 20;
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
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF && isValidUtf8(data + 3, size - 3)) {
        file.format.encoding = TextEncoding::Utf8Bom;
        file.text = fromValidUtf8(bytes.constData() + 3, size - 3);
    } else if (size >= 2 && size % 2 == 0 && data[0] == 0xFF && data[1] == 0xFE) {
        file.format.encoding = TextEncoding::Utf16LE;
        file.text = fromUtf16(bytes.constData() + 2, size - 2, false);
    } else if (size >= 2 && size % 2 == 0 && data[0] == 0xFE && data[1] == 0xFF) {
        file.format.encoding = TextEncoding::Utf16BE;
        file.text = fromUtf16(bytes.constData() + 2, size - 2, true);
    } else if (isValidUtf8(data, size)) {
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
        if (windows1252Byte(c.unicode()) < 0) return false;
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
