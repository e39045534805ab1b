#pragma once
// The selection as a track of its own, for the clipboard: the part of the
// track that Cut would delete, written in the file layout so that any editor
// can read it back with LoadTrackBytes, and where a pasted track goes.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/track_length.h"

class CTrassoDoc;

// Whether the copy would hold anything: a polygon that Cut would delete, or a
// selected node that anchors no wall.
bool CanCopySelection(const CTrassoDoc& doc);

// The polygons that Cut would delete with their corner nodes, and the selected
// nodes that anchor no wall, with their items, in the order of the source
// lists and at their own coordinates. Walls of other polygons stay behind, so
// a shared corner lists only the copied walls. The source is left untouched.
std::vector<std::uint8_t> CopySelection(const CTrassoDoc& doc);

struct TrackVector {
  TrackLength x = 0;
  TrackLength y = 0;
  bool operator==(const TrackVector&) const = default;
};

// How far to move a pasted track: the centre of its nodes' bounding box onto
// `pointer` when the pointer is over the view; otherwise one world unit right
// and down (world y points up) of where it was copied from.
TrackVector PasteOffset(const CTrassoDoc& track, std::optional<TrackVector> pointer);
