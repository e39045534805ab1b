// Recovery files in the editor: written after a pause in the editing, gone
// when the work is saved, closed or the editor ends normally, kept when the
// session ends unasked, and offered at the next start.

#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QMdiArea>
#include <filesystem>

#include "app_fixture.h"
#include "platform/archive_exception.h"
#include "platform/atomic_file.h"
#include "platform/qt/status_bar.h"
#include "platform/recovery_file.h"
#include "platform/recovery_store.h"
#include "resource_ids.h"
#include "shell/recovery_manager.h"
#include "shell/session_end_watch.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

struct Recovery : AppTest {
  void SetUp() override {
    AppTest::SetUp();
    fs::remove_all(RecoveryFolder());
  }
  void TearDown() override {
    AppTest::TearDown();
    fs::remove_all(RecoveryFolder());
  }
  static std::vector<std::string> Files() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(RecoveryFolder())) {
      files.push_back(entry.path().filename().string());
    }
    std::ranges::sort(files);
    return files;
  }
  static std::string Own(unsigned serial) { return RecoveryFileName(getpid(), serial); }
  // A recovery file left by an editor that ended, holding a one-node track;
  // its path. Without a title, the file is damaged.
  static std::string Orphan(unsigned serial, const std::string& path, const std::string& title) {
    const long child = DeadPid();
    const std::string file = RecoveryFolder() + "/" + RecoveryFileName(child, serial);
    std::string error;
    EXPECT_TRUE(MakePrivateFolder(RecoveryFolder(), error)) << error;
    CTrassoDoc doc;
    doc.AddNode(1000, 2000, false);
    std::vector<std::uint8_t> bytes =
        EncodeRecoveryHeader({{child, 1}, 1765090000 + serial, path, title});
    if (title.empty()) bytes.resize(bytes.size() / 2);
    const std::vector<std::uint8_t> track = SaveTrackBytes(doc);
    bytes.insert(bytes.end(), track.begin(), track.end());
    WriteFileAtomically(file, bytes);
    return file;
  }
  static RecoveryContents Read(const std::string& name, FileBytes& bytes) {
    bytes = ReadWholeFile(RecoveryFolder() + "/" + name);
    return ParseRecoveryFile(bytes);
  }
};

TEST_F(Recovery, AFileFollowsAPauseInTheEditingAndGoesWithTheSave) {
  ASSERT_TRUE(Start());
  CTrassoDoc* doc = Docs()[0];
  doc->BeginStep("Drag");  // a step open across turns of the event loop, as a drag is
  doc->AddNode(0, 0, false);
  Settle();
  doc->EndStep();
  Settle();
  EXPECT_TRUE(Files().empty());  // not while the editing goes on
  QElapsedTimer clock;
  clock.start();
  while (Files().empty() && clock.elapsed() < 5000) QTest::qWait(20);
  EXPECT_GE(clock.elapsed(), 1900);
  ASSERT_EQ(Files(), std::vector{Own(1)});
  FileBytes bytes;
  const RecoveryContents contents = Read(Own(1), bytes);
  EXPECT_EQ(std::tuple(contents.header.owner.pid, contents.header.path, contents.header.title),
            std::tuple(long{getpid()}, std::string(), std::string("Trax1")));
  EXPECT_EQ(std::vector(contents.document.begin(), contents.document.end()), SaveTrackBytes(*doc));
  EXPECT_EQ(fs::status(RecoveryFolder() + "/" + Own(1)).permissions(), fs::perms(0600));

  Prompts().m_saveAnswers.push_back(PathOf("saved.tr"));
  Trigger(ID_FILE_SAVE);
  App().GetRecovery()->WriteAllNow();  // lets the writer finish its work
  EXPECT_TRUE(Files().empty());
}

TEST_F(Recovery, ClosingWithoutSavingOrEndingNormallyRemovesTheFilesAndASessionEndKeepsThem) {
  ASSERT_TRUE(Start({QString::fromStdString(WriteTrack("loop.tr"))}));
  Trigger(ID_FILE_NEW);
  for (CTrassoDoc* doc : Docs()) doc->AddNode(500, 500, false);
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files(), (std::vector{Own(1), Own(2)}));
  Prompts().m_boxAnswers = {QMessageBox::No};
  Trigger(ID_FILE_CLOSE);  // the new track, its changes thrown away
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files(), std::vector{Own(1)});

  Docs()[0]->Undo();  // back to the file's state: nothing to recover
  App().GetRecovery()->WriteAllNow();
  EXPECT_TRUE(Files().empty());
  Docs()[0]->Redo();
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files(), std::vector{Own(1)});

  App().EndSession();
  m_app.reset();
  EXPECT_EQ(Files(), std::vector{Own(1)});
  fs::remove_all(RecoveryFolder());

  ASSERT_TRUE(Start());
  Docs()[0]->AddNode(0, 0, false);
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files().size(), 1u);
  m_app.reset();
  EXPECT_TRUE(Files().empty());
}

