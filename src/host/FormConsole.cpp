#include "src/host/FormConsole.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <utility>

namespace quillo {

FormConsole::FormConsole(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormConsole"));
    setWindowTitle(QStringLiteral("Console"));

    // The text box fills the client area and follows every resize through the layout.
    TextOutput = new QPlainTextEdit(this);
    TextOutput->setObjectName(QStringLiteral("TextOutput"));
    TextOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextOutput->setContextMenuPolicy(Qt::NoContextMenu);
    TextOutput->installEventFilter(this);
    TextOutput->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TextOutput);

    MenuEdit = new QMenu(tr("&Edit"), this);
    MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
    MenuEditCopy = MenuEdit->addAction(tr("&Copy"));
    MenuEditCopy->setObjectName(QStringLiteral("MenuEditCopy"));
    MenuEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    MenuEditSelectAll = MenuEdit->addAction(tr("Select &All"));
    MenuEditSelectAll->setObjectName(QStringLiteral("MenuEditSelectAll"));
    MenuEditSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    MenuEditSeparator = MenuEdit->addSeparator();
    MenuEditSeparator->setObjectName(QStringLiteral("MenuEditSeparator"));
    MenuEditClear = MenuEdit->addAction(tr("C&lear Console"));
    MenuEditClear->setObjectName(QStringLiteral("MenuEditClear"));
    // The shortcuts are shown in the menu; the text box handles the keys itself.
    for (QAction* item : {MenuEditCopy, MenuEditSelectAll}) item->setShortcutContext(Qt::WidgetShortcut);

    connect(MenuEditCopy, &QAction::triggered, this, &FormConsole::MenuEditCopy_Click);
    connect(MenuEditSelectAll, &QAction::triggered, this, &FormConsole::MenuEditSelectAll_Click);
    connect(MenuEditClear, &QAction::triggered, this, &FormConsole::MenuEditClear_Click);
    connect(TextOutput, &QPlainTextEdit::textChanged, this, &FormConsole::TextOutput_Change);
    TextOutput_Change();

    resize(480, 240);
}

void FormConsole::log(const QString& message) {
    if (m_batchDepth > 0) {
        if (m_hasPending) {
            m_pending += QLatin1Char('\n');
            m_pending += message;
        } else if (!message.isEmpty() || !TextOutput->document()->isEmpty()) {
            m_pending = message;
            m_hasPending = true;
        }
        return;
    }
    // Appends a block at the end instead of rebuilding the text: the box's own append is
    // the cheapest way to grow a long log. An empty text takes the message as its first line.
    if (TextOutput->document()->isEmpty()) {
        QTextCursor end(TextOutput->document());
        end.insertText(message);
    } else {
        TextOutput->appendPlainText(message);
    }
    if (TextOutput->textCursor().position() != TextOutput->document()->characterCount() - 1) moveCaretToEnd();
}

void FormConsole::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0) flush();
}

void FormConsole::flush() {
    if (!m_hasPending) return;
    m_hasPending = false;
    const QString lines = std::exchange(m_pending, QString());
    if (TextOutput->document()->isEmpty()) {
        QTextCursor end(TextOutput->document());
        end.insertText(lines);
    } else {
        TextOutput->appendPlainText(lines);
    }
    moveCaretToEnd();
}

void FormConsole::showEvent(QShowEvent* event) {
    flush();
    QWidget::showEvent(event);
}

QString FormConsole::text() {
    flush();
    QString text = TextOutput->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void FormConsole::moveCaretToEnd() {
    QTextCursor cursor = TextOutput->textCursor();
    cursor.movePosition(QTextCursor::End);
    TextOutput->setTextCursor(cursor);
}

void FormConsole::MenuEditCopy_Click() {
    flush();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(TextOutput->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void FormConsole::MenuEditSelectAll_Click() {
    flush();
    TextOutput->selectAll();
}

void FormConsole::MenuEditClear_Click() {
    m_hasPending = false;
    m_pending.clear();
    TextOutput->clear();
}

void FormConsole::TextOutput_Change() {
    const bool hasText = !TextOutput->document()->isEmpty();
    MenuEditCopy->setEnabled(hasText);
    MenuEditSelectAll->setEnabled(hasText);
}

void FormConsole::TextOutput_MouseDown() {
    flush();
    // Let pending events (the button's own) run before the menu takes the mouse.
    TextOutput->setEnabled(false);
    QApplication::processEvents();
    TextOutput->setEnabled(true);
    TextOutput->setFocus();
    MenuEdit->popup(QCursor::pos());
}

bool FormConsole::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TextOutput->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        TextOutput_MouseDown();
        return true;
    }
    if (watched == TextOutput && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_A && key->modifiers() == Qt::ControlModifier) {
            MenuEditSelectAll_Click();
            return true;
        }
        if (key->key() == Qt::Key_Menu) {
            TextOutput_MouseDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormConsole::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) moveCaretToEnd();
    QWidget::changeEvent(event);
}

void FormConsole::closeWithProgram() {
    m_closingWithProgram = true;
    close();
}

void FormConsole::closeEvent(QCloseEvent* event) {
    if (m_closingWithProgram) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
    emit hiddenByUser();
}

} // namespace quillo
