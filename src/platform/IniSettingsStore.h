#pragma once
// The settings store of the program: one INI file per application, one group per section.
// By default the files lie in the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config): application "Brenholt" is Brenholt.ini. Values are written as plain text.
// A file that cannot be read or does not parse counts as empty, and the first write
// replaces it whole. Saving goes through QSettings' atomic save (a temporary file, then a
// rename), so an interrupted save leaves the previous file.

#include "src/platform/SettingsStore.h"

#include <map>
#include <memory>

class QSettings;

namespace quillo {

class IniSettingsStore : public SettingsStore {
public:
    // folder: where the files lie; empty means the user's configuration folder.
    explicit IniSettingsStore(QString folder = {});
    ~IniSettingsStore() override;

    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultText) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;
    void sync() override;

    // The file that holds application's values.
    QString fileName(const QString& application);

private:
    struct File {
        std::unique_ptr<QSettings> settings;
        bool unreadable = false; // reading or parsing failed: every key counts as absent
    };
    // Opened at its first use and kept, so that nothing is written before sync().
    File& file(const QString& application);

    QString m_folder;
    std::map<QString, File> m_files;
};

} // namespace quillo
