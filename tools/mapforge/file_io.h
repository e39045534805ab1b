#pragma once
// Whole-file reading and writing for Mapforge.

#include <string>
#include <string_view>

namespace mapforge {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes a file beside `path` and renames it over `path` only when all of it
// was written, so that a failed write leaves any old file as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace mapforge
