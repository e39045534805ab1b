#pragma once
// Whole-file reading and writing for documents.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_bytes.h"

// Replaces the file at `path` with `bytes`: writes a temporary file beside it,
// flushes it to the disk and renames it over the target only then. On any
// failure throws CFileException naming the file and the cause, removes the
// temporary file and leaves the old file untouched. A symbolic link is kept
// and the file it points to replaced; an existing file keeps its permissions,
// unless `mode` gives the permissions the file must have.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::optional<unsigned> mode = std::nullopt);

// Removes what saves into `folder` left when their process was killed half-way.
void RemoveOrphanedSaveFiles(const std::string& folder);

// The whole file; throws CArchiveException naming the cause when it cannot be read.
FileBytes ReadWholeFile(const std::string& path);
