#include "src/editor/DocumentBox.h"

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

QString DocumentBox::text() const { return toPlainText(); }

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

} // namespace quillo
