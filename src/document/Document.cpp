#include "src/document/Document.h"

#include "src/document/DocumentHost.h"
#include "src/document/DocumentName.h"
#include "src/editor/DocumentBox.h"

#include <QTextDocument>

namespace quillo {

Document::Document(DocumentHost& host) : CurrentFile(QLatin1String(UntitledName)), m_host(host) {}

void Document::makeUntitled() {
    CurrentFile = QLatin1String(UntitledName);
    m_host.setCaption(documentCaption(CurrentFile));
}

void Document::showFileCaption() { m_host.setCaption(documentCaption(documentNameFromPath(CurrentFile))); }

bool Document::OpenFile(const QString& FileName) {
    if (FileName.isEmpty()) return false;
    std::optional<TextFile> file = TextFile::read(FileName);
    if (!file) return false;
    m_host.activeBox().setTextDirect(file->text);
    Format = file->format;
    CurrentFile = FileName;
    ChooseLanguageFromName();
    showFileCaption();
    m_host.resetUndoSnapshot(file->text);
    TextChanged = false;
    m_host.addRecentFile(CurrentFile);
    return true;
}

QString Document::text() const { return m_host.activeBox().text(); }

void Document::ChooseLanguageFromName() {
    if (const std::optional<Language> language = languageFromName(CurrentFile))
        m_host.runLanguageCommand(*language);
}

} // namespace quillo
