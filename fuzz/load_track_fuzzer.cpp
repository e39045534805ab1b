// Any bytes either load into a sound track or are refused with
// CArchiveException; a track that loads saves into bytes that load back into
// the same bytes again. Read a few bytes at a time through a small window, as
// a file is, the same bytes load alike or are refused with the same message.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/track_check.h"
#include "model/track_file.h"
#include "platform/archive_exception.h"

namespace {

class Pieces final : public ByteSource {
 public:
  Pieces(std::span<const std::uint8_t> bytes, std::size_t piece) : m_rest(bytes), m_piece(piece) {}
  std::size_t Read(std::uint8_t* to, std::size_t most) override {
    const std::size_t n = std::min({most, m_piece, m_rest.size()});
    std::copy_n(m_rest.begin(), n, to);
    m_rest = m_rest.subspan(n);
    return n;
  }

 private:
  std::span<const std::uint8_t> m_rest;
  std::size_t m_piece;
};

// The saved bytes of the track `load` gives, or the message it is refused with.
template <class Load>
std::string Outcome(Load load) {
  try {
    const auto saved = SaveTrackBytes(*load());
    return std::string(saved.begin(), saved.end());
  } catch (const CArchiveException& e) {
    return std::string("refused: ") + e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  Pieces source(bytes, 1 + size % 5);
  if (Outcome([&] { return LoadTrackFrom(source, size, 1 + size % 13); }) !=
      Outcome([&] { return LoadTrackBytes(bytes); })) {
    __builtin_trap();
  }
  std::unique_ptr<CTrassoDoc> doc;
  try {
    doc = LoadTrackBytes(bytes);
  } catch (const CArchiveException&) {
    return 0;
  }
  if (!CheckTrack(*doc, TrackCheckScope::kLinks).empty()) __builtin_trap();
  const auto saved = SaveTrackBytes(*doc);
  auto again = LoadTrackBytes(saved);
  if (SaveTrackBytes(*again) != saved) __builtin_trap();
  return 0;
}
