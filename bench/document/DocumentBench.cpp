// Opens and saves 1, 10 and 100 MB text files through TextFile and prints the times and
// the peak memory above what the program held before the open (the text counts for the
// save too), as a multiple of the file size.

#include "src/platform/TextFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using quillo::TextFile;

// Peak resident memory in bytes since the last reset (Linux VmHWM).
long long peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    return -1;
}

long long residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    return -1;
}

// Starts a new peak at the present resident size.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A script-like file of size bytes: lines of about 60 characters, CR LF, an accented letter
// now and then so that the UTF-8 path is taken.
bool writeSample(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray line = "    total = total + Cells(row, 3) ' caf\xC3\xA9 line of a script\r\n";
    QByteArray block;
    while (block.size() < (1 << 20)) block += line;
    for (qint64 written = 0; written < size;) {
        const qint64 n = std::min<qint64>(block.size(), size - written);
        if (file.write(block.constData(), n) != n) return false;
        written += n;
    }
    return true;
}

struct Measure {
    double seconds = 0;
    double peakRatio = 0; // peak above before / file size
};

template <typename Step>
Measure measure(qint64 size, long long before, Step&& step) {
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    step();
    Measure m;
    m.seconds = double(timer.nsecsElapsed()) / 1e9;
    m.peakRatio = double(peakResidentBytes() - before) / double(size);
    return m;
}

} // namespace

int main() {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "document-bench: no temporary folder\n");
        return 1;
    }
    std::printf("%-8s %10s %12s %10s %12s\n", "size", "open s", "open peak", "save s", "save peak");
    for (int megabytes : {1, 10, 100}) {
        const qint64 size = qint64(megabytes) << 20;
        const QString path = folder.filePath(QStringLiteral("sample%1.vbs").arg(megabytes));
        if (!writeSample(path, size)) {
            std::fprintf(stderr, "document-bench: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::optional<TextFile> file;
        const long long before = residentBytes();
        const Measure open = measure(size, before, [&] { file = TextFile::read(path); });
        if (!file) {
            std::fprintf(stderr, "document-bench: cannot read %s\n", qPrintable(path));
            return 1;
        }
        bool saved = false;
        const Measure save = measure(size, before, [&] { saved = TextFile::write(path, file->text, file->format); });
        if (!saved) {
            std::fprintf(stderr, "document-bench: cannot save %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%-8s %10.3f %11.2fx %10.3f %11.2fx\n", qPrintable(QStringLiteral("%1 MB").arg(megabytes)),
                    open.seconds, open.peakRatio, save.seconds, save.peakRatio);
        QFile::remove(path);
    }
    return 0;
}
