#pragma once
// The system About box: the application text as heading and title, the program's own
// text below it and its icon beside them, with an OK button.

#include <QDialog>

class QLabel;

namespace quillo {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QString& appText, const QString& otherText, const QIcon& icon,
                QWidget* owner);

    QString headingText() const;
    QString otherText() const;

private:
    QLabel* m_heading;
    QLabel* m_other;
};

} // namespace quillo
