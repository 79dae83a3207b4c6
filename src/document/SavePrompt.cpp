#include "src/document/SavePrompt.h"

#include "src/document/DocumentName.h"

namespace quillo {

bool savePromptNeeded(bool textChanged, const QString& text, const QString& currentFile) {
    return textChanged && !(text.isEmpty() && isUntitled(currentFile));
}

QString savePromptText(const QString& currentFile) {
    return QStringLiteral("The text in the file ") + currentFile +
           QStringLiteral(" has changed.\r\n\r\nDo you want to save the changes?");
}

} // namespace quillo
