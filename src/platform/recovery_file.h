#pragma once
// A recovery file: the bytes of a modified document as they would be saved,
// behind a short header that says whose work it is. One file holds both, so
// that the header and the document can never come from different moments.
//
// The header is text, one field a line; the path and the title are written
// with their length first, so that any bytes they hold read back unchanged:
//   Trasso recovery 1
//   pid 4242
//   start 1234567
//   saved 1765090000
//   path 15
//   /home/a/loop.tr
//   title 7
//   loop.tr
//   (an empty line, then the document)

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/process_identity.h"

struct RecoveryHeader {
  ProcessIdentity owner;     // the editor that wrote the file
  std::int64_t savedAt = 0;  // seconds since the epoch
  std::string path;          // the document's own file; empty when never saved
  std::string title;         // the document's title, Windows-1252
};

std::vector<std::uint8_t> EncodeRecoveryHeader(const RecoveryHeader& header);

struct RecoveryContents {
  RecoveryHeader header;
  std::span<const std::uint8_t> document;  // within the bytes parsed
};
// Reads the header of `bytes` and finds the document behind it. Throws
// CArchiveException saying what is wrong when the header is not sound.
RecoveryContents ParseRecoveryFile(std::span<const std::uint8_t> bytes);
// The header alone, read from the start of the file at `path`.
RecoveryHeader ReadRecoveryHeader(const std::string& path);

// $XDG_STATE_HOME/trasso/recovery, or ~/.local/state/trasso/recovery when
// that variable is unset, empty or not an absolute path.
std::string RecoveryFolder();
// Creates `folder` and any missing parents, and leaves it readable by us
// alone. False, with the reason in `error`, when it cannot.
bool MakePrivateFolder(const std::string& folder, std::string& error);

// "PID-SERIAL.tr-recovery": the process that owns the file and the number of
// the document within that process's run.
std::string RecoveryFileName(long pid, unsigned serial);
// The owner's process id in such a name, or 0 when it is not one.
long RecoveryFileOwner(const std::string& name);
