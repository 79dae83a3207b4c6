#include "src/platform/IniSettingsStore.h"

#include <QSettings>
#include <QStringList>

namespace quillo {

IniSettingsStore::IniSettingsStore(QString folder) : m_folder(std::move(folder)) {}

IniSettingsStore::~IniSettingsStore() { sync(); }

IniSettingsStore::File& IniSettingsStore::file(const QString& application) {
    if (auto found = m_files.find(application); found != m_files.end()) return found->second;

    File opened;
    // In the user's folder the application name fills QSettings' organisation slot, so
    // the file is <config>/Brenholt.ini.
    if (m_folder.isEmpty())
        opened.settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application);
    else
        opened.settings = std::make_unique<QSettings>(
            m_folder + QLatin1Char('/') + application + QLatin1String(".ini"), QSettings::IniFormat);
    opened.settings->setAtomicSyncRequired(true);
    opened.settings->childGroups(); // loads the file, so that status() tells how that went
    opened.unreadable = opened.settings->status() != QSettings::NoError;
    return m_files.emplace(application, std::move(opened)).first->second;
}

QString IniSettingsStore::fileName(const QString& application) { return file(application).settings->fileName(); }

namespace {
QString keyPath(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
} // namespace

QString IniSettingsStore::read(const QString& application, const QString& section, const QString& key,
                               const QString& defaultText) {
    File& f = file(application);
    if (f.unreadable) return defaultText;
    const QVariant value = f.settings->value(keyPath(section, key));
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return value.toString();
    case QMetaType::QStringList:
        // An unquoted value holding commas parses as a list: give back the text as written.
        return value.toStringList().join(QLatin1String(", "));
    default:
        // Absent, or not text at all (an "@Rect(...)" written by hand).
        return defaultText;
    }
}

void IniSettingsStore::write(const QString& application, const QString& section, const QString& key,
                             const QString& text) {
    File& f = file(application);
    if (f.unreadable && f.settings->status() == QSettings::FormatError) {
        // A file that did not parse is replaced, not merged with what was salvaged from it.
        f.settings->clear();
        f.unreadable = false;
    }
    f.settings->setValue(keyPath(section, key), text);
}

void IniSettingsStore::sync() {
    for (auto& entry : m_files) entry.second.settings->sync();
}

} // namespace quillo
