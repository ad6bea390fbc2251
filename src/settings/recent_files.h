#pragma once
// The File menu's recent flights, kept in the settings beside the "MySettings" values:
// group "Recent File List", keys File1 (the newest) to File4.

#include <QStringList>

class QSettings;

namespace tavo {

constexpr int kMaxRecentFiles = 4;

class RecentFileList {
public:
    // Reads the list from `settings`, which outlives it.
    explicit RecentFileList(QSettings& settings);

    // Newest first.
    const QStringList& Files() const { return m_files; }
    // Puts `path` first, once, keeps the newest four and writes the list.
    void Add(const QString& path);
    // Takes `path` off the list (a flight gone from its place) and writes the list.
    void Remove(const QString& path);
    // Writes the list as it stands, the keys beyond it removed.
    void Save();

private:
    QSettings& m_settings;
    QStringList m_files;
};

} // namespace tavo
