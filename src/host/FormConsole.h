#pragma once
// The console window: a separate top-level window holding what scripts log. The user's
// close box only hides it; it closes for good when the program ends. Its Edit menu is
// never in a menu bar: it is the text box's pop-up menu.

#include <QWidget>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace quillo {

class FormConsole : public QWidget {
    Q_OBJECT
public:
    explicit FormConsole(QWidget* parent = nullptr);

    QPlainTextEdit* TextOutput;

    QMenu* MenuEdit;
    QAction* MenuEditCopy;
    QAction* MenuEditSelectAll;
    QAction* MenuEditSeparator;
    QAction* MenuEditClear;

    // Appends `message` as a new line (no line break before the first line), then moves
    // the caret to the end. A hidden console collects silently.
    void log(const QString& message);

    // The whole console text with CR LF line breaks.
    QString text();

    // While a batch is open (a script runs), logged lines are gathered and reach the text
    // box in one insertion when the batch ends or anything looks at the console first.
    // Batches nest.
    void beginBatch() { ++m_batchDepth; }
    void endBatch();
    // Puts the gathered lines into the text box now.
    void flush();

    // Closes the window for good, as when the program ends.
    void closeWithProgram();

public slots:
    void MenuEditCopy_Click();
    void MenuEditSelectAll_Click();
    void MenuEditClear_Click();
    void TextOutput_Change();
    // The right button and the Menu key: the pop-up Edit menu at the mouse pointer.
    void TextOutput_MouseDown();

signals:
    // The user closed the window from its close box; it is now hidden.
    void hiddenByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void moveCaretToEnd();

    bool m_closingWithProgram = false;
    int m_batchDepth = 0;
    bool m_hasPending = false;
    QString m_pending; // lines joined by '\n', not yet in the text box
};

} // namespace quillo
