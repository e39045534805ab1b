// Recovery files: their header, their names and owners, which of them are
// offered, and the clean-up of what killed runs leave behind.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <unistd.h>
#include <csignal>

#include "platform/archive_exception.h"
#include "platform/atomic_file.h"
#include "platform/recovery_file.h"
#include "platform/recovery_store.h"
#include "platform/temp_file.h"
#include "support/scratch_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> FileBytes(const RecoveryHeader& header, std::string_view document) {
  std::vector<std::uint8_t> bytes = EncodeRecoveryHeader(header);
  bytes.insert(bytes.end(), document.begin(), document.end());
  return bytes;
}

void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteFileAtomically(path, bytes, 0600);
}

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

TEST(RecoveryFile, TheHeaderKeepsAnyBytesAndTheDocumentFollowsUntouched) {
  const RecoveryHeader header{{4242, 987654321}, 1765090000, "/a b/\nloop\x92.tr", "lo\nop"};
  const std::string document("\x00\x01\nTrasso recovery 1\n", 21);
  const std::vector<std::uint8_t> bytes = FileBytes(header, document);
  const RecoveryContents contents = ParseRecoveryFile(bytes);
  EXPECT_EQ(std::tuple(contents.header.owner.pid, contents.header.owner.startTicks,
                       contents.header.savedAt, contents.header.path, contents.header.title),
            std::tuple(4242L, 987654321ULL, std::int64_t{1765090000}, header.path, header.title));
  EXPECT_EQ(std::string(contents.document.begin(), contents.document.end()), document);

  // The header alone is read, however long the document behind it.
  ScratchFolder folder;
  Write(folder / "1-1.tr-recovery", FileBytes(header, std::string(1 << 20, 'x')));
  EXPECT_EQ(ReadRecoveryHeader(folder / "1-1.tr-recovery").path, header.path);
}

TEST(RecoveryFile, AProcessIsKnownByItsStartAsWellAsItsId) {
  const ProcessIdentity self = CurrentProcess();
  const pid_t child = fork();
  if (child == 0) {
    pause();
    _exit(0);
  }
  const unsigned long long childStart = ProcessStartTicks(child);
  EXPECT_TRUE(ProcessStartTicks(1) <= self.startTicks && self.startTicks <= childStart &&
              ProcessStartTicks(1) < childStart);
  EXPECT_TRUE(IsRunning({child, childStart}));
  EXPECT_FALSE(IsRunning({child, childStart + 1}));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_FALSE(IsRunning({child, childStart}));
  EXPECT_EQ(ProcessStartTicks(child), 0u);
}

TEST(RecoveryFile, AHeaderThatIsNotSoundIsRefused) {
  const std::vector<std::uint8_t> good = EncodeRecoveryHeader({{7, 1}, 2, "p", "t"});
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_THROW(ParseRecoveryFile(std::span(good).first(cut)), CArchiveException) << cut;
  }
  for (const std::string bad : {"Trasso recovery 2\n", "Trasso recovery 1\npid x\n",
                                "Trasso recovery 1\npid 1\nstart 1\nsaved 1\npath 99999999\n"}) {
    EXPECT_THROW(ParseRecoveryFile({reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()}),
                 CArchiveException)
        << bad;
  }
}

TEST(RecoveryFile, NamesTellTheirOwner) {
  EXPECT_EQ(RecoveryFileName(4242, 3), "4242-3.tr-recovery");
  EXPECT_EQ(RecoveryFileOwner("4242-3.tr-recovery"), 4242);
  for (const char* other : {"4242.tr-recovery", "x-3.tr-recovery", "0-3.tr-recovery",
                            "-4-3.tr-recovery", "4242-3x.tr-recovery", "4242-3.tr-recovery~",
                            ".trsave-0badf00d-4242-abcdef", "4242-.tr-recovery"}) {
    EXPECT_EQ(RecoveryFileOwner(other), 0) << other;
  }
}

TEST(RecoveryFile, TheFolderFollowsTheStateHomeAndIsPrivate) {
  ScratchFolder folder;
  {
    ScopedEnv state("XDG_STATE_HOME", folder / "state");
    EXPECT_EQ(RecoveryFolder(), folder / "state/trasso/recovery");
  }
  {
    ScopedEnv state("XDG_STATE_HOME", "relative/state");
    ScopedEnv home("HOME", folder.Path());
    EXPECT_EQ(RecoveryFolder(), folder / ".local/state/trasso/recovery");
  }
  std::string error;
  ASSERT_TRUE(MakePrivateFolder(folder / "a/b/recovery", error)) << error;
  EXPECT_EQ(ModeOf(folder / "a/b/recovery"), 0700u);
  chmod((folder / "a/b/recovery").c_str(), 0755);
  ASSERT_TRUE(MakePrivateFolder(folder / "a/b/recovery", error));
  EXPECT_EQ(ModeOf(folder / "a/b/recovery"), 0700u);
  std::ofstream(folder / "file") << "";
  EXPECT_FALSE(MakePrivateFolder(folder / "file/recovery", error));
  EXPECT_NE(error.find(folder / "file"), std::string::npos) << error;
}

