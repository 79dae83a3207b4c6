#include "src/editor/UndoSnapshot.h"

#include "src/editor/DocumentBox.h"

#include <utility>

namespace quillo {

void UndoSnapshot::take(const DocumentBox& box) {
    UndoSelStart = box.selStart();
    UndoSelLength = box.selLength();
    UndoText = box.text();
}

void UndoSnapshot::reset(const QString& text) {
    UndoText = text;
    UndoSelStart = 0;
    UndoSelLength = 0;
}

void UndoSnapshot::exchange(DocumentBox& box) {
    QString text = box.text();
    const int32_t selStart = box.selStart();
    const int32_t selLength = box.selLength();
    box.setText(UndoText);
    box.setSelStart(UndoSelStart);
    box.setSelLength(UndoSelLength);
    UndoText = std::move(text);
    UndoSelStart = selStart;
    UndoSelLength = selLength;
}

} // namespace quillo
