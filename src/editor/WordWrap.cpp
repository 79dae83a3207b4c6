#include "src/editor/WordWrap.h"

#include "src/editor/DocumentBox.h"

#include <QAction>

namespace quillo {

namespace {
void copyDocument(const DocumentBox& source, DocumentBox& target) {
    target.setTextDirect(source.text());
    target.setSelStart(source.selStart());
    target.setSelLength(source.selLength());
}

void showStatusBarChoice(WordWrapView& view, bool wrap) {
    if (wrap) {
        view.PictureStatus->hide();
        // Still enabled: word wrap is being entered, not applied again on a re-activation.
        if (view.MenuViewStatusBar->isEnabled()) view.StatusBarShown = view.MenuViewStatusBar->isChecked();
        view.MenuViewStatusBar->setChecked(false);
        view.MenuViewStatusBar->setEnabled(false);
        return;
    }
    if (view.StatusBarShown) {
        view.PictureStatus->show();
        view.MenuViewStatusBar->setChecked(true);
    }
    view.MenuViewStatusBar->setEnabled(true);
}
} // namespace

void applyWordWrap(WordWrapView& view) {
    const bool wrap = view.MenuFormatWordWrap->isChecked();
    if (wrap && view.TextIndex == 0) {
        view.TextIndex = 1;
        copyDocument(*view.TextMain[0], *view.TextMain[1]);
    } else if (!wrap && view.TextIndex == 1) {
        view.TextIndex = 0;
        copyDocument(*view.TextMain[1], *view.TextMain[0]);
    }

    DocumentBox& active = *view.TextMain[size_t(view.TextIndex)];
    active.setFocus();
    active.raise();

    view.MenuEditGoto->setEnabled(!wrap);
    showStatusBarChoice(view, wrap);
    view.layOut();
}

} // namespace quillo
