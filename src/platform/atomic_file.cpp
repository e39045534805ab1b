#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string_view>

#include "platform/archive_exception.h"
#include "platform/file_reader.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& step, int error) {
  throw CFileException("Cannot save " + path + ": " + step + " failed: " + std::strerror(error));
}

std::string Directory(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The file a chain of symbolic links leads to, so that saving replaces that
// file and keeps the links; a link to a file that does not exist yet creates
// it. The path itself when it is no link.
std::string ResolveTarget(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0) {
      if (errno == ENOENT) return current;
      Fail(path, "looking at the file", errno);
    }
    if (!S_ISLNK(info.st_mode)) return current;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = readlink(current.c_str(), target.data(), target.size());
    if (n < 0) Fail(path, "following the link", errno);
    target.resize(static_cast<std::size_t>(n));
    current = target.front() == '/' ? target : Directory(current) + "/" + target;
  }
  Fail(path, "following the link", ELOOP);
}

// Only a regular file is ever replaced: renaming over a device or a FIFO
// would destroy it, and a file without write permission is one the user has
// protected, whatever our own rights.
void CheckReplaceable(const std::string& path, const std::string& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) return;
  if (!S_ISREG(info.st_mode)) throw CFileException("Cannot save " + path + ": not a regular file");
  if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) {
    throw CFileException("Cannot save " + path + ": the file is read-only");
  }
}

// The mode the old file has, or the usual mode of a new file.
mode_t TargetMode(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(path, "writing", n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
}

// Temporary names are short, whatever the length of the target's name, and
// tell which file and which process they belong to: ".trsave-HASH-PID-XXXXXX".
std::string TemporaryPrefix(const std::string& target) {
  std::uint32_t hash = 2166136261u;  // FNV-1a of the target's name
  for (const char c : BaseName(target)) hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619u;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, ".trsave-%08x-", static_cast<unsigned>(hash));
  return prefix;
}

std::string RandomLetters(std::size_t count) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 s_random{std::random_device{}()};
  std::string letters(count, 'a');
  for (char& c : letters) c = kLetters[s_random() % (sizeof kLetters - 1)];
  return letters;
}

// The process id in the name of a save's temporary file, or 0 when `name`
// is not one. Only `prefix` is looked for when given.
long SaveFileOwner(const std::string& name, const std::string& prefix) {
  const std::string_view start = ".trsave-";
  constexpr std::size_t kHashDigits = 8;
  const std::size_t pidAt = start.size() + kHashDigits + 1;
  if (name.size() <= pidAt || name.compare(0, start.size(), start) != 0 || name[pidAt - 1] != '-') {
    return 0;
  }
  if (!prefix.empty() && name.compare(0, prefix.size(), prefix) != 0) return 0;
  return std::strtol(name.c_str() + pidAt, nullptr, 10);
}

// Removes what earlier saves (of the file that `prefix` names, or of any file)
// left when their process was killed half-way; the temporary files of running
// processes stay.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    const long pid = SaveFileOwner(entry->d_name, prefix);
    if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      unlinkat(dirfd(dir), entry->d_name, 0);
    }
  }
  closedir(dir);
}

// The new content before it replaces the target. Where the file system allows,
// it has no name until it is complete, so a save killed half-way leaves
// nothing; elsewhere it has a recognisable name that the next save removes.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& target, mode_t mode)
      : m_folder(Directory(target)), m_prefix(TemporaryPrefix(target)) {
    RemoveLeftovers(m_folder, m_prefix);
    m_fd = open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (m_fd >= 0) return;
    m_name = NewName();
    m_fd = mkostemp(m_name.data(), O_CLOEXEC);
    if (m_fd < 0) Fail(target, "creating a temporary file", errno);
  }
  ~TemporaryFile() {
    if (m_fd >= 0) close(m_fd);
    if (!m_name.empty() && !m_renamed) unlink(m_name.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return m_fd; }
  // Gives an unnamed file its name, closes the descriptor and renames the file
  // over `target`; errno tells why when it returns false.
  bool Replace(const std::string& target, std::string& step) {
    step = "naming the temporary file";
    if (m_name.empty() && !LinkUnnamed()) return false;
    step = "closing";
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0) return false;
    step = "replacing the file";
    if (rename(m_name.c_str(), target.c_str()) != 0) return false;
    m_renamed = true;
    return true;
  }

 private:
  std::string NewName() const {
    return m_folder + "/" + m_prefix + std::to_string(getpid()) + "-XXXXXX";
  }
  bool LinkUnnamed() {
    const std::string fdPath = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = NewName();
      name.replace(name.size() - 6, 6, RandomLetters(6));
      if (linkat(AT_FDCWD, fdPath.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        m_name = name;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  std::string m_folder;
  std::string m_prefix;
  std::string m_name;  // empty while the file has no name
  int m_fd = -1;
  bool m_renamed = false;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::optional<unsigned> forcedMode) {
  const std::string target = ResolveTarget(path);
  CheckReplaceable(path, target);
  const mode_t mode = forcedMode ? static_cast<mode_t>(*forcedMode) : TargetMode(target);
  TemporaryFile temp(target, mode);
  WriteAll(temp.Fd(), bytes, path);
  if (fchmod(temp.Fd(), mode) != 0) Fail(path, "setting permissions", errno);
  if (fsync(temp.Fd()) != 0) Fail(path, "flushing", errno);
  std::string step;
  if (!temp.Replace(target, step)) Fail(path, step, errno);
  // Makes the rename itself durable; the new file is already complete, so a
  // directory that cannot be synced is no reason to report failure.
  const int dir = open(Directory(target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

void RemoveOrphanedSaveFiles(const std::string& folder) {
  RemoveLeftovers(folder, {});
}

FileBytes ReadWholeFile(const std::string& path) {
  CFileReader file(path);
  // One byte more than the size, so that the end is seen without growing the
  // buffer; a file that grew since is still read to its real end.
  FileBytes bytes(file.Size() + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() * 2);
    const std::size_t n = file.Read(bytes.data() + done, bytes.size() - done);
    if (n == 0) break;
    done += n;
  }
  bytes.resize(done);
  return bytes;
}
