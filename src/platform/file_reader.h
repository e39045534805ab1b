#pragma once
// A document file opened for reading from its start to its end, for a loader
// that parses while it reads as well as for reading it whole.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/byte_stream.h"

class CFileReader final : public ByteSource {
 public:
  // Refuses anything but a regular file before a byte is read (a folder, a
  // FIFO that would hold the open, a device that never ends). Throws
  // CArchiveException naming the file and the cause.
  explicit CFileReader(const std::string& path);
  ~CFileReader();
  CFileReader(const CFileReader&) = delete;
  CFileReader& operator=(const CFileReader&) = delete;

  // The size when the file was opened.
  std::size_t Size() const { return m_size; }
  std::size_t Read(std::uint8_t* to, std::size_t most) override;

 private:
  std::string m_path;
  int m_fd;
  std::size_t m_size = 0;
};
