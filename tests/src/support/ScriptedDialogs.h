#pragma once
// Dialogs for tests: every dialog is recorded and answered from a queue that the test
// fills beforehand. A dialog the test did not queue an answer for, or one of another kind
// than queued, fails the running test; so does an answer the dialog's buttons cannot give.

#include "src/platform/Dialogs.h"
#include "tests/src/support/QtPrinters.h"

#include <deque>
#include <functional>
#include <vector>

namespace quillo {

enum class DialogKind { MsgBox, InputBox, OpenFileName, SaveFileName, ChooseFont, AboutBox };

const char* dialogKindName(DialogKind kind);

// One dialog as it was shown.
struct ShownDialog {
    DialogKind kind = DialogKind::MsgBox;
    QWidget* owner = nullptr;
    QString title;       // msgBox, inputBox; "About " + appText for aboutBox
    QString text;        // prompt; aboutBox's other text
    int style = 0;       // msgBox
    QString defaultText; // inputBox
    FileDialogRequest file;
    QFont font;          // chooseFont's initial font
    QString appText;     // aboutBox
    QIcon icon;          // aboutBox

    int buttons() const { return style & msgbox::ButtonsMask; }
    int msgBoxIcon() const { return style & msgbox::IconMask; }
    int defaultButton() const { return style & msgbox::DefaultMask; }
};

class ScriptedDialogs : public Dialogs {
public:
    // Queue the answer of the next dialog, which must be of that kind.
    void answerMsgBox(int answer);
    void answerInputBox(std::optional<QString> text);
    void answerOpenFileName(std::optional<QString> name);
    void answerSaveFileName(std::optional<QString> name);
    void answerChooseFont(std::optional<QFont> font);
    void answerAboutBox();

    // Runs while the dialog is "open", before it answers (to look at the window's state
    // at that moment, or to queue further answers).
    std::function<void(const ShownDialog&)> onShow;

    const std::vector<ShownDialog>& shown() const { return m_shown; }
    const ShownDialog& last() const;
    void clearShown() { m_shown.clear(); }
    size_t pendingAnswers() const { return m_answers.size(); }

    int msgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(QWidget* owner, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
    void aboutBox(QWidget* owner, const QString& appText, const QString& otherText,
                  const QIcon& icon) override;

private:
    // One queued answer; the field that the dialog's kind uses is set.
    struct Queued {
        DialogKind kind;
        int button = 0;
        std::optional<QString> text;
        std::optional<QFont> font;
    };

    // Records the dialog and takes the next answer; nothing when none fits.
    std::optional<Queued> take(const ShownDialog& dialog);
    std::optional<QString> fileDialog(DialogKind kind, QWidget* owner, const FileDialogRequest& request);

    std::deque<Queued> m_answers;
    std::vector<ShownDialog> m_shown;
};

} // namespace quillo
