#include "settings/recent_files.h"

#include <QSettings>

namespace tavo {
namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

QString Key(int i) {
    return QStringLiteral("File%1").arg(i);
}

} // namespace

RecentFileList::RecentFileList(QSettings& settings) : m_settings(settings) {
    m_settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        const QString path = m_settings.value(Key(i)).toString();
        if (!path.isEmpty())
            m_files.append(path);
    }
    m_settings.endGroup();
}

void RecentFileList::Add(const QString& path) {
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > kMaxRecentFiles)
        m_files.removeLast();
    Save();
}

void RecentFileList::Remove(const QString& path) {
    m_files.removeAll(path);
    Save();
}

void RecentFileList::Save() {
    m_settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
        if (i <= m_files.size())
            m_settings.setValue(Key(i), m_files[i - 1]);
        else
            m_settings.remove(Key(i));
    }
    m_settings.endGroup();
    m_settings.sync();
}

} // namespace tavo
