#include "src/app/SettingsValues.h"

#include <cmath>

namespace quillo {

// QString::number and QString::toDouble work in the C locale: "." is the decimal separator
// under every user locale.
QString numberText(double value) { return QString::number(value, 'g', 15); }

QString singleText(double value) { return QString::number(double(float(value)), 'g', 7); }

QString booleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> parseBoolean(const QString& text) {
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<int> parseWindowState(const QString& text) {
    const std::optional<double> value = parseNumber(text);
    if (!value || (*value != 0 && *value != 1 && *value != 2)) return std::nullopt;
    return int(*value);
}

} // namespace quillo
