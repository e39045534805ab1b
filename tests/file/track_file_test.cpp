// Saving to disk replaces the file only when the new one is complete.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "model/track_file.h"
#include "platform/archive_exception.h"
#include "support/track_generator.h"

namespace fs = std::filesystem;

namespace {

class TrackFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "trasso-file-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
  }
  void TearDown() override { fs::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return (m_dir / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
  }

  fs::path m_dir;
};

}  // namespace

TEST_F(TrackFile, SaveThenLoadAndModifiedFlag) {
  auto doc = GenerateGridTrack(3);
  doc->SetModifiedFlag(true);
  const std::string path = Path("track.tr");
  Write(path, "old");
  SaveTrackFile(*doc, path);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(FileCount(), 1u) << "no temporary file is left";
  auto loaded = LoadTrackFile(path);
  EXPECT_EQ(SaveTrackBytes(*loaded), SaveTrackBytes(*doc));
}

TEST_F(TrackFile, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  auto doc = GenerateGridTrack(20);
  doc->SetModifiedFlag(true);
  const std::string path = Path("track.tr");
  Write(path, "old contents");

  // A file size limit makes the write fail half-way.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  std::string message;
  try {
    SaveTrackFile(*doc, path);
  } catch (const CFileException& e) {
    message = e.what();
  }
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(message, "Cannot save " + path + ": writing failed: File too large");
  EXPECT_EQ(Read(path), "old contents");
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(FileCount(), 1u) << "the temporary file is removed";
}

TEST_F(TrackFile, SaveIntoAMissingFolderFails) {
  auto doc = GenerateGridTrack(1);
  const std::string path = Path("missing/track.tr");
  EXPECT_THROW(SaveTrackFile(*doc, path), CFileException);
  // A directory in the way of the rename: it stays a directory.
  fs::create_directory(Path("dir.tr"));
  EXPECT_THROW(SaveTrackFile(*doc, Path("dir.tr")), CFileException);
  EXPECT_TRUE(fs::is_directory(Path("dir.tr")));
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(TrackFile, SymbolicLinkAndPermissionsAreKept) {
  auto doc = GenerateGridTrack(1);
  const std::string real = Path("real.tr");
  Write(real, "old");
  chmod(real.c_str(), 0640);
  fs::create_symlink(real, Path("link.tr"));
  SaveTrackFile(*doc, Path("link.tr"));
  EXPECT_TRUE(fs::is_symlink(Path("link.tr")));
  EXPECT_EQ(Read(real).size(), SaveTrackBytes(*doc).size());
  struct stat info {};
  stat(real.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(TrackFile, LoadingAMissingFileSaysSo) {
  const std::string path = Path("none.tr");
  try {
    LoadTrackFile(path);
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open " + path + ": No such file or directory");
  }
}
