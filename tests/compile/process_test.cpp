#include "platform/process.h"

#include <gtest/gtest.h>

#include "platform/temp_file.h"
#include "support/scratch_folder.h"

TEST(Process, ReportsWhatCouldNotBeRun) {
  const CProcessResult missing = RunProcess("/nonexistent/Mapforge", {"Mapforge"}, "");
  EXPECT_FALSE(missing.Succeeded());
  EXPECT_EQ(missing.m_ending, CProcessResult::Ending::kNotStarted);
  EXPECT_NE(missing.Describe().find("could not be run"), std::string::npos);

  ScratchFolder folder;
  const CProcessResult badFolder = RunProcess(std::string(TRASSO_FAKE_COMPILER_DIR) + "/Mapforge",
                                              {"Mapforge"}, folder / "gone");
  EXPECT_FALSE(badFolder.Succeeded());
}

TEST(Process, FindProgramSkipsFoldersThatDependOnTheWorkingDirectory) {
  const std::string fake = TRASSO_FAKE_COMPILER_DIR;
  EXPECT_EQ(FindProgram("Mapforge", fake, ""), fake + "/Mapforge");
  EXPECT_EQ(FindProgram("Mapforge", "", "/nonexistent:" + fake + "/"), fake + "/Mapforge");
  EXPECT_EQ(FindProgram("Mapforge", "", ":.:tests/fake_compiler"), "");
  EXPECT_EQ(FindProgram("Mapforge", "/nonexistent", ""), "");
  EXPECT_FALSE(GetProgramFolder().empty());
  EXPECT_EQ(GetProgramFolder().back(), '/');
}

TEST(TempFile, IsDeletedWithItsObjectWhetherWrittenOrNot) {
  ScratchFolder folder;
  std::string error, path;
  {
    auto file = CTempFile::Create(folder.Path(), "TS", ".TMP", error);
    ASSERT_TRUE(file);
    path = file->GetPath();
    EXPECT_TRUE(file->WriteAndClose("some text\n", error));
    EXPECT_EQ(ReadFile(path), "some text\n");
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  {
    auto file = CTempFile::Create(folder.Path(), "TS", ".TMP", error);
    ASSERT_TRUE(file);
    path = file->GetPath();
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(CTempFile::Create(folder / "missing", "TS", ".TMP", error));
  EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(TempFile, FolderComesFromTheEnvironment) {
  {
    ScopedEnv tmp("TMPDIR", "/var/somewhere");
    EXPECT_EQ(GetTempFolder(), "/var/somewhere");
  }
  ScopedEnv empty("TMPDIR", "");
  EXPECT_EQ(GetTempFolder(), "/tmp");
}
