#pragma once
// Edit > Go To...: asks for a 1-based line number and puts the caret at that line's start.

class QWidget;

namespace quillo {

class Dialogs;
class DocumentBox;

// Unusable answers (cancel, empty, not numeric, below 1, beyond a 32-bit line index) end
// the command without effect; a line past the end only gives the box the focus.
void goToLine(DocumentBox& box, Dialogs& dialogs, QWidget* owner);

} // namespace quillo
