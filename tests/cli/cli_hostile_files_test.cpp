// trasso-cli against hostile files, targets, limits and vanishing folders, one shell script each.
#include "script_case.h"

namespace {
// $CLI is trasso-cli; each script runs in a scratch folder holding `t.tr`.
const ScriptCase kCases[] = {
    {"a folder", 1, "/tmp: Cannot open /tmp: not a regular file", "$CLI info /tmp"},
    {"a device that never ends", 1, "not a regular file", "$CLI info /dev/zero"},
    {"a FIFO nobody writes", 1, "f: Cannot open f: not a regular file", "mkfifo f && $CLI info f"},
    {"a full output", 1, "standard output: write error", "$CLI info t.tr > /dev/full"},
    {"input to a full output", 1, "write error", "$CLI input t.tr > /dev/full"},
    {"a link to a file not made yet", 0, "",
     "ln -s made.tr link.tr && $CLI resave t.tr link.tr && test -L link.tr && cmp t.tr made.tr"},
    {"over a read-only file", 1, "ro.tr: the file is read-only",
     "echo old > ro.tr && chmod 444 ro.tr && ! $CLI resave t.tr ro.tr && test \"$(cat ro.tr)\" = "
     "old && $CLI resave t.tr ro.tr"},
    {"onto a FIFO", 1, "f: not a regular file",
     "mkfifo f && ! $CLI resave t.tr f && test -p f && $CLI resave t.tr f"},
    {"onto a device", 1, "/dev/null: not a regular file", "$CLI resave t.tr /dev/null"},
    {"a name of 250 bytes", 0, "",
     "n=$(printf '%0250d' 0) && $CLI resave t.tr $n && cmp t.tr $n && test $(ls -A | wc -l) = 2"},
    {"a file-size limit", 1, "File too large",
     "(ulimit -f 1; $CLI resave t.tr big.tr); s=$?; test $(ls -A | wc -l) = 1 && exit $s"},
    {"a vanished working folder", 1,
     "t.tr: ", "mkdir gone && cd gone && rmdir ../gone && $CLI compile t.tr"},
    {"a folder with a period and no extension", 0, "",
     "mkdir v1.2 && cp t.tr v1.2/track && $CLI compile v1.2/track && test -f v1.2/track.trk"},
    {"a folder in brackets", 0, "",
     "mkdir '[o]' && cp t.tr '[o]/t.tr' && $CLI compile '[o]/t.tr' && test -f '[o]/t.trk'"}};

TEST(CliHostileFiles, EachEndsWithAMessageAndTheRightStatus) {
  const ScopedEnv cli("CLI", std::string(TRASSO_BIN_DIR) + "/trasso-cli");
  for (const ScriptCase& c : kCases) {
    const CProcessResult run = RunScriptCase(c, c.script, ScratchFolder());
    EXPECT_FALSE(Contains(run.m_strOutput, "terminate")) << c.name << ": " << run.m_strOutput;
  }
}
}  // namespace
