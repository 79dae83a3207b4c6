#pragma once
// The editor commands of the main window: the Edit menu, Go To, word wrap, font, and the
// key and mouse events of the two document boxes. The main window owns one Editor and
// connects its menu items and boxes to the slots below.

#include "src/editor/EditCommands.h"
#include "src/editor/WordWrap.h"

#include <QObject>
#include <QPoint>

class QMenu;
class QPlainTextEdit;

namespace quillo {

class Dialogs;

// The main window's controls and routines that the editor commands use.
struct EditorControls {
    QWidget* window = nullptr;
    Dialogs* dialogs = nullptr;
    QMenu* MenuEdit = nullptr;
    EditMenuItems editItems;
    QAction* MenuEditGoto = nullptr;
    QAction* MenuEditSelectAll = nullptr;
    QAction* MenuFormatFont = nullptr;
    // The console window's TextOutput (none while the console does not exist yet).
    std::function<QPlainTextEdit*()> consoleOutput;
    std::function<void()> UpdateStatus;
};

class Editor : public QObject {
    Q_OBJECT
public:
    // Connects the boxes' key and mouse events and the Edit menu's opening, and follows
    // the window's activation (ApplyWordWrap).
    Editor(EditorControls controls, WordWrapView wordWrap, QObject* parent = nullptr);

    // UndoText, UndoSelStart, UndoSelLength. Opening a file and New reset it.
    UndoSnapshot& snapshot() { return m_edit.snapshot(); }

    DocumentBox& activeBox() { return *m_wordWrap.TextMain[size_t(m_wordWrap.TextIndex)]; }

public slots:
    // The Edit menu opens (menu bar or pop-up): the enabling rule.
    void MenuEdit_Click();
    void MenuEditUndo_Click() { m_edit.undo(); }
    void MenuEditCut_Click() { m_edit.cut(); }
    void MenuEditCopy_Click() { m_edit.copy(); }
    void MenuEditPaste_Click() { m_edit.paste(); }
    void MenuEditDelete_Click() { m_edit.deleteSelection(); }
    void MenuEditSelectAll_Click() { m_edit.selectAll(); }
    void MenuEditGoto_Click();

    // The item has already inverted its check.
    void MenuFormatWordWrap_Click() { ApplyWordWrap(); }
    void ApplyWordWrap() { applyWordWrap(m_wordWrap); }
    void MenuFormatFont_Click();

    // Shared by both boxes; index names the box the event happened in.
    void TextMain_KeyDown(int index, int keyCode, int shift);
    void TextMain_MouseDown(int index, int button, int shift, QPoint position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditorControls m_controls;
    WordWrapView m_wordWrap;
    EditCommands m_edit;
};

} // namespace quillo
