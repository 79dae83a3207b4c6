#pragma once
// The one document of the main window: its file name, its changed flag and the caption
// that follows them.

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

    // CurrentFile := "Untitled" and the caption "Untitled - Quillo 1.3".
    void makeUntitled();

    // Reads FileName whole into the visible box without raising its change handler and
    // makes it the document. Returns false, changing nothing, when the name is empty or
    // the file cannot be read.
    bool OpenFile(const QString& FileName);

    // Runs the Language command that CurrentFile's extension stands for (none while
    // untitled).
    void ChooseLanguageFromName();

    // The caption for a document with a file: its name without the folder.
    void showFileCaption();

private:
    DocumentHost& m_host;
};

} // namespace quillo
