#pragma once
// What an engine asks of its host: dialogs, the long-running-script question, the clock.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillo::script {

// MsgBox results.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

class HostServices {
public:
    virtual ~HostServices() = default;

    // `style` is VBScript's buttons + icon + default-button value; returns a MsgBoxResult.
    virtual int msgBox(std::u16string_view prompt, int style, std::u16string_view title) = 0;
    // The entered text, or nullopt when the user cancels.
    virtual std::optional<std::u16string> inputBox(std::u16string_view prompt,
                                                   std::u16string_view title,
                                                   std::u16string_view defaultText) = 0;
    // False while the host forbids dialogs (AllowUI off); MsgBox then fails.
    virtual bool userInterfaceAllowed() const = 0;
    // Asked when a script has run past its timeout; true stops it.
    virtual bool askStopLongRunningScript() = 0;

    // The clock: local time as an OLE date, and UTC ms since the epoch. Tests override them.
    virtual double nowLocalOle();
    virtual int64_t nowUtcMillis();
};

// The steady clock in nanoseconds that script time is measured with.
int64_t monotonicNanos();

// Marks time spent in a modal host dialog so it does not count as script time.
// Every dialog a host shows while a script may be running is wrapped in one.
class HostDialogScope {
public:
    HostDialogScope();
    ~HostDialogScope();
    HostDialogScope(const HostDialogScope&) = delete;
    HostDialogScope& operator=(const HostDialogScope&) = delete;

    // Total nanoseconds spent inside dialog scopes so far (outermost scopes only).
    static int64_t totalDialogNanos();

private:
    int64_t start_;
};

} // namespace quillo::script
