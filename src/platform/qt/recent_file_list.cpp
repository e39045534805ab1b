#include "platform/qt/recent_file_list.h"

#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Recent File List");
// Paths longer than this are shortened in the menu.
constexpr qsizetype kMaxMenuPath = 60;

QString Key(int index) {
  return kSection + QStringLiteral("/File%1").arg(index + 1);
}
}  // namespace

CRecentFileList::CRecentFileList(QSettings& settings, int nSize)
    : m_settings(settings), m_nSize(nSize) {
  for (int i = 0; i < m_nSize; ++i) {
    const QString path = m_settings.value(Key(i)).toString();
    if (!path.isEmpty() && !m_files.contains(path)) m_files.append(path);
  }
}

void CRecentFileList::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  m_files.removeAll(absolute);
  m_files.prepend(absolute);
  while (m_files.size() > m_nSize) m_files.removeLast();
  Write();
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= m_files.size()) return;
  m_files.removeAt(index);
  Write();
}

void CRecentFileList::Write() {
  for (int i = 0; i < m_nSize; ++i) {
    if (i < m_files.size()) {
      m_settings.setValue(Key(i), m_files[i]);
    } else {
      m_settings.remove(Key(i));
    }
  }
  m_settings.sync();
}

QString RecentFileMenuText(int index, const QString& path) {
  QString shown = path;
  if (shown.size() > kMaxMenuPath) {
    const qsizetype keep = (kMaxMenuPath - 3) / 2;
    shown = shown.left(keep) + QStringLiteral("...") + shown.right(keep);
  }
  // A literal ampersand in a path must not become a mnemonic.
  shown.replace('&', QStringLiteral("&&"));
  return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
