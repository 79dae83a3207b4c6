#pragma once
// One of the two stacked document boxes TextMain(0) (no wrapping) and TextMain(1)
// (wrapping). Offers the text-box operations the editor commands are written against:
// 0-based character offsets, selection start/length/text, and the edit-control line
// queries.

#include <QPlainTextEdit>

namespace quillo {

class DocumentBox : public QPlainTextEdit {
    Q_OBJECT
public:
    // index: the element of the TextMain array (0 or 1); 1 wraps long lines.
    DocumentBox(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    QString text() const;
    // Replaces the whole text as an edit: change() is emitted.
    void setText(const QString& text);
    // Replaces the whole text without raising change(): loading and the word-wrap switch.
    void setTextDirect(const QString& text);

    int selStart() const;
    // Moves the caret to offset (clamped to the text); the selection becomes empty.
    void setSelStart(int offset);
    int selLength() const;
    // Extends the selection from selStart by length characters (clamped to the text).
    void setSelLength(int length);
    QString selText() const;
    // Replaces the selection with text, as an edit.
    void setSelText(const QString& text);

    // 0-based line holding character offset (with -1: the selection's start).
    int lineFromChar(int offset) const;
    // Offset of the first character of 0-based line (with -1: the caret's line), or -1
    // when there is no such line.
    int lineIndex(int line) const;

    // The font every document box starts with: "Lucida Console" 9.75 pt, regular, with
    // a monospace fallback where that family is missing.
    static QFont defaultFont();

signals:
    // The text was edited (typing, setText, setSelText, ...); not raised by setTextDirect.
    void change(int index);

private:
    int m_index;
    bool m_direct = false;
};

} // namespace quillo
