// F1: which document it finds, in which order, and what the editor does with it.
#include "shell/help_document.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QUrl>
#include <string>

#include "resource_ids.h"
#include "shell/app_fixture.h"

namespace {
// Takes the desktop's part: records every local file the editor asks to open.
class FileOpener : public QObject {
  Q_OBJECT
 public:
  FileOpener() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
  ~FileOpener() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  QStringList m_opened;
 public slots:
  void Open(const QUrl& url) { m_opened.append(url.toLocalFile()); }
};

// A folder tree like a track maker's: work/ as the working folder beside
// Help/, and an installation with bin/ and share/doc/trasso/.
class HelpFolders {
 public:
  explicit HelpFolders(const QString& root) : m_root(root) {
    for (const char* folder : {"work", "Help", "prefix/bin", "prefix/share/doc/trasso"})
      QDir(root).mkpath(QString::fromLatin1(folder));
  }
  QString Path(const char* relative) const { return m_root + "/" + QString::fromLatin1(relative); }
  QString Touch(const char* relative) const {
    QFile file(Path(relative));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return Path(relative);
  }

 private:
  QString m_root;
};

// One path a line, which gtest prints readably.
std::string Found(const QString& currentFolder, const QString& programFolder) {
  return FindHelpDocuments(currentFolder, programFolder).join('\n').toStdString();
}
std::string Lines(const QStringList& paths) {
  return paths.join('\n').toStdString();
}

class WorkingFolder {
 public:
  explicit WorkingFolder(const QString& folder) : m_previous(QDir::currentPath()) {
    EXPECT_TRUE(QDir::setCurrent(folder));
  }
  ~WorkingFolder() { QDir::setCurrent(m_previous); }

 private:
  QString m_previous;
};
}  // namespace

TEST_F(AppTest, HelpDocumentsAreFoundBesideTheWorkingFolderFirstThenTheInstalledGuide) {
  HelpFolders folders(m_dir.path());
  const QString work = folders.Path("work"), bin = folders.Path("prefix/bin");
  EXPECT_EQ(Found(work, bin), "");

  const QString guide = folders.Touch("prefix/share/doc/trasso/user-guide.html");
  EXPECT_EQ(Found(work, bin), Lines({guide}));

  const QString own = folders.Touch("Help/EditorHelp.doc");
  EXPECT_EQ(Found(work, bin), Lines({own, guide}));
  // Help/ is looked for beside the working folder, never inside it.
  EXPECT_EQ(Found(m_dir.path(), bin), Lines({guide}));
  EXPECT_EQ(Found(bin, bin), Lines({guide}));
}

TEST_F(AppTest, AFolderNamedLikeAHelpDocumentIsNoHelpDocument) {
  HelpFolders folders(m_dir.path());
  QDir(m_dir.path()).mkpath("Help/EditorHelp.doc");
  QDir(m_dir.path()).mkpath("prefix/share/doc/trasso/user-guide.html");
  EXPECT_TRUE(FindHelpDocuments(folders.Path("work"), folders.Path("prefix/bin")).isEmpty());
}

TEST_F(AppTest, F1OpensTheHelpDocumentBesideTheWorkingFolderWithTheDesktopsViewer) {
  HelpFolders folders(m_dir.path());
  const QString own = folders.Touch("Help/EditorHelp.doc");
  ASSERT_TRUE(Start());
  FileOpener opener;
  {
    WorkingFolder work(folders.Path("work"));
    Trigger(ID_HELP);
  }
  EXPECT_EQ(opener.m_opened, QStringList({own}));
  EXPECT_TRUE(Prompts().m_boxes.empty());
}

#include "help_document_test.moc"
