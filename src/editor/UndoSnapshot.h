#pragma once
// The main window's one-level undo memory: the whole text and the selection at the
// moment of the last snapshot. There is no undo stack; Undo exchanges the box's state with
// the snapshot, so a second Undo brings back what the first one undid.

#include <QString>
#include <cstdint>

namespace quillo {

class DocumentBox;

struct UndoSnapshot {
    QString UndoText;
    int32_t UndoSelStart = 0;
    int32_t UndoSelLength = 0;

    // Reads the box's selection start, selection length and whole text, in this order.
    void take(const DocumentBox& box);
    // A document was loaded or cleared: its text, nothing selected at offset 0.
    void reset(const QString& text);
    // Gives the box the snapshot's text (as an edit) and selection and keeps the box's
    // state in their place.
    void exchange(DocumentBox& box);
};

} // namespace quillo
