#include "src/document/FileCommands.h"

#include "src/document/Document.h"
#include "src/document/DocumentHost.h"
#include "src/document/DocumentName.h"
#include "src/document/RecentFiles.h"
#include "src/document/SavePrompt.h"
#include "src/editor/DocumentBox.h"
#include "src/platform/FileExists.h"
#include "src/platform/TextFile.h"

#include "scripting/core/ProductInfo.h"

namespace quillo {

using namespace msgbox;

namespace {
const QString CrLf = QStringLiteral("\r\n");
const QString OpenTitle = QStringLiteral("Open");
const QString SaveAsTitle = QStringLiteral("Save As");
const QString SaveTitle = QStringLiteral("Save");

QString applicationTitle() { return QString::fromUtf8(product::Title.data(), qsizetype(product::Title.size())); }
} // namespace

const QString FileCommands::FileFilter = QStringLiteral(
    "All Files (*.*)|*.*|JScript Files (*.js)|*.js|Text Files (*.txt)|*.txt|VBScript Files (*.vbs)|*.vbs|");

FileCommands::FileCommands(Document& document, DocumentHost& host, Dialogs& dialogs, RecentFiles& recentFiles)
    : m_document(document), m_host(host), m_dialogs(dialogs), m_recentFiles(recentFiles) {}

int FileCommands::msgBox(const QString& prompt, int style, const QString& title) {
    return m_dialogs.msgBox(m_host.dialogOwner(), prompt, style, title);
}

FileDialogRequest FileCommands::fileDialogRequest() const {
    FileDialogRequest request;
    request.filter = FileFilter;
    switch (m_host.checkedLanguage()) {
    case Language::JScript: request.filterIndex = 2; break;
    case Language::Text: request.filterIndex = 3; break;
    case Language::VBScript: request.filterIndex = 4; break;
    }
    request.fileName = m_dialogFileName;
    return request;
}

bool FileCommands::saveChangesFirst(const QString& title) {
    if (!savePromptNeeded(m_document.TextChanged, m_document.text(), m_document.CurrentFile)) return true;
    switch (msgBox(savePromptText(m_document.CurrentFile), vbYesNoCancel | vbExclamation, title)) {
    case vbYes:
        SaveFile(false);
        return !m_document.TextChanged;
    case vbNo: return true;
    default: return false;
    }
}

// ---- New and Open ---------------------------------------------------------------------

void FileCommands::MenuFileNew() {
    if (!saveChangesFirst(applicationTitle())) return;
    m_host.activeBox().setText(QString());
    m_host.resetUndoSnapshot(QString());
    m_document.TextChanged = false;
    m_document.Format = TextFormat{};
    m_document.makeUntitled();
}

void FileCommands::MenuFileOpen() {
    if (!saveChangesFirst(OpenTitle)) return;
    const std::optional<QString> name = m_dialogs.openFileName(m_host.dialogOwner(), fileDialogRequest());
    if (!name) return;
    m_dialogFileName = *name;
    if (name->isEmpty()) return;
    if (!fileExists(*name)) {
        msgBox(*name + CrLf + QStringLiteral("File not found.") + CrLf +
                   QStringLiteral("Please verify the correct file name was given."),
               vbOKOnly | vbExclamation, OpenTitle);
        return;
    }
    if (!m_document.OpenFile(*name))
        msgBox(*name + QStringLiteral(" is invalid and cannot be opened."), vbOKOnly | vbExclamation, OpenTitle);
}

// ---- Save -----------------------------------------------------------------------------

bool FileCommands::chooseSaveName() {
    const std::optional<QString> name = m_dialogs.saveFileName(m_host.dialogOwner(), fileDialogRequest());
    if (!name) return false;
    m_dialogFileName = *name;
    if (name->isEmpty()) return false;
    if (fileExists(*name) &&
        msgBox(*name + QStringLiteral(" already exists.") + CrLf + QStringLiteral("Do you want to replace it?"),
               vbYesNo | vbExclamation, SaveAsTitle) != vbYes)
        return false;
    m_document.CurrentFile = *name;
    return true;
}

bool FileCommands::writeDocument(const QString& title) {
    const QString text = m_document.text();
    TextFormat format = m_document.Format;
    if (!TextFile::canEncode(text, format.encoding)) {
        const QString question = m_document.CurrentFile +
                                 QStringLiteral(" contains characters that Windows-1252 cannot hold.") + CrLf + CrLf +
                                 QStringLiteral("Do you want to save it as UTF-8?");
        if (msgBox(question, vbYesNo | vbExclamation, title) != vbYes) return false;
        format.encoding = TextEncoding::Utf8;
    }
    QString reason;
    if (!TextFile::write(m_document.CurrentFile, text, format, &reason)) {
        msgBox(m_document.CurrentFile + CrLf + QStringLiteral("The file could not be saved: ") + reason + QLatin1Char('.'),
               vbOKOnly | vbExclamation, title);
        return false;
    }
    m_document.Format = format;
    return true;
}

void FileCommands::SaveFile(bool SaveAs) {
    const bool askName = SaveAs || isUntitled(m_document.CurrentFile);
    if (askName && !chooseSaveName()) return;
    if (!writeDocument(askName ? SaveAsTitle : SaveTitle)) return;
    m_document.showFileCaption();
    m_document.TextChanged = false;
    m_host.addRecentFile(m_document.CurrentFile);
    m_document.ChooseLanguageFromName();
}

// ---- Recent files and closing ---------------------------------------------------------

void FileCommands::offerToRemoveRecentFile(const QString& entry, const QString& message) {
    const QString question = entry + message + CrLf + CrLf + QStringLiteral("Would you like to remove this item from the menu?");
    if (msgBox(question, vbYesNo | vbQuestion, OpenTitle) == vbYes) m_recentFiles.RemoveRecentFile(entry);
}

void FileCommands::MenuFileMRU(int index) {
    const QString entry = m_recentFiles.entry(index);
    if (entry.isEmpty()) return;
    if (!saveChangesFirst(OpenTitle)) return;
    if (!fileExists(entry))
        offerToRemoveRecentFile(entry, QStringLiteral(" could not be found."));
    else if (!m_document.OpenFile(entry))
        offerToRemoveRecentFile(entry, QStringLiteral(" is invalid and cannot be opened."));
}

bool FileCommands::QueryUnload() { return saveChangesFirst(applicationTitle()); }

} // namespace quillo
