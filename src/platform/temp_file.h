#pragma once
// A file of our own in the temporary folder that lives exactly as long as the
// object: whatever happens to the run that made it, the file goes with it.

#include <memory>
#include <string>
#include <string_view>

class CTempFile {
 public:
  // Creates an empty file named `prefix`, a unique part and `suffix` in
  // `folder`, readable only by us. The unique part starts with our process id
  // in 8 hexadecimal digits, so that a file left by a killed run can be told
  // from one in use. Null, with the reason in `error`, on failure.
  static std::unique_ptr<CTempFile> Create(const std::string& folder, std::string_view prefix,
                                           std::string_view suffix, std::string& error);
  CTempFile(const CTempFile&) = delete;
  CTempFile& operator=(const CTempFile&) = delete;
  // Closes the file if still open and deletes it.
  ~CTempFile();

  const std::string& GetPath() const { return m_strPath; }

  // Writes all of `text` and closes the file. False, with the reason in
  // `error`, when not everything was written (a full disk, a size limit).
  bool WriteAndClose(std::string_view text, std::string& error);

 private:
  CTempFile(std::string path, int fd) : m_strPath(std::move(path)), m_fd(fd) {}
  std::string m_strPath;
  int m_fd;  // -1 once closed
};

// Removes the files that Create made in `folder` with `prefix` and `suffix`
// for processes that no longer run.
void RemoveOrphanedTempFiles(const std::string& folder, std::string_view prefix,
                             std::string_view suffix);

// $TMPDIR when set and not empty, else /tmp.
std::string GetTempFolder();
