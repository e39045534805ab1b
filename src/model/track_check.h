#pragma once
// Checks the links and invariants of a whole track and reports every violation
// found, naming the object (1-based positions in the document's lists) and
// what is wrong. Used by the tests after every operation and by the loader.

#include <string>
#include <vector>

class CTrassoDoc;

enum class TrackCheckScope {
  kLinks,  // only that the links agree: what any stored track must satisfy
  kFull,   // also the limits the editing operations keep (at most 12 walls, 0/1 flags)
};

// Empty when the track is sound. Reads only; never dereferences a pointer that
// the document's lists do not lead to.
std::vector<std::string> CheckTrack(const CTrassoDoc& doc,
                                    TrackCheckScope scope = TrackCheckScope::kFull);
