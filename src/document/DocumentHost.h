#pragma once
// What the document subsystem needs from the main window.

#include "src/document/Language.h"

class QString;

namespace quillo {

class DocumentBox;

class DocumentHost {
public:
    // TextMain(TextIndex): the box that shows the document.
    virtual DocumentBox& activeBox() = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Runs the Language menu's command for language, as if the user had chosen it.
    virtual void runLanguageCommand(Language language) = 0;

protected:
    ~DocumentHost() = default;
};

} // namespace quillo
