#include "src/editor/DocumentBox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace quillo {

DocumentBox::DocumentBox(int index, QWidget* parent) : QPlainTextEdit(parent), m_index(index) {
    setObjectName(QStringLiteral("TextMain(%1)").arg(index));
    setFont(defaultFont());
    if (index == 1) {
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The only undo memory is the main window's snapshot; the only menu its Edit menu.
    setUndoRedoEnabled(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_direct) emit change(m_index);
    });
}

QFont DocumentBox::defaultFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// toPlainText() would turn no-break spaces into spaces; the raw text keeps every character
// and only marks line breaks as paragraph separators.
QString DocumentBox::text() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

void DocumentBox::setText(const QString& text) { setPlainText(text); }

void DocumentBox::setTextDirect(const QString& text) {
    m_direct = true;
    setPlainText(text);
    m_direct = false;
}

int DocumentBox::selStart() const { return textCursor().selectionStart(); }

int DocumentBox::selLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

QString DocumentBox::selText() const {
    // selectedText() uses U+2029 between paragraphs; the document's own breaks are "\n".
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return selected;
}

void DocumentBox::setSelStart(int offset) {
    const int last = document()->characterCount() - 1;
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(offset, 0, last));
    setTextCursor(cursor);
}

void DocumentBox::setSelLength(int length) {
    const int last = document()->characterCount() - 1;
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(std::clamp(start + std::max(length, 0), 0, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void DocumentBox::setSelText(const QString& text) {
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

int DocumentBox::lineFromChar(int offset) const {
    const int position = offset < 0 ? selStart() : offset;
    const QTextBlock block = document()->findBlock(position);
    return block.isValid() ? block.blockNumber() : document()->blockCount() - 1;
}

int DocumentBox::lineIndex(int line) const {
    const int number = line < 0 ? lineFromChar(-1) : line;
    const QTextBlock block = document()->findBlockByNumber(number);
    return block.isValid() ? block.position() : -1;
}

namespace {
int shiftMask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= shiftmask::Shift;
    if (modifiers & Qt::ControlModifier) mask |= shiftmask::Ctrl;
    if (modifiers & Qt::AltModifier) mask |= shiftmask::Alt;
    return mask;
}

int buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return mousebutton::Left;
    case Qt::RightButton: return mousebutton::Right;
    case Qt::MiddleButton: return mousebutton::Middle;
    default: return 0;
    }
}
} // namespace

bool DocumentBox::isEnabledCommandKey(const QKeyEvent& event) const {
    const QKeySequence pressed(event.keyCombination());
    return std::any_of(m_commands.begin(), m_commands.end(), [&](const QAction* command) {
        return command->isEnabled() && command->shortcut() == pressed;
    });
}

bool DocumentBox::event(QEvent* event) {
    // Left unaccepted, the override request lets the menu command's shortcut run instead
    // of the box's own handling of the key.
    if (event->type() == QEvent::ShortcutOverride && isEnabledCommandKey(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void DocumentBox::keyPressEvent(QKeyEvent* event) {
    emit keyDown(m_index, event->key(), shiftMask(event->modifiers()));
    if (event->key() == Qt::Key_Menu) {
        event->accept(); // the handler has opened the Edit menu instead
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DocumentBox::mousePressEvent(QMouseEvent* event) {
    const int button = buttonCode(event->button());
    const int shift = shiftMask(event->modifiers());
    const QPoint position = event->position().toPoint();
    // The right button opens the Edit menu and the middle one does nothing: neither moves
    // the caret nor pastes the selection as the box would.
    if (button == mousebutton::Right || button == mousebutton::Middle) {
        event->accept();
        emit mouseDown(m_index, button, shift, position);
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
    emit mouseDown(m_index, button, shift, position);
}

void DocumentBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton || event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void DocumentBox::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

} // namespace quillo
