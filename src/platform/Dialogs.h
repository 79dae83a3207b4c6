#pragma once
// Every modal dialog of the editor goes through this interface, so that tests can
// answer dialogs from a script and assert exactly what was shown.

#include <QFont>
#include <QIcon>
#include <QString>
#include <optional>

class QWidget;

namespace quillo {

// Message box style bits and answers, numbered as the script runtimes number them.
namespace msgbox {
// Buttons (style & ButtonsMask).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icon (style & IconMask).
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button (style & DefaultMask).
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
constexpr int vbDefaultButton4 = 768;

constexpr int ButtonsMask = 0x7;
constexpr int IconMask = 0x70;
constexpr int DefaultMask = 0x300;

// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;
} // namespace msgbox

// What an Open or Save As dialog starts with.
struct FileDialogRequest {
    // Description|pattern pairs, each followed by "|":
    // "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|".
    QString filter;
    int filterIndex = 1; // 1-based
    QString fileName;    // the name the dialog shows at first
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows prompt (CR LF line breaks) under title; style combines buttons, icon and
    // default button. Returns the answer (msgbox::vbOK ... msgbox::vbNo).
    virtual int msgBox(QWidget* owner, const QString& prompt, int style, const QString& title) = 0;

    // Returns the entered text, or nothing when the user cancels.
    virtual std::optional<QString> inputBox(QWidget* owner, const QString& prompt,
                                            const QString& title, const QString& defaultText) = 0;

    // Return the chosen file name, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* owner, const FileDialogRequest& request) = 0;

    // Returns the chosen font, or nothing when the user cancels.
    virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) = 0;

    // The system About box: "About " + appText as the title, appText as the heading,
    // otherText (CR LF line breaks) below it and the icon beside them. Modal to owner.
    virtual void aboutBox(QWidget* owner, const QString& appText, const QString& otherText,
                          const QIcon& icon) = 0;
};

} // namespace quillo
