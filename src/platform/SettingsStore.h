#pragma once
// The per-user settings store: text values under (application, section, key). The program
// keeps everything under application "Brenholt", section "Tarka": the main window's
// settings (src/app/Settings.h) and the recent-files list ("MRUFile0" ...) go through this
// interface only. The main window holds one store for the whole run (FormMain::settings());
// it reads during its load step and writes only during its unload step, which ends with
// sync().
//
// Implementations: IniSettingsStore (the real one, one INI file per application in the
// user's configuration folder) and MemorySettingsStore (tests).

#include <QLatin1String>
#include <QString>

namespace quillo {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultText when the key is absent or the store cannot be read.
    virtual QString read(const QString& application, const QString& section, const QString& key,
                         const QString& defaultText) = 0;
    // Replaces (or creates) the value; it reaches permanent storage at sync() at the latest.
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& text) = 0;
    // Writes what is pending, atomically where the store is a file.
    virtual void sync() {}
};

// The names this program stores everything under.
namespace settings {
inline constexpr QLatin1String Application("Brenholt");
inline constexpr QLatin1String Section("Tarka");
} // namespace settings
inline const QString SettingsApplication = settings::Application;
inline const QString SettingsSection = settings::Section;

} // namespace quillo
