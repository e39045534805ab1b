// trasso-cli against hostile files, targets, limits and vanishing folders, one shell script each.
#include "../compile/compile_test_support.h"
#include "model/track_file.h"
#include "platform/process.h"
#include "support/scratch_folder.h"
#include "support/track_generator.h"

namespace {
// $CLI is trasso-cli; each script runs in a scratch folder holding `t.tr`.
struct Case {
  const char *name, *script;
  int status;
  const char* output;  // a part of standard output and error
};

const Case kCases[] = {
    {"a folder", "$CLI info /tmp", 1, "/tmp: Cannot open /tmp: not a regular file"},
    {"a device that never ends", "$CLI info /dev/zero", 1, "not a regular file"},
    {"a FIFO nobody writes", "mkfifo f && $CLI info f", 1, "f: Cannot open f: not a regular file"},
    {"a full output", "$CLI info t.tr > /dev/full", 1, "standard output: write error"},
    {"input to a full output", "$CLI input t.tr > /dev/full", 1, "write error"},
    {"a link to a file not made yet",
     "ln -s made.tr link.tr && $CLI resave t.tr link.tr && test -L link.tr && cmp t.tr made.tr", 0,
     ""},
    {"over a read-only file",
     "echo old > ro.tr && chmod 444 ro.tr && ! $CLI resave t.tr ro.tr && test \"$(cat ro.tr)\" = "
     "old"
     " && $CLI resave t.tr ro.tr",
     1, "ro.tr: the file is read-only"},
    {"onto a FIFO", "mkfifo f && ! $CLI resave t.tr f && test -p f && $CLI resave t.tr f", 1,
     "f: not a regular file"},
    {"onto a device", "$CLI resave t.tr /dev/null", 1, "/dev/null: not a regular file"},
    {"a name of 250 bytes",
     "n=$(printf '%0250d' 0) && $CLI resave t.tr $n && cmp t.tr $n && test $(ls -A | wc -l) = 2", 0,
     ""},
    {"a file-size limit",
     "(ulimit -f 1; $CLI resave t.tr big.tr); s=$?; test $(ls -A | wc -l) = 1 && exit $s", 1,
     "File too large"},
    {"a vanished working folder", "mkdir gone && cd gone && rmdir ../gone && $CLI compile t.tr", 1,
     "t.tr: "},
    {"a folder with a period and no extension",
     "mkdir v1.2 && cp t.tr v1.2/track && $CLI compile v1.2/track && test -f v1.2/track.trk", 0,
     ""},
    {"a folder in brackets",
     "mkdir '[old]' && cp t.tr '[old]/t.tr' && $CLI compile '[old]/t.tr' && test -f '[old]/t.trk'",
     0, ""},
};

TEST(CliHostileFiles, EachEndsWithAMessageAndTheRightStatus) {
  const ScopedEnv cli("CLI", std::string(TRASSO_BIN_DIR) + "/trasso-cli");
  for (const Case& c : kCases) {
    ScratchFolder folder;
    SaveTrackFile(*GenerateGridTrack(2), folder / "t.tr");
    const CProcessResult run = RunProcess("/bin/sh", {"sh", "-c", c.script}, folder.Path());
    EXPECT_EQ(std::pair(run.m_ending, run.m_nCode),
              std::pair(CProcessResult::Ending::kExited, c.status))
        << c.name << ": " << run.m_strOutput;
    EXPECT_TRUE(Contains(run.m_strOutput, c.output) && !Contains(run.m_strOutput, "terminate"))
        << c.name << ": " << run.m_strOutput;
  }
}
}  // namespace
