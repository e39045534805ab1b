// trasso-cli compile with the stand-in compiler beside it: its messages relayed, and a time limit
// or a signal that leaves neither a process nor a temporary file behind.
#include <filesystem>

#include "script_case.h"

namespace {
// $CLI is a copy of trasso-cli beside the stand-in compiler; each script runs in a scratch folder
// holding `t.tr` and the temporary folder `tmp`, which must be empty at the end. `gone PID` waits
// a few seconds at most for the process to end (a zombie has ended). The compiler runs in the
// folder of the programs, so it gets absolute paths.
const ScriptCase kCases[] = {
    {"success relays the compiler's messages to standard error", 0, "",
     "$CLI compile t.tr 2>err >out && test ! -s out && test -f t.trk && "
     "grep -qx 'fake compiler output' err && grep -qx 'fake compiler error' err"},
    {"a time limit kills the compiler and its child", 1, "Mapforge: timed out after 0.5 s\n",
     "FAKE_MAPFORGE_SLEEP=20 FAKE_MAPFORGE_CHILD=$PWD/pid $CLI compile t.tr --timeout 0.5; s=$?; "
     "gone $(cat pid) && test ! -e t.trk && exit $s"},
    {"SIGTERM kills the compiler and its child, and then us", 128 + SIGTERM, "",
     "FAKE_MAPFORGE_SLEEP=20 FAKE_MAPFORGE_CHILD=$PWD/pid $CLI compile t.tr & "
     "for i in $(seq 200); do test -s pid && break; sleep 0.05; done; "
     "kill -TERM $!; wait $!; s=$?; gone $(cat pid) && test ! -e t.trk && exit $s"}};

constexpr const char* kPrelude =
    "export TMPDIR=$PWD/tmp; gone() { for i in $(seq 50); do "
    "kill -0 ${1:?} 2>/dev/null && ! grep -q ') Z' /proc/$1/stat || return 0; sleep 0.1; done; "
    "return 1; }; (";
constexpr const char* kLeftovers =
    ") 2>&1; s=$?; test -z \"$(ls -A tmp)\" || { echo left behind: tmp/*; exit 99; }; exit $s";

TEST(CliCompileRun, RelaysMessagesAndEndsWithNoProcessNorTemporaryFileLeft) {
  ScratchFolder bin;
  std::filesystem::copy_file(std::string(TRASSO_BIN_DIR) + "/trasso-cli", bin / "trasso-cli");
  std::filesystem::create_symlink(std::string(TRASSO_FAKE_COMPILER_DIR) + "/Mapforge",
                                  bin / "Mapforge");
  const ScopedEnv cli("CLI", bin / "trasso-cli");
  for (const ScriptCase& c : kCases) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "tmp");
    RunScriptCase(c, std::string(kPrelude) + c.script + kLeftovers, folder);
  }
}
}  // namespace
