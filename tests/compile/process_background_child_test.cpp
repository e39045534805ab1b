#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <string>

#include "platform/process.h"
#include "support/scratch_folder.h"

// A compiler that leaves a child behind holding its output open must not hang
// the Compile command: the run ends when the program itself ends.
TEST(Process, EndsWhenTheProgramEndsThoughItsChildKeepsTheOutputOpen) {
  ScratchFolder folder;
  const auto start = std::chrono::steady_clock::now();
  const CProcessResult run = RunProcess(
      "/bin/sh", {"sh", "-c", "sleep 60 & echo $! > child; echo done; exit 3"}, folder.Path());
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
  kill(std::stoi(ReadFile(folder / "child")), SIGKILL);
  EXPECT_LT(seconds.count(), 30);
  EXPECT_EQ(run.Describe() + ": " + run.m_strOutput, "exit status 3: done\n");
}
