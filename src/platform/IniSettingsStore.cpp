#include "src/platform/IniSettingsStore.h"

#include <QSettings>

namespace quillo {

// The application name fills QSettings' organisation slot, so the file is
// <config>/Brenholt.ini.
QString IniSettingsStore::read(const QString& application, const QString& section, const QString& key,
                               const QString& defaultText) const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application);
    settings.beginGroup(section);
    return settings.value(key, defaultText).toString();
}

void IniSettingsStore::write(const QString& application, const QString& section, const QString& key,
                             const QString& text) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, application);
    settings.beginGroup(section);
    settings.setValue(key, text);
}

} // namespace quillo
