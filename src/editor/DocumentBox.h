#pragma once
// One of the two stacked document boxes TextMain(0) (no wrapping) and TextMain(1)
// (wrapping). Offers the text-box operations the editor commands are written against:
// 0-based character offsets, selection start/length/text, and the edit-control line
// queries. The box keeps no undo memory and shows no context menu of its own: the key
// and mouse events are raised as keyDown/mouseDown for the main window to handle.

#include <QList>
#include <QPlainTextEdit>

class QAction;

namespace quillo {

// Modifier mask of the key and mouse events: 1 Shift, 2 Ctrl, 4 Alt.
namespace shiftmask {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
} // namespace shiftmask

// Mouse buttons of mouseDown: 1 left, 2 right, 4 middle.
namespace mousebutton {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
} // namespace mousebutton

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

    // Menu commands whose shortcuts win over the box's own handling of the same key while
    // they are enabled (Del with a selection runs Edit > Delete, not the box's delete).
    void setCommandShortcuts(const QList<QAction*>& commands) { m_commands = commands; }

    // The font every document box starts with: "Lucida Console" 9.75 pt, regular, with
    // a monospace fallback where that family is missing.
    static QFont defaultFont();

signals:
    // The text was edited (typing, setText, setSelText, ...); not raised by setTextDirect.
    void change(int index);
    // A key is pressed, before the box processes it. keyCode is Qt's key code, shift the
    // modifier mask.
    void keyDown(int index, int keyCode, int shift);
    // A mouse button is pressed in the box (left: after the box has moved the caret).
    // position is in the box's viewport, in pixels.
    void mouseDown(int index, int button, int shift, QPoint position);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool isEnabledCommandKey(const QKeyEvent& event) const;

    int m_index;
    bool m_direct = false;
    QList<QAction*> m_commands;
};

} // namespace quillo
