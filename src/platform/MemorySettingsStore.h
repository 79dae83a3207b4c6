#pragma once
// A settings store held in memory, for tests.

#include "src/platform/SettingsStore.h"

#include <QMap>

namespace quillo {

class MemorySettingsStore : public SettingsStore {
public:
    QString read(const QString& application, const QString& section, const QString& key,
                 const QString& defaultText) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;

    bool contains(const QString& application, const QString& section, const QString& key) const;
    // Number of write() calls so far.
    int writeCount() const { return m_writes; }

private:
    static QString path(const QString& application, const QString& section, const QString& key);
    QMap<QString, QString> m_values;
    int m_writes = 0;
};

} // namespace quillo
