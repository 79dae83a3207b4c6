#pragma once
// The editor's host services: the engines' MsgBox and InputBox and the long-running-script
// question as modal dialogs over the main window, none of their time counted as script time.

#include "scripting/core/HostServices.h"

#include <functional>

class QWidget;

namespace quillo {

class Dialogs;

class DialogHostServices : public script::HostServices {
public:
    DialogHostServices(Dialogs& dialogs, QWidget* owner) : m_dialogs(dialogs), m_owner(owner) {}

    int msgBox(std::u16string_view prompt, int style, std::u16string_view title) override;
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override;
    bool userInterfaceAllowed() const override { return true; }
    // "Quillo", Yes/No with the question icon; Yes stops the script.
    bool askStopLongRunningScript() override;

    // Runs before every dialog (the console shows what was logged so far).
    std::function<void()> beforeDialog;

private:
    Dialogs& m_dialogs;
    QWidget* m_owner;
};

} // namespace quillo
