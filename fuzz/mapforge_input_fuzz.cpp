// Any bytes, as compiler input and as a .trk file: Mapforge must neither crash
// nor misbehave, and whatever it accepts must survive a round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input_parser.h"
#include "track_checks.h"
#include "trk_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mapforge::Diagnostics diagnostics;
  const mapforge::TrackInput track = mapforge::ParseCompilerInput(bytes, diagnostics);
  if (!mapforge::HasErrors(diagnostics)) mapforge::CheckReferences(track, diagnostics);
  if (!mapforge::HasErrors(diagnostics)) {
    mapforge::CheckGeometry(track, diagnostics);
    mapforge::TrackInput decoded;
    std::string error;
    if (!mapforge::DecodeTrk(mapforge::EncodeTrk(track), decoded, error) ||
        mapforge::DumpTrk(decoded) != mapforge::DumpTrk(track)) {
      std::abort();
    }
  }
  mapforge::TrackInput decoded;
  std::string error;
  if (mapforge::DecodeTrk(bytes, decoded, error)) mapforge::DumpTrk(decoded);
  return 0;
}
