// New, Open, Save, Save As and Close, the question before unsaved changes are
// lost, windows and titles, and the recent files.
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>

#include "model/trasso_doc.h"
#include "platform/qt/doc_manager.h"
#include "platform/qt/recent_file_list.h"
#include "resource_ids.h"
#include "shell/app_fixture.h"
#include "shell/main_frame.h"

namespace {
class Documents : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(Start());
  }
  // The main window's title and those of the document's windows.
  std::string Titles(CTrassoDoc* doc) {
    std::string titles = App().GetMainWnd()->windowTitle().toStdString();
    for (QMdiSubWindow* frame : Frames(doc)) titles += " / " + frame->windowTitle().toStdString();
    return titles;
  }
  QStringList Recent() { return App().GetRecentFiles().GetFiles(); }
  bool Exists(const std::string& name) {
    return QFile::exists(QString::fromStdString(PathOf(name)));
  }
};
}  // namespace

TEST_F(Documents, NewTracksAreNumberedSaveAsksOnceAndTitlesShowTheNameAndChanges) {
  Trigger(ID_FILE_NEW);
  CTrassoDoc* doc = Docs()[1];
  doc->AddNode(0, 0, false);
  Trigger(ID_WINDOW_NEW);
  EXPECT_EQ(Titles(doc), "Trasso(v1.01) - Trax2:2[*] / Trax2:1[*] / Trax2:2[*]");
  EXPECT_TRUE(Frames(doc)[0]->isWindowModified() && App().GetMainWnd()->isWindowModified());
  // Closing one of two windows asks nothing.
  Frames(doc)[1]->close();
  Settle();
  EXPECT_TRUE(Prompts().m_boxes.empty());
  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(doc)[0]);
  Prompts().m_saveAnswers.push_back(PathOf("first.tr"));
  Trigger(ID_FILE_SAVE);  // never saved, so Save asks for a name
  EXPECT_EQ(Prompts().m_asked, std::vector<std::string>{"save Trax2.tr Trax Files (*.tr) .tr"});
  EXPECT_TRUE(Exists("first.tr"));
  EXPECT_FALSE(doc->IsModified() || Frames(doc)[0]->isWindowModified());
  EXPECT_EQ(Titles(doc), "Trasso(v1.01) - first.tr[*] / first.tr[*]");
  doc->AddNode(1000, 0, false);
  Trigger(ID_FILE_SAVE);  // saved once, Save writes without asking
  EXPECT_EQ(Prompts().m_asked.size(), 1u);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(Documents, ClosingTheLastWindowOfAChangedTrackAsksAndExitStopsAtTheFirstCancel) {
  Trigger(ID_FILE_NEW);
  for (CTrassoDoc* doc : Docs()) doc->AddNode(0, 0, false);
  Prompts().m_boxAnswers = {QMessageBox::Cancel, QMessageBox::Yes};
  Frames(Docs()[0])[0]->close();
  Settle();
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_EQ(Prompts().m_boxes[0].text, "Save changes to Trax1?");
  EXPECT_EQ(Prompts().m_boxes[0].caption, "Trasso");
  // Yes, then Cancel in the Save As dialog: nothing is closed.
  Trigger(ID_FILE_CLOSE);
  EXPECT_EQ(Docs().size(), 2u);
  Prompts().m_boxAnswers = {QMessageBox::No, QMessageBox::Cancel};
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Docs().size(), 2u);
  EXPECT_TRUE(App().GetMainWnd()->isVisible());
  Prompts().m_boxAnswers = {QMessageBox::Yes, QMessageBox::No};
  Prompts().m_saveAnswers.push_back(PathOf("kept.tr"));
  Trigger(ID_APP_EXIT);
  EXPECT_EQ(Prompts().m_boxes.size(), 6u);
  EXPECT_TRUE(Docs().empty());
  EXPECT_FALSE(App().GetMainWnd()->isVisible());
  EXPECT_TRUE(Exists("kept.tr"));
}

TEST_F(Documents, OpenReadsTheChosenFileOnceAndFilesThatFailToLoadOrSaveAreNamed) {
  Prompts().m_openAnswers = {WriteTrack("loop.tr"), PathOf("./loop.tr"), PathOf("broken.tr")};
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Prompts().m_asked, std::vector<std::string>{"open Trax Files (*.tr)"});
  ASSERT_EQ(Docs().size(), 2u);
  CTrassoDoc* opened = Docs()[1];
  EXPECT_EQ(opened->m_nodeList.size(), 5u);
  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(Docs()[0])[0]);
  Trigger(ID_FILE_OPEN);  // the same file again: activated
  EXPECT_EQ(Docs().size(), 2u);
  EXPECT_EQ(App().GetDocManager().GetActiveDocument(), opened);

  QFile file(QString::fromStdString(PathOf("broken.tr")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a track at all");
  file.close();
  Trigger(ID_FILE_OPEN);
  EXPECT_EQ(Docs().size(), 2u);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  const QString text = Prompts().m_boxes[0].text;
  EXPECT_TRUE(text.startsWith("Cannot open " + file.fileName() + ":\n")) << text.toStdString();
  EXPECT_GT(text.size(), file.fileName().size() + 15);  // and why
  EXPECT_EQ(Recent().size(), 1);

  opened->AddNode(0, 0, false);
  Prompts().m_saveAnswers.push_back(PathOf("no/such/folder/new.tr"));
  Trigger(ID_FILE_SAVE_AS);
  ASSERT_EQ(Prompts().m_boxes.size(), 2u);
  EXPECT_TRUE(Prompts().m_boxes[1].text.startsWith("Cannot save "));
  EXPECT_TRUE(opened->IsModified());
  EXPECT_EQ(opened->GetTitle(), "loop.tr");
}

TEST_F(Documents, RecentFilesSurviveARestartAndOpenAgain) {
  for (const char* name : {"a.tr", "b.tr", "c.tr", "d.tr", "e.tr"}) {
    Prompts().m_openAnswers.push_back(WriteTrack(name));
    Trigger(ID_FILE_OPEN);
  }
  Stop();
  ASSERT_TRUE(Start());
  const QString dir = m_dir.path() + "/";
  EXPECT_EQ(Recent(), QStringList({dir + "e.tr", dir + "d.tr", dir + "c.tr", dir + "b.tr"}));
  EXPECT_EQ(Command(ID_FILE_MRU_FILE1)->text(), "&1 " + dir + "e.tr");
  EXPECT_TRUE(IsEnabled(ID_FILE_MRU_FILE1 + 3));
  // The settings file is the one the user's other programs would look in.
  QSettings ini(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso");
  EXPECT_TRUE(ini.fileName().endsWith("/Trasso/Trasso.ini"));
  EXPECT_EQ(ini.value("Recent File List/File1").toString(), dir + "e.tr");
  // Opened again, an entry moves to the front, once.
  Trigger(ID_FILE_MRU_FILE1);
  Trigger(ID_FILE_MRU_FILE1 + 2);
  ASSERT_EQ(Docs().size(), 3u);
  EXPECT_EQ(Docs()[1]->GetTitle() + Docs()[2]->GetTitle(), "e.trc.tr");
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "e.tr", dir + "d.tr", dir + "b.tr"}));
  // An entry whose file is gone leaves the list after its message.
  QFile::remove(dir + "d.tr");
  Trigger(ID_FILE_MRU_FILE1 + 2);
  EXPECT_EQ(Recent(), QStringList({dir + "c.tr", dir + "e.tr", dir + "b.tr"}));
  EXPECT_EQ(Prompts().m_boxes.size(), 1u);
}
