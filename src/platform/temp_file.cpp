#include "platform/temp_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

std::unique_ptr<CTempFile> CTempFile::Create(const std::string& folder, std::string_view prefix,
                                             std::string_view suffix, std::string& error) {
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  pattern.append(prefix).append("XXXXXX").append(suffix);
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

std::string GetTempFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder && *folder ? folder : "/tmp";
}
