#pragma once
// The recent-files list of the File menu: up to four paths, newest first, kept in the
// menu items MenuFileMRU(0..3) themselves and stored as "MRUFile0".."MRUFile3".

#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace quillo {

class SettingsStore;

class RecentFiles {
public:
    static constexpr int Capacity = 4;

    // items holds MenuFileMRU(0), hidden; further items are created in menu before
    // insertBefore when first needed. separator is MenuFileSeparator1.
    RecentFiles(QMenu& menu, QAction& separator, std::vector<QAction*>& items, QAction& insertBefore,
                SettingsStore& store);

    // Runs with the item's index when the user chooses an entry.
    std::function<void(int index)> chosen;

    // Index of the last entry; -1 while the list is empty. Items above it are hidden.
    int MRULast = -1;

    QString entry(int index) const;

    // First index whose entry equals name, ignoring case, or -1.
    int FindRecentFile(const QString& name) const;
    // Shifts entries 0..i-1 down by one and puts name (in its letter case) at 0.
    void MoveRecentFileToTop(const QString& name, int i);
    // Adds name at the top; the oldest entry falls off a full list.
    void InsertRecentFile(const QString& name);
    // Puts name at the top: moved there when listed, inserted otherwise.
    void AddRecentFile(const QString& name);
    // Takes name out of the list; the others keep their order.
    void RemoveRecentFile(const QString& name);

    // Rebuilds the list from the store: values up to the first empty one, oldest first.
    void LoadRecentFiles();
    // Stores entries 0..MRULast; keys above are left as they are.
    void SaveRecentFiles() const;

private:
    void setEntry(int index, const QString& name);
    QAction* item(int index);

    QMenu& m_menu;
    QAction& m_separator;
    std::vector<QAction*>& m_items;
    QAction& m_insertBefore;
    SettingsStore& m_store;
};

} // namespace quillo
