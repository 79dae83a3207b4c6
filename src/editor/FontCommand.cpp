#include "src/editor/FontCommand.h"

#include "src/platform/Dialogs.h"

namespace quillo {

QFont withFontProperties(QFont to, const QFont& from) {
    to.setFamily(from.family());
    // Sizes are kept in single precision (9.75 stays exact); a font given in pixels has
    // no point size to copy.
    if (from.pointSizeF() > 0) to.setPointSizeF(double(float(from.pointSizeF())));
    to.setBold(from.bold());
    to.setItalic(from.italic());
    to.setUnderline(from.underline());
    to.setStrikeOut(from.strikeOut());
    return to;
}

std::optional<QFont> askDocumentFont(Dialogs& dialogs, QWidget* owner, const QFont& current) {
    const std::optional<QFont> chosen = dialogs.chooseFont(owner, current);
    if (!chosen) return std::nullopt;
    return withFontProperties(current, *chosen);
}

} // namespace quillo
