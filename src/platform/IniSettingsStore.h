#pragma once
// The settings store of the program: one INI file per application in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config), one group per section.

#include "src/platform/SettingsStore.h"

namespace quillo {

class IniSettingsStore : public SettingsStore {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultText) const override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;
};

} // namespace quillo
