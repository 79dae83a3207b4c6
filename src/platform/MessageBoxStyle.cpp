#include "src/platform/MessageBoxStyle.h"

#include "src/platform/Dialogs.h"

#include <algorithm>

namespace quillo {

using namespace msgbox;

std::vector<int> messageBoxAnswers(int style) {
    switch (style & ButtonsMask) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int messageBoxDefaultIndex(int style) {
    const int index = (style & DefaultMask) / vbDefaultButton2;
    return index < int(messageBoxAnswers(style).size()) ? index : 0;
}

int messageBoxEscapeAnswer(int style) {
    const std::vector<int> answers = messageBoxAnswers(style);
    for (int preferred : {vbCancel, vbNo}) {
        if (std::find(answers.begin(), answers.end(), preferred) != answers.end()) return preferred;
    }
    return answers.size() == 1 ? answers.front() : answers.back();
}

QMessageBox::Icon messageBoxIcon(int style) {
    switch (style & IconMask) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton messageBoxButton(int answer) {
    switch (answer) {
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

} // namespace quillo
