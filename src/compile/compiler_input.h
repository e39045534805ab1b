#pragma once
// The compiler input: the plain-text description of a track that the external
// track compiler turns into the game's track file.

#include <ostream>
#include <string>

class CCompilerWarnings;
class CTrassoDoc;

// Writes the whole compiler input of `doc` to `out`, showing the
// starting-position warnings through `warnings` one at a time on the way.
// Overwrites the export scratch fields of every polygon and wall and changes
// nothing else. Returns whether `out` took the whole text; it does not close it.
bool WriteCompilerInput(CTrassoDoc& doc, std::ostream& out, CCompilerWarnings& warnings);

// A string of the document as it stands on one line of the compiler input:
// CR LF, and any other CR or LF, become backslash and n, so that no string can
// add lines or blocks of its own; the text ends at a NUL byte.
std::string EscapeCompilerInputLine(const std::string& text);
