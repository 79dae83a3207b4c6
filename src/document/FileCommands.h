#pragma once
// The File menu's document commands: New, Open..., Save, Save As..., choosing a recent
// file, and the save-changes question when the window closes.

#include "src/platform/Dialogs.h"

#include <QString>

namespace quillo {

class Document;
class DocumentHost;
class RecentFiles;

class FileCommands {
public:
    FileCommands(Document& document, DocumentHost& host, Dialogs& dialogs, RecentFiles& recentFiles);

    // "All Files (*.*)|*.*|JScript Files (*.js)|*.js|..." for Open and Save As.
    static const QString FileFilter;

    void MenuFileNew();
    void MenuFileOpen();
    // Save (false) or Save As (true). A name is asked for when SaveAs is set or the
    // document is untitled; callers learn the outcome from TextChanged.
    void SaveFile(bool SaveAs);
    // The recent-files item index was chosen.
    void MenuFileMRU(int index);
    // The close request: true when the window may close.
    bool QueryUnload();

private:
    // The save-changes question under title; Yes saves. True when the caller may go on
    // replacing or closing the document: not after Cancel, nor after a save that left
    // the text unsaved (dialog cancelled, name refused, write failed).
    bool saveChangesFirst(const QString& title);
    // The Open and Save As dialogs' start: the filter index follows the language, the
    // file name is the one the dialog last held.
    FileDialogRequest fileDialogRequest() const;
    // Asks for the name to save under; false when the save stops.
    bool chooseSaveName();
    // Writes the text to CurrentFile; on failure tells the user under title.
    bool writeDocument(const QString& title);
    // Shows message with the question icon and Yes/No under "Open"; Yes removes entry.
    void offerToRemoveRecentFile(const QString& entry, const QString& message);
    int msgBox(const QString& prompt, int style, const QString& title);

    Document& m_document;
    DocumentHost& m_host;
    Dialogs& m_dialogs;
    RecentFiles& m_recentFiles;
    // The file name the one file dialog object holds between uses.
    QString m_dialogFileName;
};

} // namespace quillo
