#pragma once
// The document's name as the user sees it: the caption rule, the file-name part of a
// path, and the script language a name stands for.

#include "src/document/Language.h"

#include <QString>
#include <optional>

namespace quillo {

// CurrentFile of a document that was never opened or saved; compared case-sensitively.
inline constexpr char UntitledName[] = "Untitled";

bool isUntitled(const QString& currentFile);

// The characters after the last backslash: the whole string when there is none, empty
// when it ends with one. Only "\" separates ("/" and ":" do not).
QString GetFileNameFromPath(const QString& Path);

// The name a document shows in the caption: the file name without its folder, which
// ends at the last "\" or, on this platform, the last "/".
QString documentNameFromPath(const QString& path);

// documentName + " - " + title and version: "Untitled - Quillo 1.3".
QString documentCaption(const QString& documentName);

// The language that a document name selects: nothing for the untitled document, VBScript
// for a name longer than ".vbs" ending in it, JScript likewise for ".js" (ignoring case),
// Text for every other name.
std::optional<Language> languageFromName(const QString& currentFile);

} // namespace quillo
