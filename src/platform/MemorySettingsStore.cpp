#include "src/platform/MemorySettingsStore.h"

namespace quillo {

// Names compare without regard to case.
QString MemorySettingsStore::path(const QString& application, const QString& section, const QString& key) {
    return (application + QLatin1Char('\n') + section + QLatin1Char('\n') + key).toUpper();
}

QString MemorySettingsStore::read(const QString& application, const QString& section, const QString& key,
                                  const QString& defaultText) {
    return m_values.value(path(application, section, key), defaultText);
}

void MemorySettingsStore::write(const QString& application, const QString& section, const QString& key,
                                const QString& text) {
    ++m_writes;
    m_values.insert(path(application, section, key), text);
}

bool MemorySettingsStore::contains(const QString& application, const QString& section, const QString& key) const {
    return m_values.contains(path(application, section, key));
}

} // namespace quillo
