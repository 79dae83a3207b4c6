#pragma once
// The dialogs the user sees: Qt's message, input, file and font dialogs and our About box.

#include "src/platform/Dialogs.h"

#include <QStringList>

namespace quillo {

class QtDialogs : public Dialogs {
public:
    int msgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
    void aboutBox(QWidget* owner, const QString& appText, const QString& otherText,
                  const QIcon& icon) override;
};

// "Text Files (*.txt)|*.txt|" -> {"Text Files (*.txt) (*.txt)"}; the pattern "*.*" becomes
// "*" so that files without an extension are listed too.
QStringList qtNameFilters(const QString& filter);

// CR LF and lone CR line breaks as the "\n" that Qt's widgets expect.
QString toDisplayText(const QString& text);

} // namespace quillo
