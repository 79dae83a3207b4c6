#pragma once
// Decodes a message box style (buttons + icon + default button) into what to show.

#include <QMessageBox>
#include <vector>

namespace quillo {

// The answers of the style's buttons, left to right (msgbox::vbOK ... msgbox::vbNo).
// Unknown button codes fall back to OK only.
std::vector<int> messageBoxAnswers(int style);

// Index into messageBoxAnswers(style) of the default button; past the last button means
// the first.
int messageBoxDefaultIndex(int style);

// The answer given when the box is closed without pressing a button.
int messageBoxEscapeAnswer(int style);

QMessageBox::Icon messageBoxIcon(int style);
QMessageBox::StandardButton messageBoxButton(int answer);

} // namespace quillo
