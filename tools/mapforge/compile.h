#pragma once
// One compile: the compiler input read, checked and, when it has no error,
// written as a .trk file.

#include <ostream>
#include <string>

namespace mapforge {

// Reports every problem on `messages` as "IN:LINE: message", sorted by line,
// up to the 100th error; a further error ends the report with
// "too many errors". Returns the exit status: 0, or 1 when the input has an
// error or a file could not be read or written (no .trk is written then).
int Compile(const std::string& output, const std::string& input, std::ostream& messages);

}  // namespace mapforge
