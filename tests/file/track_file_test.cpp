// Saving to disk replaces the file only when the new one is complete.

#include <gtest/gtest.h>

#include "model/track_file.h"
#include "platform/archive_exception.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

namespace fs = std::filesystem;

namespace {

class TrackFile : public ::testing::Test {
 protected:
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.Path()), {}));
  }
  std::string Save(const std::string& path) {
    try {
      SaveTrackFile(*doc, path);
    } catch (const CFileException& e) {
      return e.what();
    }
    return "saved";
  }
  ScratchFolder folder;
  std::unique_ptr<CTrassoDoc> doc = GenerateGridTrack(20);
  const std::string path = folder / "track.tr";
};

TEST_F(TrackFile, AFailedSaveKeepsTheOldFileAndLinksAndPermissionsAreKept) {
  std::ofstream(path) << "old contents";
  doc->SetModifiedFlag(true);
  {
    FileSizeLimit limit(4096);
    EXPECT_EQ(Save(path), "Cannot save " + path + ": writing failed: File too large");
  }
  EXPECT_EQ(std::tuple(ReadFile(path), doc->IsModified(), FileCount()),
            std::tuple("old contents", true, std::size_t{1}));
  // Neither a missing folder nor a directory in the way of the rename is replaced.
  EXPECT_NE(Save(folder / "missing/track.tr"), "saved");
  fs::create_directory(folder / "dir.tr");
  EXPECT_NE(Save(folder / "dir.tr"), "saved");
  EXPECT_TRUE(fs::is_directory(folder / "dir.tr"));

  EXPECT_EQ(Save(path), "saved");
  EXPECT_EQ(std::pair(doc->IsModified(), FileCount()),
            std::pair(false, std::size_t{2}));  // no temporary left
  EXPECT_EQ(SaveTrackBytes(*LoadTrackFile(path)), SaveTrackBytes(*doc));
  std::ofstream(path) << "old";
  fs::permissions(path, fs::perms(0640));
  fs::create_symlink(path, folder / "link.tr");
  EXPECT_EQ(Save(folder / "link.tr"), "saved");
  EXPECT_TRUE(fs::is_symlink(folder / "link.tr"));
  EXPECT_EQ(ReadFile(path).size(), SaveTrackBytes(*doc).size());
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
  const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
  const auto before = openFiles();
  for (const char* name : {"none.tr", "dir.tr"}) {
    try {
      LoadTrackFile(folder / name);
      ADD_FAILURE();
    } catch (const CArchiveException& e) {
      EXPECT_EQ(std::string(e.what()),
                "Cannot open " + folder / name +
                    (name[0] == 'n' ? ": No such file or directory" : ": not a regular file"));
    }
  }
  EXPECT_EQ(openFiles(), before);
}

// A file of several large pages is read whole, its size exact.
TEST_F(TrackFile, ALargeTrackIsReadWholeAndLoadsAsSaved) {
  doc = GenerateGridTrack(160);
  const std::vector<std::uint8_t> saved = SaveTrackBytes(*doc);
  ASSERT_GT(saved.size(), CSlabSource::kBlockBytes);
  ASSERT_EQ(Save(path), "saved");
  const FileBytes read = ReadWholeFile(path);
  EXPECT_TRUE(std::equal(read.begin(), read.end(), saved.begin(), saved.end()));
  EXPECT_EQ(SaveTrackBytes(*LoadTrackFile(path)), saved);
}

// A file cut short or grown between its opening and its end is refused,
// whatever its bytes would otherwise say.
TEST_F(TrackFile, AFileThatChangesWhileItIsReadIsRefused) {
  const auto loadChanged = [&](auto change) -> std::string {
    EXPECT_EQ(Save(path), "saved");
    CFileReader file(path);
    change();
    try {
      LoadTrackFrom(file, file.Size(), 64);
    } catch (const CArchiveException& e) {
      return e.what();
    }
    return "loaded";
  };
  const auto size = SaveTrackBytes(*doc).size();
  EXPECT_EQ(loadChanged([&] { fs::resize_file(path, 100); }),
            "the file became shorter while it was read at byte 100");
  EXPECT_EQ(loadChanged([&] { std::ofstream(path, std::ios::app) << "more"; }),
            "the file grew while it was read at byte " + std::to_string(size));
}

}  // namespace
