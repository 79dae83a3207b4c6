#include "src/document/DocumentName.h"

#include "scripting/core/ProductInfo.h"

#include <algorithm>

namespace quillo {

bool isUntitled(const QString& currentFile) {
    return currentFile == QLatin1String(UntitledName);
}

QString GetFileNameFromPath(const QString& Path) {
    return Path.mid(Path.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString documentNameFromPath(const QString& path) {
    const qsizetype folderEnd = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(folderEnd + 1);
}

QString documentCaption(const QString& documentName) {
    const std::string_view titleAndVersion = product::TitleAndVersion;
    return documentName + QLatin1String(" - ") +
           QString::fromUtf8(titleAndVersion.data(), qsizetype(titleAndVersion.size()));
}

namespace {
bool endsWithLonger(const QString& name, QLatin1String extension) {
    return name.size() > extension.size() &&
           name.right(extension.size()).toLower() == extension;
}
} // namespace

std::optional<Language> languageFromName(const QString& currentFile) {
    if (isUntitled(currentFile)) return std::nullopt;
    if (endsWithLonger(currentFile, QLatin1String(".vbs"))) return Language::VBScript;
    if (endsWithLonger(currentFile, QLatin1String(".js"))) return Language::JScript;
    return Language::Text;
}

} // namespace quillo
