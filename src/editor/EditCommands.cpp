#include "src/editor/EditCommands.h"

#include "src/editor/DocumentBox.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextDocument>

namespace quillo {

namespace {
// The clipboard's text, empty when it holds none.
QString clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() ? data->text() : QString();
}
} // namespace

EditCommands::EditCommands(EditMenuItems items, std::function<DocumentBox&()> activeBox)
    : m_items(items), m_activeBox(std::move(activeBox)) {}

void EditCommands::enableItems() {
    const DocumentBox& box = m_activeBox();
    const bool selected = box.selLength() > 0;
    m_items.undo->setEnabled(m_snapshot.UndoText != box.text());
    m_items.cut->setEnabled(selected);
    m_items.copy->setEnabled(selected);
    m_items.paste->setEnabled(!clipboardText().isEmpty());
    m_items.del->setEnabled(selected);
}

void EditCommands::undo() { m_snapshot.exchange(m_activeBox()); }

void EditCommands::copy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_activeBox().selText());
}

void EditCommands::cut() {
    copy();
    deleteSelection();
}

void EditCommands::paste() {
    DocumentBox& box = m_activeBox();
    m_snapshot.take(box);
    box.setSelText(clipboardText());
}

void EditCommands::deleteSelection() {
    DocumentBox& box = m_activeBox();
    m_snapshot.take(box);
    box.setSelText(QString());
}

void EditCommands::selectAll() {
    DocumentBox& box = m_activeBox();
    box.setSelStart(0);
    box.setSelLength(box.document()->characterCount() - 1);
}

} // namespace quillo
