#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/archive_exception.h"

CFileReader::CFileReader(const std::string& path)
    : m_path(path), m_fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
  if (m_fd < 0) throw CArchiveException("Cannot open " + path + ": " + std::strerror(errno));
  struct stat info {};
  const bool statted = fstat(m_fd, &info) == 0;
  const int error = errno;
  if (!statted || !S_ISREG(info.st_mode)) {
    close(m_fd);
    throw CArchiveException(statted ? "Cannot open " + path + ": not a regular file"
                                    : "Cannot read " + path + ": " + std::strerror(error));
  }
  m_size = static_cast<std::size_t>(info.st_size);
}

CFileReader::~CFileReader() {
  close(m_fd);
}

std::size_t CFileReader::Read(std::uint8_t* to, std::size_t most) {
  for (;;) {
    const ssize_t n = read(m_fd, to, most);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR)
      throw CArchiveException("Cannot read " + m_path + ": " + std::strerror(errno));
  }
}
