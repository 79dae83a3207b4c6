#pragma once
// The console window: a separate top-level window holding the console text. The user's
// close box only hides it; it closes for good when the program ends.

#include <QWidget>

class QPlainTextEdit;

namespace quillo {

class FormConsole : public QWidget {
    Q_OBJECT
public:
    explicit FormConsole(QWidget* parent = nullptr);

    QPlainTextEdit* TextOutput;

    // Closes the window for good, as when the program ends.
    void closeWithProgram();

signals:
    // The user closed the window from its close box; it is now hidden.
    void hiddenByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_closingWithProgram = false;
};

} // namespace quillo
