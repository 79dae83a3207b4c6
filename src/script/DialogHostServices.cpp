#include "src/script/DialogHostServices.h"

#include "src/platform/Dialogs.h"
#include "src/script/QtDispatch.h"

namespace quillo {

int DialogHostServices::msgBox(std::u16string_view prompt, int style, std::u16string_view title) {
    if (beforeDialog) beforeDialog();
    script::HostDialogScope inDialog;
    return m_dialogs.msgBox(m_owner, qstringFromText(prompt), style, qstringFromText(title));
}

std::optional<std::u16string> DialogHostServices::inputBox(std::u16string_view prompt, std::u16string_view title,
                                                           std::u16string_view defaultText) {
    if (beforeDialog) beforeDialog();
    script::HostDialogScope inDialog;
    std::optional<QString> answer =
        m_dialogs.inputBox(m_owner, qstringFromText(prompt), qstringFromText(title), qstringFromText(defaultText));
    if (!answer) return std::nullopt;
    return textFromQString(*answer);
}

bool DialogHostServices::askStopLongRunningScript() {
    if (beforeDialog) beforeDialog();
    script::HostDialogScope inDialog;
    const QString text = QStringLiteral("The script has been running for a long time.\r\n\r\nDo you want to stop it?");
    return m_dialogs.msgBox(m_owner, text, msgbox::vbYesNo | msgbox::vbQuestion, QStringLiteral("Quillo")) ==
           msgbox::vbYes;
}

} // namespace quillo
