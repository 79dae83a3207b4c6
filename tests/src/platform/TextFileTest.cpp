// TextFile: byte-for-byte round trips, the format it detects, files it refuses, atomic
// writes; the settings stores.

#include "src/platform/IniSettingsStore.h"
#include "src/platform/MemorySettingsStore.h"
#include "src/platform/TextFile.h"
#include "tests/src/support/QtPrinters.h"
#include "tests/src/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillo {
namespace {

QByteArray bytesOf(const char* data, size_t size) { return QByteArray(data, qsizetype(size)); }
#define BYTES(literal) bytesOf(literal, sizeof(literal) - 1)

QByteArray readBack(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

TEST(TextFileTest, OneStyleFilesRoundTripByteForByte) {
    const struct {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
        LineEnding lineEnding;
        QString text;
    } cases[] = {
        {"empty", QByteArray(), TextEncoding::Utf8, LineEnding::Lf, QString()},
        {"utf-8 lf", BYTES("a\n\xC3\xA9\n"), TextEncoding::Utf8, LineEnding::Lf, QStringLiteral("a\n\u00E9\n")},
        {"utf-8 crlf", BYTES("x\r\ny\r\n"), TextEncoding::Utf8, LineEnding::CrLf, QStringLiteral("x\ny\n")},
        {"cr only", BYTES("x\ry"), TextEncoding::Utf8, LineEnding::Cr, QStringLiteral("x\ny")},
        {"utf-8 bom", BYTES("\xEF\xBB\xBFhi\r\n"), TextEncoding::Utf8Bom, LineEnding::CrLf, QStringLiteral("hi\n")},
        {"bom after bom", BYTES("\xEF\xBB\xBF\xEF\xBB\xBFx"), TextEncoding::Utf8Bom, LineEnding::Lf,
         QStringLiteral("\uFEFFx")},
        {"bom only", BYTES("\xEF\xBB\xBF"), TextEncoding::Utf8Bom, LineEnding::Lf, QString()},
        {"utf-16 le", BYTES("\xFF\xFEh\0i\0\r\0\n\0"), TextEncoding::Utf16LE, LineEnding::CrLf, QStringLiteral("hi\n")},
        {"utf-16 be", BYTES("\xFE\xFF\0h\0\n\xD8\x3D\xDE\x00"), TextEncoding::Utf16BE, LineEnding::Lf,
         QStringLiteral("h\n\U0001F600")},
        {"utf-16 odd length", BYTES("\xFF\xFEh"), TextEncoding::Windows1252, LineEnding::Lf,
         QStringLiteral("\u00FF\u00FEh")},
        {"windows-1252", BYTES("caf\xE9 \x80\x81\x9F\xA0\r\n"), TextEncoding::Windows1252, LineEnding::CrLf,
         QStringLiteral("caf\u00E9 \u20AC\u0081\u0178\u00A0\n")},
        {"overlong utf-8", BYTES("\xC0\xAF"), TextEncoding::Windows1252, LineEnding::Lf, QStringLiteral("\u00C0\u00AF")},
        {"surrogate in utf-8", BYTES("\xED\xA0\x80"), TextEncoding::Windows1252, LineEnding::Lf,
         QStringLiteral("\u00ED\u00A0\u20AC")},
        {"truncated utf-8", BYTES("ab\xE2\x82"), TextEncoding::Windows1252, LineEnding::Lf,
         QStringLiteral("ab\u00E2\u201A")},
        {"nul bytes", BYTES("a\0b\0\r\n"), TextEncoding::Utf8, LineEnding::CrLf, QStringView(u"a\0b\0\n", 5).toString()},
        {"no line break", BYTES("abc"), TextEncoding::Utf8, LineEnding::Lf, QStringLiteral("abc")},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TextFile decoded = TextFile::decode(c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.format.encoding, c.encoding);
        EXPECT_EQ(decoded.format.lineEnding, c.lineEnding);
        EXPECT_EQ(TextFile::encode(decoded.text, decoded.format), c.bytes);

        const QString path = writeTestFile(folder, QString::fromUtf8(c.name), c.bytes);
        QString error;
        const std::optional<TextFile> read = TextFile::read(path, &error);
        ASSERT_TRUE(read) << error.toStdString();
        EXPECT_EQ(read->text, c.text);
        ASSERT_TRUE(TextFile::write(path, read->text, read->format, &error)) << error.toStdString();
        EXPECT_EQ(readBack(path), c.bytes);
    }
}

TEST(TextFileTest, MixedLineEndingsWriteBackTheDominantStyle) {
    const struct {
        QByteArray bytes;
        LineEnding lineEnding;
        QByteArray written;
    } cases[] = {
        {"a\r\nb\r\nc\nd", LineEnding::CrLf, "a\r\nb\r\nc\r\nd"},
        {"a\nb\nc\r\nd\re", LineEnding::Lf, "a\nb\nc\nd\ne"},
        {"a\rb\rc\r\n", LineEnding::Cr, "a\rb\rc\r"},
        {"a\r\nb\n", LineEnding::CrLf, "a\r\nb\r\n"}, // a tie goes to CR LF
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const TextFile decoded = TextFile::decode(c.bytes);
        EXPECT_EQ(decoded.format.lineEnding, c.lineEnding);
        EXPECT_EQ(TextFile::encode(decoded.text, decoded.format), c.written);
    }
}

TEST(TextFileTest, LargeFilesRoundTripAcrossPieceBoundaries) {
    // Writes go in pieces of 64 K characters, so a piece ends at 1 M: a surrogate pair and
    // CR LF straddle it.
    QByteArray bytes(qsizetype(1) << 20, 'x');
    bytes[(1 << 20) - 2] = '\r';
    bytes[(1 << 20) - 1] = '\n';
    bytes += "\xF0\x9F\x98\x80";
    for (int i = 0; i < 3; ++i) bytes += QByteArray(1 << 20, 'y') + "\r\n";
    const TextFile decoded = TextFile::decode(bytes);
    EXPECT_EQ(decoded.format.lineEnding, LineEnding::CrLf);
    EXPECT_TRUE(TextFile::encode(decoded.text, decoded.format) == bytes);

    QString text(qsizetype(1) << 20, QLatin1Char('a'));
    text[(1 << 20) - 1] = QChar(0xD83D);
    text += QChar(0xDE00);
    EXPECT_EQ(TextFile::encode(text, {TextEncoding::Utf16LE, LineEnding::Lf}).size(), 2 + 2 * text.size());
    EXPECT_EQ(TextFile::encode(text, {TextEncoding::Utf8, LineEnding::Lf}).right(4), QByteArray("\xF0\x9F\x98\x80"));
}

TEST(TextFileTest, RefusesWhatIsNotAReadableRegularFile) {
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString unreadable = writeTestFile(folder, QStringLiteral("secret.txt"), "x");
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const bool root = ::geteuid() == 0;
    const QString names[] = {QString(), folder.filePath(QStringLiteral("missing.txt")), folder.path(),
                             fifo, QStringLiteral("/dev/null"), QStringLiteral("/dev/zero"), unreadable,
                             QStringLiteral("/proc/self/mem")};
    for (const QString& name : names) {
        if (name == unreadable && root) continue;
        SCOPED_TRACE(name.toStdString());
        QString error;
        EXPECT_FALSE(TextFile::read(name, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(TextFileTest, FailedWritesKeepTheOldFileWhole) {
    QTemporaryDir folder;
    const QString readOnly = writeTestFile(folder, QStringLiteral("ro.txt"), "old");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    const QString names[] = {readOnly, folder.filePath(QStringLiteral("no/such/folder.txt")), folder.path()};
    for (const QString& name : names) {
        if (name == readOnly && ::geteuid() == 0) continue;
        SCOPED_TRACE(name.toStdString());
        QString error;
        EXPECT_FALSE(TextFile::write(name, QStringLiteral("new"), {}, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readBack(readOnly), QByteArray("old"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("ro.txt")});
}

TEST(TextFileTest, OnlyWindows1252CannotHoldEveryCharacter) {
    const QString euro = QStringLiteral("\u20AC\u0081\u00FF");
    const QString greek = QStringLiteral("\u03B1");
    EXPECT_TRUE(TextFile::canEncode(euro, TextEncoding::Windows1252));
    EXPECT_FALSE(TextFile::canEncode(greek, TextEncoding::Windows1252));
    EXPECT_FALSE(TextFile::canEncode(QStringLiteral("\u0080"), TextEncoding::Windows1252));
    for (TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE, TextEncoding::Utf16BE})
        EXPECT_TRUE(TextFile::canEncode(greek, encoding));
}

TEST(SettingsStoreTest, ReadsDefaultsAndWrittenValues) {
    MemorySettingsStore memory;
    IniSettingsStore ini;
    for (SettingsStore* store : {static_cast<SettingsStore*>(&memory), static_cast<SettingsStore*>(&ini)}) {
        EXPECT_EQ(store->read(SettingsApplication, SettingsSection, QStringLiteral("Absent"), QStringLiteral("d")),
                  QStringLiteral("d"));
        store->write(SettingsApplication, SettingsSection, QStringLiteral("MRUFile0"), QStringLiteral("/a b/c.vbs"));
        EXPECT_EQ(store->read(SettingsApplication, SettingsSection, QStringLiteral("MRUFile0"), QString()),
                  QStringLiteral("/a b/c.vbs"));
    }
    ini.sync();
    // The INI file lies in the configuration folder the environment names.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    QFile file(config + QStringLiteral("/Brenholt.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[Tarka]")) << content.toStdString();
    EXPECT_TRUE(content.contains("MRUFile0=/a b/c.vbs")) << content.toStdString();
}

} // namespace
} // namespace quillo
