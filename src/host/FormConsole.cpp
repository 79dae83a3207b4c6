#include "src/host/FormConsole.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quillo {

FormConsole::FormConsole(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FormConsole"));
    setWindowTitle(QStringLiteral("Console"));
    TextOutput = new QPlainTextEdit(this);
    TextOutput->setObjectName(QStringLiteral("TextOutput"));
    TextOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TextOutput);
    resize(480, 240);
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
