#pragma once
// Track documents to and from .tr files. Loading treats the bytes as untrusted:
// anything that is not a sound track throws CArchiveException with a message
// that says what is wrong and where, and leaves nothing allocated behind.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/trasso_doc.h"
#include "platform/byte_stream.h"

std::vector<std::uint8_t> SaveTrackBytes(CTrassoDoc& doc);

// A new, unmodified document whose links have been checked.
std::unique_ptr<CTrassoDoc> LoadTrackBytes(std::span<const std::uint8_t> bytes);
std::unique_ptr<CTrassoDoc> LoadTrackFile(const std::string& path);
// The `size` bytes of `source`, parsed while they are read `window` bytes at a
// time; the source must end where `size` says.
std::unique_ptr<CTrassoDoc> LoadTrackFrom(ByteSource& source, std::size_t size,
                                          std::size_t window = ByteReader::kWindowBytes);

// Replaces the file atomically (see WriteFileAtomically) and clears the
// modified flag. On failure throws CFileException; the old file stays as it
// was and the document stays modified.
void SaveTrackFile(CTrassoDoc& doc, const std::string& path);
