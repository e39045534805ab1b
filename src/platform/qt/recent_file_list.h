#pragma once
// The most recently opened or saved files, most recent first, kept in the
// application's settings file so that the list survives a restart.

#include <QSettings>
#include <QStringList>

class CRecentFileList {
 public:
  // Reads at most `nSize` entries from `settings` (not owned; it must outlive
  // the list). Entries that are empty or repeated are skipped.
  CRecentFileList(QSettings& settings, int nSize);

  const QStringList& GetFiles() const { return m_files; }
  int GetMaxSize() const { return m_nSize; }

  // Puts `path` (made absolute) at the top, dropping its older entry and the
  // oldest one beyond the size. Writes the list back at once.
  void Add(const QString& path);
  // Removes entry `index` and writes the list back.
  void Remove(int index);

 private:
  void Write();

  QSettings& m_settings;
  int m_nSize;
  QStringList m_files;
};

// The menu text of entry `index`: "&1 " and the path, shortened in the middle
// when it is long.
QString RecentFileMenuText(int index, const QString& path);
