#include "tests/src/support/ScriptedDialogs.h"

#include "src/platform/MessageBoxStyle.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillo {

const char* dialogKindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::MsgBox: return "message box";
    case DialogKind::InputBox: return "input box";
    case DialogKind::OpenFileName: return "Open dialog";
    case DialogKind::SaveFileName: return "Save As dialog";
    case DialogKind::ChooseFont: return "Font dialog";
    case DialogKind::AboutBox: return "About box";
    }
    return "dialog";
}

void ScriptedDialogs::answerMsgBox(int answer) { m_answers.push_back({DialogKind::MsgBox, answer, {}, {}}); }
void ScriptedDialogs::answerInputBox(std::optional<QString> text) {
    m_answers.push_back({DialogKind::InputBox, 0, std::move(text), {}});
}
void ScriptedDialogs::answerOpenFileName(std::optional<QString> name) {
    m_answers.push_back({DialogKind::OpenFileName, 0, std::move(name), {}});
}
void ScriptedDialogs::answerSaveFileName(std::optional<QString> name) {
    m_answers.push_back({DialogKind::SaveFileName, 0, std::move(name), {}});
}
void ScriptedDialogs::answerChooseFont(std::optional<QFont> font) {
    m_answers.push_back({DialogKind::ChooseFont, 0, {}, std::move(font)});
}
void ScriptedDialogs::answerAboutBox() { m_answers.push_back({DialogKind::AboutBox, 0, {}, {}}); }

const ShownDialog& ScriptedDialogs::last() const {
    static const ShownDialog none;
    if (m_shown.empty()) {
        ADD_FAILURE() << "no dialog was shown";
        return none;
    }
    return m_shown.back();
}

std::optional<ScriptedDialogs::Queued> ScriptedDialogs::take(const ShownDialog& dialog) {
    m_shown.push_back(dialog);
    const QString described = QStringLiteral("%1 titled \"%2\" with text \"%3\"")
                                  .arg(QLatin1String(dialogKindName(dialog.kind)), dialog.title,
                                       dialog.text);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << described.toStdString();
        return std::nullopt;
    }
    if (m_answers.front().kind != dialog.kind) {
        ADD_FAILURE() << "expected the queued " << dialogKindName(m_answers.front().kind) << ", got "
                      << described.toStdString();
        return std::nullopt;
    }
    if (onShow) onShow(m_shown.back());
    Queued answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

int ScriptedDialogs::msgBox(QWidget* owner, const QString& prompt, int style, const QString& title) {
    ShownDialog dialog;
    dialog.kind = DialogKind::MsgBox;
    dialog.owner = owner;
    dialog.text = prompt;
    dialog.style = style;
    dialog.title = title;
    const std::optional<Queued> answer = take(dialog);
    if (!answer) return messageBoxEscapeAnswer(style);
    const int value = answer->button;
    const std::vector<int> possible = messageBoxAnswers(style);
    if (std::find(possible.begin(), possible.end(), value) == possible.end()) {
        ADD_FAILURE() << "answer " << value << " is not a button of the message box titled \""
                      << title.toStdString() << "\" (style " << style << ")";
        return messageBoxEscapeAnswer(style);
    }
    return value;
}

std::optional<QString> ScriptedDialogs::inputBox(QWidget* owner, const QString& prompt,
                                                 const QString& title, const QString& defaultText) {
    ShownDialog dialog;
    dialog.kind = DialogKind::InputBox;
    dialog.owner = owner;
    dialog.text = prompt;
    dialog.title = title;
    dialog.defaultText = defaultText;
    const std::optional<Queued> answer = take(dialog);
    return answer ? answer->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::fileDialog(DialogKind kind, QWidget* owner,
                                                   const FileDialogRequest& request) {
    ShownDialog dialog;
    dialog.kind = kind;
    dialog.owner = owner;
    dialog.file = request;
    const std::optional<Queued> answer = take(dialog);
    return answer ? answer->text : std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget* owner, const FileDialogRequest& request) {
    return fileDialog(DialogKind::OpenFileName, owner, request);
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget* owner, const FileDialogRequest& request) {
    return fileDialog(DialogKind::SaveFileName, owner, request);
}

std::optional<QFont> ScriptedDialogs::chooseFont(QWidget* owner, const QFont& initial) {
    ShownDialog dialog;
    dialog.kind = DialogKind::ChooseFont;
    dialog.owner = owner;
    dialog.font = initial;
    const std::optional<Queued> answer = take(dialog);
    return answer ? answer->font : std::nullopt;
}

void ScriptedDialogs::aboutBox(QWidget* owner, const QString& appText, const QString& otherText,
                               const QIcon& icon) {
    ShownDialog dialog;
    dialog.kind = DialogKind::AboutBox;
    dialog.owner = owner;
    dialog.title = QStringLiteral("About ") + appText;
    dialog.appText = appText;
    dialog.text = otherText;
    dialog.icon = icon;
    take(dialog);
}

} // namespace quillo
