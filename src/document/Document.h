#pragma once
// The one document of the main window: its file name, its changed flag and the caption
// that follows them.

#include "src/platform/TextFile.h"

#include <QString>

namespace quillo {

class DocumentHost;

class Document {
public:
    explicit Document(DocumentHost& host);

    // Full path as given to open or chosen to save, or "Untitled".
    QString CurrentFile;
    // True when the text was edited since it was last loaded, saved or cleared.
    bool TextChanged = false;
    // How the file was encoded and broke its lines, so that a save writes it back the
    // same way; UTF-8 with LF for a new document.
    TextFormat Format;

    // CurrentFile := "Untitled" and the caption "Untitled - Quillo 1.3".
    void makeUntitled();

    // Reads FileName whole into the visible box without raising its change handler and
    // makes it the document: CurrentFile, language, caption, undo snapshot, TextChanged and
    // the recent-files list, in this order. Returns false, changing nothing, when the name
    // is empty or the file cannot be read.
    bool OpenFile(const QString& FileName);

    // Runs the Language command that CurrentFile's extension stands for (none while
    // untitled).
    void ChooseLanguageFromName();

    // The caption for a document with a file: its name without the folder.
    void showFileCaption();

    // The visible box's text, every character as it is (no-break spaces included).
    QString text() const;

private:
    DocumentHost& m_host;
};

} // namespace quillo
