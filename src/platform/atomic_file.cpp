#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/archive_exception.h"

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& step, int error) {
  throw CFileException("Cannot save " + path + ": " + step + " failed: " + std::strerror(error));
}

// The file a symbolic link leads to, so that saving replaces that file and
// keeps the link; the path itself otherwise.
std::string ResolveTarget(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (!realpath(path.c_str(), resolved)) Fail(path, "following the link", errno);
  return resolved;
}

// The mode the old file has, or the usual mode of a new file.
mode_t TargetMode(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

std::string Directory(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
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

// Removes the temporary file unless it has become the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : m_name(target + ".XXXXXX") {
    m_fd = mkstemp(m_name.data());
    if (m_fd < 0) Fail(target, "creating a temporary file", errno);
  }
  ~TemporaryFile() {
    if (m_fd >= 0) close(m_fd);
    if (!m_renamed) unlink(m_name.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Fd() const { return m_fd; }
  const std::string& Name() const { return m_name; }
  // Closes the descriptor and reports whether closing succeeded.
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return close(fd) == 0;
  }
  void MarkRenamed() { m_renamed = true; }

 private:
  std::string m_name;
  int m_fd = -1;
  bool m_renamed = false;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string target = ResolveTarget(path);
  TemporaryFile temp(target);
  WriteAll(temp.Fd(), bytes, path);
  if (fchmod(temp.Fd(), TargetMode(target)) != 0) Fail(path, "setting permissions", errno);
  if (fsync(temp.Fd()) != 0) Fail(path, "flushing", errno);
  if (!temp.Close()) Fail(path, "closing", errno);
  if (rename(temp.Name().c_str(), target.c_str()) != 0) Fail(path, "replacing the file", errno);
  temp.MarkRenamed();
  // Makes the rename itself durable; the new file is already complete, so a
  // directory that cannot be synced is no reason to report failure.
  const int dir = open(Directory(target).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw CArchiveException("Cannot open " + path + ": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw CArchiveException("Cannot read " + path + ": " + std::strerror(errno));
  return bytes;
}
