#pragma once
// Runs another program directly, without a shell, so that nothing in its
// arguments is ever interpreted, and waits for it to end.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct CProcessResult {
  enum class Ending { kExited, kSignalled, kTimedOut, kNotStarted };

  Ending m_ending = Ending::kNotStarted;
  // Exit status, signal number, the time allowed in milliseconds, or errno of
  // the start or the wait.
  int m_nCode = 0;
  std::string m_strOutput;  // the end of its standard output and error, interleaved

  bool Succeeded() const { return m_ending == Ending::kExited && m_nCode == 0; }
  // "exit status 3", "killed by signal 11 (Segmentation fault)", "timed out after 2.5 s",
  // "could not be run: ..."
  std::string Describe() const;
};

// At most this much of the end of a program's output is kept.
constexpr std::size_t kProcessOutputLimit = 64 * 1024;

// What a caller may add to a run; the defaults add nothing.
struct CRunControl {
  // Each piece of the output as it arrives, besides the tail kept in the result.
  std::function<void(std::string_view)> onOutput;
  // The program is killed when it runs longer; zero is no limit.
  std::chrono::milliseconds timeout{0};
  // The program is killed once this descriptor is readable; -1 is none.
  int stopFd = -1;
};

// Starts `program` (a path) with the argument vector `arguments` (argument 0
// included) in the folder `workingDir` (ours when empty), with standard input
// from /dev/null so that it can never wait for a key, and waits for it. Our
// own working directory never changes. The program leads a process group of
// its own, so that a time-out or a stop kills whatever it started with it.
CProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingDir, const CRunControl& control = {});

// The path of the executable file `name` in `firstFolder`, else in the first
// folder of `searchPath` (colon-separated) holding one; empty when there is
// none. Empty and relative entries of `searchPath` are skipped, so that the
// program found never depends on the working directory.
std::string FindProgram(std::string_view name, const std::string& firstFolder,
                        std::string_view searchPath);

// The folder of the running executable, or empty when it cannot be found.
std::string GetProgramFolder();

// $PATH, or empty.
std::string GetSearchPath();
