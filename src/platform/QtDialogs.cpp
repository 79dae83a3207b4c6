#include "src/platform/QtDialogs.h"

#include "src/platform/AboutDialog.h"
#include "src/platform/MessageBoxStyle.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quillo {

QString toDisplayText(const QString& text) {
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QStringList qtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) continue;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        }
        result << parts[i] + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

int QtDialogs::msgBox(QWidget* owner, const QString& prompt, int style, const QString& title) {
    QMessageBox box(owner);
    box.setWindowTitle(title);
    box.setText(toDisplayText(prompt));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(messageBoxIcon(style));

    const std::vector<int> answers = messageBoxAnswers(style);
    std::vector<QAbstractButton*> buttons;
    for (int answer : answers) buttons.push_back(box.addButton(messageBoxButton(answer)));
    const int defaultIndex = messageBoxDefaultIndex(style);
    box.setDefaultButton(static_cast<QPushButton*>(buttons[size_t(defaultIndex)]));
    const int escapeAnswer = messageBoxEscapeAnswer(style);
    for (size_t i = 0; i < answers.size(); ++i)
        if (answers[i] == escapeAnswer) box.setEscapeButton(buttons[i]);

    box.exec();
    for (size_t i = 0; i < answers.size(); ++i)
        if (box.clickedButton() == buttons[i]) return answers[i];
    return escapeAnswer;
}

std::optional<QString> QtDialogs::inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                           const QString& defaultText) {
    bool ok = false;
    QString text = QInputDialog::getText(owner, title, toDisplayText(prompt), QLineEdit::Normal,
                                         defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

namespace {
std::optional<QString> runFileDialog(QWidget* owner, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

std::optional<QString> QtDialogs::openFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFileName(QWidget* owner, const FileDialogRequest& request) {
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* owner, const QFont& initial) {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, initial, owner);
    if (!ok) return std::nullopt;
    return font;
}

void QtDialogs::aboutBox(QWidget* owner, const QString& appText, const QString& otherText,
                         const QIcon& icon) {
    AboutDialog dialog(appText, otherText, icon, owner);
    dialog.exec();
}

} // namespace quillo
