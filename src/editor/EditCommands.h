#pragma once
// The Edit menu's Undo, Cut, Copy, Paste, Delete and Select All, the snapshot they share,
// and the rule that enables the items each time the menu opens.

#include "src/editor/UndoSnapshot.h"

#include <functional>

class QAction;

namespace quillo {

class DocumentBox;

struct EditMenuItems {
    QAction* undo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* del = nullptr;
};

class EditCommands {
public:
    // activeBox: TextMain(TextIndex), the box every command acts on.
    EditCommands(EditMenuItems items, std::function<DocumentBox&()> activeBox);

    UndoSnapshot& snapshot() { return m_snapshot; }

    // The enabling rule; the items keep its result (and their shortcuts follow it) until
    // the menu opens again.
    void enableItems();

    void undo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();

private:
    EditMenuItems m_items;
    std::function<DocumentBox&()> m_activeBox;
    UndoSnapshot m_snapshot;
};

} // namespace quillo
