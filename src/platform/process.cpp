#include "platform/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace {
// Closes the pipe ends and releases the spawn records on every way out.
struct SpawnSetup {
  int pipe[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;

  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    for (int fd : pipe) {
      if (fd >= 0) close(fd);
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  void CloseWriteEnd() {
    close(pipe[1]);
    pipe[1] = -1;
  }
};

// Standard input from /dev/null, standard output and error into the pipe, the
// working directory, a process group of its own, and signal dispositions and
// mask as a fresh program expects.
int Prepare(SpawnSetup& setup, const std::string& workingDir) {
  if (pipe2(setup.pipe, O_CLOEXEC) != 0) return errno;
  posix_spawn_file_actions_addopen(&setup.actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&setup.actions, setup.pipe[1], 1);
  posix_spawn_file_actions_adddup2(&setup.actions, setup.pipe[1], 2);
  if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&setup.actions, workingDir.c_str());
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&setup.attributes, &all);
  posix_spawnattr_setsigmask(&setup.attributes, &none);
  posix_spawnattr_setpgroup(&setup.attributes, 0);
  posix_spawnattr_setflags(&setup.attributes,
                           POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);
  return 0;
}

// Keeps only the last kProcessOutputLimit bytes of what arrives.
void AppendTail(std::string& tail, const char* bytes, std::size_t count) {
  tail.append(bytes, count);
  if (tail.size() > 2 * kProcessOutputLimit) tail.erase(0, tail.size() - kProcessOutputLimit);
}

// Reads what is in the pipe now, without waiting and at most a few times the
// kept tail, so that a writer that never stops cannot keep us here; false at
// the pipe's end. Each piece also goes to the caller's relay.
bool ReadAvailable(int fd, std::string& tail, const CRunControl& control) {
  char buffer[16384];
  for (std::size_t bytesRead = 0; bytesRead < 4 * kProcessOutputLimit;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno == EAGAIN;
    if (n == 0) return false;
    if (control.onOutput) control.onOutput(std::string_view(buffer, static_cast<std::size_t>(n)));
    AppendTail(tail, buffer, static_cast<std::size_t>(n));
    bytesRead += static_cast<std::size_t>(n);
  }
  return true;
}

// The program's output until the program itself has ended, then whatever is
// left in the pipe. A child it left behind may hold the pipe open for ever, so
// the end of the pipe is not waited for. On a time-out or a stop the whole
// group is killed while the program is not yet reaped, so that its id cannot
// name some other group by then. Returns the wait status, or -1 with errno set
// when the status is lost; `timedOut` tells that the time limit was reached.
int CollectUntilExit(pid_t pid, int fd, const CRunControl& control, std::string& tail,
                     bool& timedOut) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + control.timeout;
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  // A descriptor that becomes readable when the program ends, where the
  // kernel has one; a short poll interval otherwise.
  const int exitFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  bool open = true, killed = false;
  int status = 0;
  for (;;) {
    const pid_t waited = waitpid(pid, &status, WNOHANG);
    if (waited == pid || (waited < 0 && errno != EINTR)) {
      const int error = errno;
      if (open) ReadAvailable(fd, tail, control);
      if (exitFd >= 0) close(exitFd);
      if (tail.size() > kProcessOutputLimit) tail.erase(0, tail.size() - kProcessOutputLimit);
      errno = error;
      return waited == pid ? status : -1;
    }
    int wait = exitFd >= 0 ? -1 : 20;
    if (!killed && control.timeout.count() > 0) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) {
        timedOut = killed = true;
        kill(-pid, SIGKILL);
        continue;
      }
      const int leftMs = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
      wait = wait < 0 ? leftMs : std::min(wait, leftMs);
    }
    pollfd fds[3] = {{exitFd, POLLIN, 0},
                     {open ? fd : -1, POLLIN, 0},
                     {killed ? -1 : control.stopFd, POLLIN, 0}};
    if (poll(fds, 3, wait) <= 0) continue;
    if (fds[1].revents != 0) open = ReadAvailable(fd, tail, control);
    if (fds[2].revents != 0) {
      killed = true;
      kill(-pid, SIGKILL);
    }
  }
}

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}
}  // namespace

std::string CProcessResult::Describe() const {
  switch (m_ending) {
    case Ending::kExited:
      return "exit status " + std::to_string(m_nCode);
    case Ending::kSignalled:
      return "killed by signal " + std::to_string(m_nCode) + " (" + strsignal(m_nCode) + ")";
    case Ending::kTimedOut: {
      char seconds[32];
      const auto end = std::to_chars(seconds, seconds + sizeof seconds, m_nCode / 1000.0).ptr;
      return "timed out after " + std::string(seconds, end) + " s";
    }
    case Ending::kNotStarted:
      break;
  }
  return std::string("could not be run: ") + std::strerror(m_nCode);
}

CProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingDir, const CRunControl& control) {
  CProcessResult result;
  SpawnSetup setup;
  if (const int error = Prepare(setup, workingDir)) {
    result.m_nCode = error;
    return result;
  }
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int error =
      posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
  if (error != 0) {
    result.m_nCode = error;
    return result;
  }
  setup.CloseWriteEnd();  // so that the pipe ends when the program's last copy closes
  bool timedOut = false;
  const int status = CollectUntilExit(pid, setup.pipe[0], control, result.m_strOutput, timedOut);
  if (status < 0) {  // the status is lost (SIGCHLD ignored): no success can be claimed
    result.m_nCode = errno;
    return result;
  }
  // A program that ended by itself just as the time ran out keeps its own ending.
  if (timedOut && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) {
    result.m_ending = CProcessResult::Ending::kTimedOut;
    result.m_nCode = static_cast<int>(std::min<long long>(control.timeout.count(), INT_MAX));
  } else if (WIFSIGNALED(status)) {
    result.m_ending = CProcessResult::Ending::kSignalled;
    result.m_nCode = WTERMSIG(status);
  } else {
    result.m_ending = CProcessResult::Ending::kExited;
    result.m_nCode = WEXITSTATUS(status);
  }
  return result;
}

std::string FindProgram(std::string_view name, const std::string& firstFolder,
                        std::string_view searchPath) {
  auto inFolder = [&](std::string_view folder) {
    std::string path(folder);
    if (path.back() != '/') path += '/';
    return path.append(name);
  };
  if (!firstFolder.empty() && IsExecutableFile(inFolder(firstFolder))) return inFolder(firstFolder);
  while (!searchPath.empty()) {
    const std::size_t colon = searchPath.find(':');
    const std::string_view folder = searchPath.substr(0, colon);
    searchPath.remove_prefix(colon == std::string_view::npos ? searchPath.size() : colon + 1);
    if (!folder.empty() && folder.front() == '/' && IsExecutableFile(inFolder(folder))) {
      return inFolder(folder);
    }
  }
  return {};
}

std::string GetProgramFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  if (n <= 0 || static_cast<std::size_t>(n) >= sizeof path) return {};
  std::string folder(path, static_cast<std::size_t>(n));
  return folder.substr(0, folder.rfind('/') + 1);
}

std::string GetSearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "";
}
