// Any bytes either load into a sound track or are refused with
// CArchiveException; a track that loads saves into bytes that load back into
// the same bytes again.

#include <cstddef>
#include <cstdint>
#include <span>

#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/archive_exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<CTrassoDoc> doc;
  try {
    doc = LoadTrackBytes(std::span<const std::uint8_t>(data, size));
  } catch (const CArchiveException&) {
    return 0;
  }
  if (!CheckTrack(*doc, TrackCheckScope::kLinks).empty()) __builtin_trap();
  const auto saved = SaveTrackBytes(*doc);
  auto again = LoadTrackBytes(saved);
  if (SaveTrackBytes(*again) != saved) __builtin_trap();
  return 0;
}