TEST_F(Recovery, RestoredWorkOpensModifiedUnderItsOwnPathAndBecomesThisEditorsFile) {
  const std::string path = WriteTrack("loop.tr");
  Orphan(2, path, "loop.tr");
  Orphan(1, "", "Trax7");
  m_recoveryAnswer = {RecoveryChoice::kRestore, {0, 1}};
  ASSERT_TRUE(Start());
  ASSERT_EQ(m_offered.size(), 1u);
  ASSERT_EQ(Docs().size(), 2u);  // and no new untitled track
  for (CTrassoDoc* doc : Docs()) {
    EXPECT_TRUE(doc->IsModified() && !doc->GetHistory().CanUndo());
    EXPECT_EQ(doc->m_nodeList.size(), 1u);
  }
  EXPECT_EQ(std::pair(Docs()[0]->GetPathName(), Docs()[0]->GetTitle()),
            std::pair(fs::canonical(path).string(), std::string("loop.tr")));
  EXPECT_EQ(std::pair(Docs()[1]->GetPathName(), Docs()[1]->GetTitle()),
            std::pair(std::string(), std::string("Trax1")));
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files(), (std::vector{Own(1), Own(2)}));
  FileBytes bytes;
  EXPECT_EQ(Read(Own(1), bytes).header.owner.pid, getpid());  // no longer offered to others

  App().GetMainWnd()->GetMdiArea()->setActiveSubWindow(Frames(Docs()[0])[0]);
  Trigger(ID_FILE_SAVE);  // to its own file, without asking
  EXPECT_TRUE(Prompts().m_asked.empty());
  EXPECT_EQ(LoadTrackFile(path)->m_nodeList.size(), 1u);
  App().GetRecovery()->WriteAllNow();
  EXPECT_EQ(Files(), std::vector{Own(2)});
}

TEST_F(Recovery, LaterKeepsDiscardAsksFirstAndADamagedFileIsReportedAndKept) {
  const std::string orphan = Orphan(1, "", "Trax1");
  ASSERT_TRUE(Start());  // Later
  EXPECT_EQ(Docs().size(), 1u);
  m_app.reset();
  m_recoveryAnswer = {RecoveryChoice::kDiscard, {0}};
  m_confirmAnswer = QMessageBox::No;
  ASSERT_TRUE(Start());
  m_app.reset();
  EXPECT_TRUE(fs::exists(orphan));
  m_confirmAnswer = QMessageBox::Yes;
  ASSERT_TRUE(Start());
  m_app.reset();
  EXPECT_FALSE(fs::exists(orphan));
  EXPECT_EQ(m_offered.size(), 3u);

  const std::string damaged = Orphan(2, "", "");
  m_recoveryAnswer = {RecoveryChoice::kRestore, {0}};
  ASSERT_TRUE(Start());
  ASSERT_EQ(m_offered.back().size(), 1u);
  EXPECT_FALSE(m_offered.back()[0].header);
  ASSERT_EQ(Prompts().m_boxes.size(), 1u);
  EXPECT_TRUE(Prompts().m_boxes[0].text.startsWith("Cannot restore Damaged recovery file " +
                                                   QString::fromStdString(damaged) + ": "));
  EXPECT_EQ(Docs().size(), 1u);  // a new untitled track, as nothing was restored
  m_app.reset();
  EXPECT_TRUE(fs::exists(damaged));
}

TEST_F(Recovery, AStartRemovesWhatKilledRunsLeftAndKeepsWhatRunningOnesUse) {
  const std::string temp = PathOf("temp");
  fs::create_directory(temp);
  ScopedEnv tmpdir("TMPDIR", temp);
  char killedInput[40], liveInput[40];
  std::snprintf(killedInput, sizeof killedInput, "/TS%08lxabcdef.TMP",
                static_cast<long>(DeadPid()));
  std::snprintf(liveInput, sizeof liveInput, "/TS%08lxabcdef.TMP", static_cast<long>(getpid()));
  const std::string killedSave =
      PathOf(".trsave-0badf00d-" + std::to_string(DeadPid()) + "-abcdef");
  for (const std::string& file : {temp + killedInput, temp + liveInput, killedSave}) {
    std::ofstream(file) << "left";
  }
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Trasso", "Trasso")
      .setValue("Recent File List/File1", QString::fromStdString(PathOf("loop.tr")));
  ASSERT_TRUE(Start());
  EXPECT_EQ(std::tuple(fs::exists(temp + killedInput), fs::exists(temp + liveInput),
                       fs::exists(killedSave)),
            std::tuple(false, true, false));
}

TEST_F(Recovery, AFileThatCannotBeWrittenIsReported) {
  std::ofstream(PathOf("state")) << "a file where the folder should be";
  ScopedEnv state("XDG_STATE_HOME", PathOf("state"));
  ASSERT_TRUE(Start());
  Docs()[0]->AddNode(0, 0, false);
  App().GetRecovery()->WriteAllNow();
  Settle();
  EXPECT_TRUE(App().GetStatusBar()->currentMessage().startsWith(
      "Cannot write the recovery file of Trax1: Cannot save " +
      QString::fromStdString(PathOf("state"))))
      << App().GetStatusBar()->currentMessage().toStdString();
}

TEST(SessionEnd, TheFirstSignalThatEndsASessionIsToldOnceAndAClosedPipeIsNot) {
  CSessionEndWatch watch;
  std::vector<int> told;
  QObject::connect(&watch, &CSessionEndWatch::SessionEnding,
                   [&](int signal) { told.push_back(signal); });
  raise(SIGPIPE);
  QTest::qWait(50);
  EXPECT_TRUE(told.empty());
  raise(SIGHUP);
  raise(SIGTERM);
  QTest::qWait(50);
  EXPECT_EQ(told, std::vector{SIGHUP});
}

}  // namespace
