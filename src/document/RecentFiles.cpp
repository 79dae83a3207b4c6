#include "src/document/RecentFiles.h"

#include "src/platform/SettingsStore.h"

#include <QAction>
#include <QMenu>

namespace quillo {

namespace {
QString storeKey(int index) { return QStringLiteral("MRUFile%1").arg(index); }

// The caption shows the path as it is; "&" would otherwise mark a shortcut letter.
QString captionFor(const QString& path) {
    QString caption = path;
    caption.replace(QLatin1Char('&'), QLatin1String("&&"));
    return caption;
}
} // namespace

RecentFiles::RecentFiles(QMenu& menu, QAction& separator, std::vector<QAction*>& items, QAction& insertBefore,
                         SettingsStore& store)
    : m_menu(menu), m_separator(separator), m_items(items), m_insertBefore(insertBefore), m_store(store) {
    for (size_t i = 0; i < m_items.size(); ++i)
        QObject::connect(m_items[i], &QAction::triggered, [this, i] {
            if (chosen) chosen(int(i));
        });
}

// The path is the item's data; its caption is the path with "&" doubled.
QString RecentFiles::entry(int index) const {
    if (index < 0 || size_t(index) >= m_items.size()) return {};
    return m_items[size_t(index)]->data().toString();
}

void RecentFiles::setEntry(int index, const QString& name) {
    QAction* action = item(index);
    action->setData(name);
    action->setText(captionFor(name));
}

QAction* RecentFiles::item(int index) {
    while (m_items.size() <= size_t(index)) {
        const int created = int(m_items.size());
        auto* action = new QAction(&m_menu);
        action->setObjectName(QStringLiteral("MenuFileMRU(%1)").arg(created));
        action->setVisible(false);
        m_menu.insertAction(&m_insertBefore, action);
        QObject::connect(action, &QAction::triggered, [this, created] {
            if (chosen) chosen(created);
        });
        m_items.push_back(action);
    }
    return m_items[size_t(index)];
}

int RecentFiles::FindRecentFile(const QString& name) const {
    const QString upper = name.toUpper();
    for (int i = 0; i <= MRULast; ++i)
        if (entry(i).toUpper() == upper) return i;
    return -1;
}

void RecentFiles::MoveRecentFileToTop(const QString& name, int i) {
    for (int j = i; j >= 1; --j) setEntry(j, entry(j - 1));
    setEntry(0, name);
}

void RecentFiles::InsertRecentFile(const QString& name) {
    if (MRULast < Capacity - 1) {
        ++MRULast;
        m_separator.setVisible(true);
        item(MRULast)->setVisible(true);
    }
    for (int j = MRULast; j >= 1; --j) setEntry(j, entry(j - 1));
    setEntry(0, name);
}

void RecentFiles::AddRecentFile(const QString& name) {
    const int i = FindRecentFile(name);
    if (i != -1)
        MoveRecentFileToTop(name, i);
    else
        InsertRecentFile(name);
}

void RecentFiles::RemoveRecentFile(const QString& name) {
    // A name that is not listed leaves the list alone (moving it to the top first would
    // drop the newest entry instead).
    const int i = FindRecentFile(name);
    if (i == -1) return;
    if (MRULast > 0) {
        MoveRecentFileToTop(name, i);
        for (int j = 1; j <= MRULast; ++j) setEntry(j - 1, entry(j));
    } else {
        m_separator.setVisible(false);
    }
    item(MRULast)->setVisible(false);
    --MRULast;
}

void RecentFiles::LoadRecentFiles() {
    std::vector<QString> values;
    for (int i = 0; i <= Capacity; ++i) {
        QString value = m_store.read(SettingsApplication, SettingsSection, storeKey(i), QString());
        if (value.isEmpty()) break;
        values.push_back(std::move(value));
    }
    for (int i = std::min(int(values.size()), Capacity) - 1; i >= 0; --i) AddRecentFile(values[size_t(i)]);
}

void RecentFiles::SaveRecentFiles() const {
    for (int i = 0; i <= MRULast; ++i) m_store.write(SettingsApplication, SettingsSection, storeKey(i), entry(i));
}

} // namespace quillo
