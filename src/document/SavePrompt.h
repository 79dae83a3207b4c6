#pragma once
// The save-changes question asked before the document is replaced or the window closes.

#include <QString>

namespace quillo {

// Asked when the text changed, unless the document is empty and untitled at once.
bool savePromptNeeded(bool textChanged, const QString& text, const QString& currentFile);

// "The text in the file <CurrentFile> has changed." CR LF CR LF "Do you want to save the
// changes?"
QString savePromptText(const QString& currentFile);

} // namespace quillo
