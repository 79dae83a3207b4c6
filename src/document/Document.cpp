#include "src/document/Document.h"

#include "src/document/DocumentHost.h"
#include "src/document/DocumentName.h"
#include "src/editor/DocumentBox.h"

#include <QFile>
#include <QFileInfo>

namespace quillo {

Document::Document(DocumentHost& host) : CurrentFile(QLatin1String(UntitledName)), m_host(host) {}

void Document::makeUntitled() {
    CurrentFile = QLatin1String(UntitledName);
    m_host.setCaption(documentCaption(CurrentFile));
}

void Document::showFileCaption() { m_host.setCaption(documentCaption(documentNameFromPath(CurrentFile))); }

namespace {
// The file's text with its line breaks as "\n", or nothing when it cannot be read.
std::optional<QString> readWholeFile(const QString& fileName) {
    if (!QFileInfo(fileName).isFile()) return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

bool Document::OpenFile(const QString& FileName) {
    if (FileName.isEmpty()) return false;
    const std::optional<QString> text = readWholeFile(FileName);
    if (!text) return false;
    m_host.activeBox().setTextDirect(*text);
    CurrentFile = FileName;
    ChooseLanguageFromName();
    showFileCaption();
    TextChanged = false;
    return true;
}

void Document::ChooseLanguageFromName() {
    if (const std::optional<Language> language = languageFromName(CurrentFile))
        m_host.runLanguageCommand(*language);
}

} // namespace quillo
