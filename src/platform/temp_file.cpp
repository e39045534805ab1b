#include "platform/temp_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::unique_ptr<CTempFile> CTempFile::Create(const std::string& folder, std::string_view prefix,
                                             std::string_view suffix, std::string& error) {
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  char owner[16];
  std::snprintf(owner, sizeof owner, "%08lx", static_cast<unsigned long>(getpid()));
  pattern.append(prefix).append(owner).append("XXXXXX").append(suffix);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
  if (fd < 0) {
    error = "cannot create a temporary file in " + folder + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<CTempFile>(new CTempFile(name.data(), fd));
}

CTempFile::~CTempFile() {
  if (m_fd >= 0) close(m_fd);
  unlink(m_strPath.c_str());
}

bool CTempFile::WriteAndClose(std::string_view text, std::string& error) {
  while (!text.empty() && m_fd >= 0) {
    const ssize_t written = write(m_fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = "cannot write " + m_strPath + ": " + std::strerror(written < 0 ? errno : EIO);
      close(m_fd);
      m_fd = -1;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  // Some file systems report a lack of space only when the file is closed.
  const int closed = m_fd >= 0 ? close(m_fd) : 0;
  m_fd = -1;
  if (closed != 0) {
    error = "cannot write " + m_strPath + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void RemoveOrphanedTempFiles(const std::string& folder, std::string_view prefix,
                             std::string_view suffix) {
  constexpr std::size_t kOwnerDigits = 8, kUniqueLetters = 6;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kOwnerDigits + kUniqueLetters + suffix.size() ||
        !name.starts_with(prefix) || !name.ends_with(suffix)) {
      continue;
    }
    unsigned long pid = 0;
    const char* digits = name.data() + prefix.size();
    const auto [end, error] = std::from_chars(digits, digits + kOwnerDigits, pid, 16);
    if (error != std::errc() || end != digits + kOwnerDigits || pid == 0) continue;
    // Only our own files: another user's are none of our business.
    struct stat info {};
    if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
      continue;
    }
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

std::string GetTempFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? folder : "/tmp";
}
