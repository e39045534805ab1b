// When recovery files are due, on a fake clock.

#include <gtest/gtest.h>

#include "platform/autosave_schedule.h"

namespace {
using namespace std::chrono_literals;
using Clock = CAutosaveSchedule::Clock;

struct AutosaveSchedule : testing::Test {
  // The due time as seconds after the start, or -1 for none.
  double DueAfter() const {
    const auto due = schedule.Due();
    return due ? std::chrono::duration<double>(*due - start).count() : -1;
  }
  void Change(Clock::duration at) { schedule.Observe(++revision, true, start + at); }

  const Clock::time_point start = Clock::now();
  std::uint64_t revision = 5;
  CAutosaveSchedule schedule{revision};
};

TEST_F(AutosaveSchedule, AFileIsDueWhenTheEditingPausesForTwoSeconds) {
  EXPECT_EQ(DueAfter(), -1);
  Change(1s);
  EXPECT_EQ(DueAfter(), 3);
  Change(2500ms);
  EXPECT_EQ(DueAfter(), 4.5);
  schedule.Observe(revision, true, start + 4s);  // nothing changed since
  EXPECT_EQ(DueAfter(), 4.5);
  schedule.Written();
  EXPECT_EQ(DueAfter(), -1);
  Change(10s);
  EXPECT_EQ(DueAfter(), 12);
}

TEST_F(AutosaveSchedule, ChangesThatKeepComingAreWrittenAtLeastEveryThirtySeconds) {
  for (auto at = 0s; at < 40s; at += 1s) Change(at);
  EXPECT_EQ(DueAfter(), 30);
  schedule.Written();
  Change(41s);
  EXPECT_EQ(DueAfter(), 43);
}

TEST_F(AutosaveSchedule, NoFileIsWantedForTheStateWrittenOrSaved) {
  Change(1s);
  schedule.Written();
  Change(2s);
  schedule.Observe(revision - 1, true, start + 3s);  // undone to what the file holds
  EXPECT_EQ(DueAfter(), -1);
  schedule.Observe(revision, false, start + 4s);  // saved
  EXPECT_TRUE(schedule.IsClean());
  EXPECT_EQ(DueAfter(), -1);
  schedule.Removed();
  schedule.Observe(revision - 1, true, start + 5s);  // undone past the save: the file is gone
  EXPECT_FALSE(schedule.IsClean());
  EXPECT_EQ(DueAfter(), 7);
}

}  // namespace
