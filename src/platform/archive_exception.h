#pragma once
// The one error type of reading a document file. Its message says what is
// wrong and, where a position in the bytes is known, at which byte.

#include <cstddef>
#include <stdexcept>
#include <string>

class CArchiveException : public std::runtime_error {
 public:
  // `reason` followed by " at byte <offset>".
  CArchiveException(const std::string& reason, std::size_t offset);
  // A failure that belongs to no single byte (the file cannot be read, the
  // links of the whole graph disagree).
  explicit CArchiveException(const std::string& reason) : std::runtime_error(reason) {}
};

// "1 byte", "2 bytes".
std::string ByteCount(std::size_t count);

// A file that cannot be written; the old file is left as it was.
class CFileException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
