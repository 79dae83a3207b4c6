#pragma once
// The word-wrap switch: the document moves between the two stacked boxes, TextMain(0)
// without and TextMain(1) with wrapping, and the window follows the Word Wrap check.

#include <array>
#include <functional>

class QAction;
class QWidget;

namespace quillo {

class DocumentBox;

// What ApplyWordWrap reads and sets; the pointers and references are the main window's.
struct WordWrapView {
    std::array<DocumentBox*, 2> TextMain{};
    short& TextIndex;
    bool& StatusBarShown;
    QAction* MenuFormatWordWrap = nullptr;
    QAction* MenuEditGoto = nullptr;
    QAction* MenuViewStatusBar = nullptr;
    QWidget* PictureStatus = nullptr;
    std::function<void()> layOut;
};

// Brings TextIndex, the boxes' z-order, Go To and the status bar in line with the Word
// Wrap check. Moving the document is not an edit: no change handler, no snapshot.
void applyWordWrap(WordWrapView& view);

} // namespace quillo