TEST(RecoveryStore, OnlyTheFilesOfEndedEditorsAreOfferedNewestFirst) {
  ScratchFolder folder;
  const ProcessIdentity self = CurrentProcess();
  const long dead = DeadPid();
  const auto file = [&](long namedPid, unsigned serial, const ProcessIdentity& owner, int savedAt) {
    const std::string path = folder / RecoveryFileName(namedPid, serial);
    Write(path, FileBytes({owner, savedAt, "/t/" + std::to_string(serial) + ".tr", ""}, "doc"));
    return path;
  };
  file(self.pid, 1, self, 10);                      // ours, still running
  const auto older = file(dead, 2, {dead, 5}, 10);  // its editor ended
  const auto newer = file(dead, 1, {dead, 5}, 20);  // ... and wrote this one later
  const auto reused = file(self.pid, 3, {self.pid, self.startTicks + 1}, 10);  // the id went to us
  file(self.pid, 4, {dead, 5}, 30);  // taken over by us from an editor that ended
  const std::string damaged = folder / RecoveryFileName(dead, 5);
  std::ofstream(damaged) << "not a recovery file";
  std::ofstream(folder / RecoveryFileName(self.pid, 6)) << "being written";
  std::ofstream(folder / "notes.txt") << "not ours";

  const std::vector<RecoveryOffer> offers = FindOrphanedRecoveryFiles(folder.Path());
  ASSERT_EQ(offers.size(), 4u);
  // Newest first; of two written in the same second, the first by name.
  const auto [first, second] = std::minmax(older, reused);
  EXPECT_EQ(std::tuple(offers[0].file, offers[1].file, offers[2].file, offers[3].file),
            std::tuple(newer, first, second, damaged));
  EXPECT_EQ(offers[0].header->path, "/t/1.tr");
  EXPECT_EQ(offers[0].size, fs::file_size(newer));
  EXPECT_TRUE(offers[0].error.empty());
  EXPECT_FALSE(offers[3].header);
  EXPECT_EQ(offers[3].error, "Not a sound recovery file: expected \"Trasso recovery 1\" at byte 0");
  EXPECT_TRUE(FindOrphanedRecoveryFiles(folder / "missing").empty());
}

TEST(RecoveryStore, OnlyOneEditorCanClaimAFileAndNoneReplacesAnother) {
  ScratchFolder folder;
  std::ofstream(folder / "orphan") << "work";
  std::ofstream(folder / "mine") << "mine";
  EXPECT_FALSE(ClaimRecoveryFile(folder / "orphan", folder / "mine"));
  EXPECT_TRUE(ClaimRecoveryFile(folder / "orphan", folder / "first"));
  EXPECT_FALSE(ClaimRecoveryFile(folder / "orphan", folder / "second"));
  EXPECT_EQ(std::tuple(ReadFile(folder / "first"), ReadFile(folder / "mine"),
                       fs::exists(folder / "second")),
            std::tuple("work", "mine", false));
}

TEST(Leftovers, TheFilesOfKilledRunsGoAndThoseOfRunningOnesStay) {
  ScratchFolder folder;
  std::string error;
  auto own = CTempFile::Create(folder.Path(), "TS", ".TMP", error);
  ASSERT_TRUE(own) << error;
  char deadName[32];
  std::snprintf(deadName, sizeof deadName, "TS%08lxAbc123.TMP", DeadPid());
  const std::vector<std::string> kept = {"TS00000001abcdef.TMP" /* init */, "TSzzzzzzzzabcdef.TMP",
                                         "TS0000001abcdef.TMP", "XS00000001abcdef.TMP"};
  for (const std::string& name : kept) std::ofstream(folder / name) << "";
  std::ofstream(folder / deadName) << "";
  const std::string deadSave =
      folder / (".trsave-0badf00d-" + std::to_string(DeadPid()) + "-abcdef");
  const std::string liveSave =
      folder / (".trsave-0badf00d-" + std::to_string(getpid()) + "-abcdef");
  std::ofstream(deadSave) << "";
  std::ofstream(liveSave) << "";

  RemoveOrphanedTempFiles(folder.Path(), "TS", ".TMP");
  RemoveOrphanedSaveFiles(folder.Path());
  EXPECT_FALSE(fs::exists(folder / deadName));
  EXPECT_FALSE(fs::exists(deadSave));
  EXPECT_TRUE(fs::exists(own->GetPath()));
  EXPECT_TRUE(fs::exists(liveSave));
  for (const std::string& name : kept) EXPECT_TRUE(fs::exists(folder / name)) << name;
}

TEST(Leftovers, AGivenModeIsTheModeOfTheNewFileWhateverTheOldOne) {
  ScratchFolder folder;
  const std::string path = folder / "1-1.tr-recovery";
  std::ofstream(path) << "old";
  chmod(path.c_str(), 0644);
  Write(path, {1, 2, 3});
  EXPECT_EQ(std::tuple(ModeOf(path), ReadFile(path).size()), std::tuple(0600u, std::size_t{3}));
}

}  // namespace
