// F1: which document it finds, in which order, and what the editor does with it.
#include "shell/help_document.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

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
class Help : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    for (const char* folder : {"work", "Help", "prefix/bin", "prefix/share/doc/trasso"})
      QDir(m_dir.path()).mkpath(QString::fromLatin1(folder));
  }
  QString Path(const char* relative) const {
    return m_dir.path() + "/" + QString::fromLatin1(relative);
  }
  QString Touch(const char* relative) const {
    QFile file(Path(relative));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return Path(relative);
  }
  QStringList Found(const char* current) const {
    return FindHelpDocuments(Path(current), Path("prefix/bin"));
  }
  // F1 with `folder` as the working folder.
  void PressF1(const QString& folder) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));
    Trigger(ID_HELP);
    QDir::setCurrent(previous);
  }
};
}  // namespace

TEST_F(Help, DocumentsAreFoundBesideTheWorkingFolderFirstThenTheInstalledGuide) {
  EXPECT_EQ(Found("work"), QStringList());
  // A folder named like a help document is none.
  QDir(m_dir.path()).mkpath("Help/EditorHelp.doc");
  QDir(m_dir.path()).mkpath("prefix/share/doc/trasso/user-guide.html");
  EXPECT_EQ(Found("work"), QStringList());
  QDir(m_dir.path()).rmdir("Help/EditorHelp.doc");
  QDir(m_dir.path()).rmdir("prefix/share/doc/trasso/user-guide.html");
  const QString guide = Touch("prefix/share/doc/trasso/user-guide.html");
  EXPECT_EQ(Found("work"), QStringList({guide}));
  const QString own = Touch("Help/EditorHelp.doc");
  EXPECT_EQ(Found("work"), QStringList({own, guide}));
  // Help/ is looked for beside the working folder, never inside it.
  EXPECT_EQ(Found(""), QStringList({guide}));
  EXPECT_EQ(Found("prefix/bin"), QStringList({guide}));
}

TEST_F(Help, F1OpensTheHelpDocumentWithTheDesktopsViewerOrSaysThereIsNone) {
  ASSERT_TRUE(Start());
  FileOpener opener;
  PressF1(m_dir.path());
  EXPECT_TRUE(opener.m_opened.isEmpty());
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso Help Error");
  EXPECT_EQ(Prompts().m_boxes[0].text,
            "To be able to display Trasso Help\nyou must have a Word document viewer "
            "installed\non your system\n\n");
  EXPECT_EQ(Prompts().m_boxes[0].icon, QMessageBox::Critical);

  const QString own = Touch("Help/EditorHelp.doc");
  PressF1(Path("work"));
  EXPECT_EQ(opener.m_opened, QStringList({own}));
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
}

#include "help_document_test.moc"
