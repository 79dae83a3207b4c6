#include "src/editor/Editor.h"

#include "src/editor/DocumentBox.h"
#include "src/editor/FontCommand.h"
#include "src/editor/GoToLine.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QPlainTextEdit>

namespace quillo {

Editor::Editor(EditorControls controls, WordWrapView wordWrap, QObject* parent)
    : QObject(parent), m_controls(std::move(controls)), m_wordWrap(std::move(wordWrap)),
      m_edit(m_controls.editItems, [this]() -> DocumentBox& { return activeBox(); }) {
    const EditMenuItems& items = m_controls.editItems;
    const QList<QAction*> commands{items.undo, items.cut, items.copy, items.paste, items.del,
                                   m_controls.MenuEditGoto, m_controls.MenuEditSelectAll};
    for (DocumentBox* box : m_wordWrap.TextMain) {
        box->setCommandShortcuts(commands);
        connect(box, &DocumentBox::keyDown, this, &Editor::TextMain_KeyDown);
        connect(box, &DocumentBox::mouseDown, this, &Editor::TextMain_MouseDown);
    }
    connect(m_controls.MenuEdit, &QMenu::aboutToShow, this, &Editor::MenuEdit_Click);
    connect(items.undo, &QAction::triggered, this, &Editor::MenuEditUndo_Click);
    connect(items.cut, &QAction::triggered, this, &Editor::MenuEditCut_Click);
    connect(items.copy, &QAction::triggered, this, &Editor::MenuEditCopy_Click);
    connect(items.paste, &QAction::triggered, this, &Editor::MenuEditPaste_Click);
    connect(items.del, &QAction::triggered, this, &Editor::MenuEditDelete_Click);
    connect(m_controls.MenuEditGoto, &QAction::triggered, this, &Editor::MenuEditGoto_Click);
    connect(m_controls.MenuEditSelectAll, &QAction::triggered, this, &Editor::MenuEditSelectAll_Click);
    connect(m_wordWrap.MenuFormatWordWrap, &QAction::triggered, this, &Editor::MenuFormatWordWrap_Click);
    connect(m_controls.MenuFormatFont, &QAction::triggered, this, &Editor::MenuFormatFont_Click);
    m_controls.window->installEventFilter(this);
}

void Editor::MenuEdit_Click() { m_edit.enableItems(); }

void Editor::MenuEditGoto_Click() { goToLine(activeBox(), *m_controls.dialogs, m_controls.window); }

void Editor::MenuFormatFont_Click() {
    const std::optional<QFont> font =
        askDocumentFont(*m_controls.dialogs, m_controls.window, activeBox().font());
    if (!font) return;
    DocumentBox& first = *m_wordWrap.TextMain[0];
    first.setFont(withFontProperties(first.font(), *font));
    DocumentBox& second = *m_wordWrap.TextMain[1];
    second.setFont(withFontProperties(second.font(), first.font()));
    if (QPlainTextEdit* console = m_controls.consoleOutput())
        console->setFont(withFontProperties(console->font(), first.font()));
}

void Editor::TextMain_KeyDown(int index, int keyCode, int shift) {
    m_controls.UpdateStatus(); // the caret as it was before the key
    if (keyCode == Qt::Key_Menu) {
        TextMain_MouseDown(index, mousebutton::Right, shift, QPoint(0, 0));
        return;
    }
    DocumentBox& box = *m_wordWrap.TextMain[size_t(index)];
    if (shift == 0 && box.selLength() > 0) snapshot().take(box);
}

void Editor::TextMain_MouseDown(int index, int button, int /*shift*/, QPoint /*position*/) {
    if (button == mousebutton::Right) {
        DocumentBox& box = *m_wordWrap.TextMain[size_t(index)];
        box.setFocus();
        // Not modal: the menu stays open until an item is chosen or it is dismissed.
        m_controls.MenuEdit->popup(QCursor::pos());
    } else if (button == mousebutton::Left) {
        m_controls.UpdateStatus();
    }
}

bool Editor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_controls.window && event->type() == QEvent::WindowActivate) ApplyWordWrap();
    return QObject::eventFilter(watched, event);
}

} // namespace quillo
