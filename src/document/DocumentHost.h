#pragma once
// What the document subsystem needs from the main window.

#include "src/document/Language.h"

class QString;
class QWidget;

namespace quillo {

class DocumentBox;

class DocumentHost {
public:
    // TextMain(TextIndex): the box that shows the document.
    virtual DocumentBox& activeBox() = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Runs the Language menu's command for language, as if the user had chosen it.
    virtual void runLanguageCommand(Language language) = 0;
    // The checked item of the Language menu.
    virtual Language checkedLanguage() const = 0;
    // UndoText := text, UndoSelStart := 0, UndoSelLength := 0.
    virtual void resetUndoSnapshot(const QString& text) = 0;
    // Puts name at the top of the recent-files list.
    virtual void addRecentFile(const QString& name) = 0;
    // The window the document's dialogs belong to.
    virtual QWidget* dialogOwner() = 0;

protected:
    ~DocumentHost() = default;
};

} // namespace quillo
