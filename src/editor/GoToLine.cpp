#include "src/editor/GoToLine.h"

#include "src/editor/DocumentBox.h"
#include "src/platform/Dialogs.h"

#include "scripting/core/Convert.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace quillo {

namespace {
// The answer as a 1-based line number: the runtime's numeric test and rounding (blanks,
// sign, decimal fraction; halves to even), kept only when it is a usable line.
std::optional<int> lineNumberFromAnswer(const QString& answer) {
    if (answer.isEmpty()) return std::nullopt;
    const std::optional<int64_t> number = script::wholeNumberFromText(answer.toStdU16String());
    if (!number || *number <= 0 || *number > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return int(*number);
}
} // namespace

void goToLine(DocumentBox& box, Dialogs& dialogs, QWidget* owner) {
    const int current = box.lineFromChar(-1);
    const std::optional<QString> answer = dialogs.inputBox(owner, QStringLiteral("Line Number:"),
                                                           QStringLiteral("Go To Line"),
                                                           QString::number(current + 1));
    if (!answer) return;
    const std::optional<int> line = lineNumberFromAnswer(*answer);
    if (!line) return;
    const int position = box.lineIndex(*line - 1);
    box.setFocus();
    if (position != -1) box.setSelStart(position);
}

} // namespace quillo
