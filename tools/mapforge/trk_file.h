#pragma once
// The .trk file Mapforge writes: a small little-endian binary layout of our
// own, described in docs/trk-format.md.

#include <string>
#include <string_view>

#include "track_input.h"

namespace mapforge {

std::string EncodeTrk(const TrackInput& track);

// Reads a .trk file back, checking every count and length against the bytes
// there are. False, with the reason in `error`, for anything but a whole,
// well-formed file.
bool DecodeTrk(std::string_view bytes, TrackInput& track, std::string& error);

// The decoded file as readable text, one line per record.
std::string DumpTrk(const TrackInput& track);

}  // namespace mapforge
