#pragma once
// Text forms of the settings' values: numbers as decimal text with "." whatever the
// locale, booleans as "True" and "False". Parsing says "no value" for text the program
// would never have written, so that the caller falls back to its default.

#include <QString>
#include <optional>

namespace quillo {

QString numberText(double value);
// A single-precision number (a font size): at most 7 significant digits, so 11.3 stays "11.3".
QString singleText(double value);
QString booleanText(bool value);

// Decimal text, surrounding blanks allowed ("9.75", "-150", "1e3"); only finite values.
std::optional<double> parseNumber(const QString& text);
// "True" or "False" in any letter case, surrounding blanks allowed.
std::optional<bool> parseBoolean(const QString& text);
// A window state: a whole number 0 (normal), 1 (minimised) or 2 (maximised).
std::optional<int> parseWindowState(const QString& text);

} // namespace quillo
