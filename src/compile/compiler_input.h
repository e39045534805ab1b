#pragma once
// The compiler input: the plain-text description of a track that the external
// track compiler turns into the game's track file.

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

class CCompilerWarnings;
class CTrassoDoc;
class TSNode;
class TSPolygon;

// Which object a block of the compiler input was written for, from the line of
// its heading on: a section or feature, or the node of a starting position or
// free element; neither for the blocks of the track as a whole.
struct CompilerInputBlock {
  std::size_t firstLine;
  const TSPolygon* polygon;
  const TSNode* node;
};
using CompilerInputMap = std::vector<CompilerInputBlock>;

// The block that holds `line`, or null before the first one.
const CompilerInputBlock* FindInputBlock(const CompilerInputMap& map, std::size_t line);

// Writes the whole compiler input of `doc` to `out`, showing the
// starting-position warnings through `warnings` one at a time on the way.
// Overwrites the export scratch fields of every polygon and wall and changes
// nothing else. Returns whether `out` took the whole text; it does not close it.
// `map`, when given, gets the block of every object written.
bool WriteCompilerInput(CTrassoDoc& doc, std::ostream& out, CCompilerWarnings& warnings,
                        CompilerInputMap* map = nullptr);

// A string of the document as it stands on one line of the compiler input:
// CR LF, and any other CR or LF, become backslash and n, so that no string can
// add lines or blocks of its own; the text ends at a NUL byte.
std::string EscapeCompilerInputLine(const std::string& text);
