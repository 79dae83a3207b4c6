#pragma once
// Format > Font...: one font for both document boxes and the console's output box.

#include <QFont>
#include <optional>

class QWidget;

namespace quillo {

class Dialogs;

// Copies the six font properties the editor keeps (name, size, bold, italic, underline,
// strikethrough) from `from` onto `to`; to's other properties (the fallback style hint)
// stay.
QFont withFontProperties(QFont to, const QFont& from);

// Shows the font dialog with current; returns the font for the boxes, or nothing when the
// user cancels.
std::optional<QFont> askDocumentFont(Dialogs& dialogs, QWidget* owner, const QFont& current);

} // namespace quillo
