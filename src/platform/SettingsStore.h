#pragma once
// The per-user settings store: text values under (application, section, key).

#include <QString>

namespace quillo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultText when the key is absent.
    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& defaultText) const = 0;
    // Replaces (or creates) the value.
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& text) = 0;
};

// The names this program stores everything under.
inline const QString SettingsApplication = QStringLiteral("Brenholt");
inline const QString SettingsSection = QStringLiteral("Tarka");

} // namespace quillo
