#include "model/track_file.h"

#include "model/loaded_links.h"
#include "model/track_check.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"
#include "platform/archive.h"
#include "platform/atomic_file.h"
#include "platform/file_reader.h"

namespace {

// Nodes, polygons, walls and items the document owns after a load.
std::size_t CountOwnedObjects(const CTrassoDoc& doc) {
  std::size_t count = doc.m_nodeList.size() + doc.m_polygonList.size();
  for (const auto& polygon : doc.m_polygonList) count += polygon->m_wallList.size();
  for (const auto& node : doc.m_nodeList) count += node->m_pItem ? 1 : 0;
  return count;
}

// The links must agree, and every object read must be owned exactly once;
// otherwise the track would later crash or leak. A sound track passes the
// quick test; only a damaged one pays for the search that names its fault.
void CheckLoaded(const CTrassoDoc& doc, std::size_t created) {
  if (LoadedLinksAgree(doc, created)) return;
  const auto problems = CheckTrack(doc, TrackCheckScope::kLinks);
  if (!problems.empty()) {
    throw CArchiveException("the links of the track contradict each other: " + problems.front());
  }
  if (CountOwnedObjects(doc) != created) {
    throw CArchiveException("the file holds objects that belong to no part of the track");
  }
}

// A little more than a grid of sections takes, so that the buffer is
// allocated once rather than grown and copied a dozen times.
std::size_t EstimatedFileSize(const CTrassoDoc& doc) {
  std::size_t walls = 0;
  for (const auto& polygon : doc.m_polygonList) walls += polygon ? polygon->m_wallList.size() : 0;
  return 64 + 16 * doc.m_nodeList.size() + 32 * doc.m_polygonList.size() + 24 * walls +
         doc.m_strBackground.size() + doc.m_strDescription.size();
}

// The document the archive's bytes hold, checked whole.
std::unique_ptr<CTrassoDoc> LoadTrack(CArchive& ar) {
  auto doc = std::make_unique<CTrassoDoc>();
  ar.SerializeRoot(*doc);
  try {
    ar.ExpectEnd();
    CheckLoaded(*doc, ar.CreatedCount());
  } catch (...) {
    ar.DiscardObjects(*doc);
    throw;
  }
  return doc;
}

}  // namespace

std::vector<std::uint8_t> SaveTrackBytes(CTrassoDoc& doc) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(EstimatedFileSize(doc));
  CArchive ar(bytes);
  ar.SerializeRoot(doc);
  return bytes;
}

std::unique_ptr<CTrassoDoc> LoadTrackBytes(std::span<const std::uint8_t> bytes) {
  CArchive ar(bytes);
  return LoadTrack(ar);
}

// Parsed as it is read, so that the bytes are read into a window the
// processor keeps in its cache rather than into a buffer as large as the file.
std::unique_ptr<CTrassoDoc> LoadTrackFile(const std::string& path) {
  CFileReader file(path);
  return LoadTrackFrom(file, file.Size());
}

std::unique_ptr<CTrassoDoc> LoadTrackFrom(ByteSource& source, std::size_t size,
                                          std::size_t window) {
  CArchive ar(source, size, window);
  return LoadTrack(ar);
}

void SaveTrackFile(CTrassoDoc& doc, const std::string& path) {
  WriteFileAtomically(path, SaveTrackBytes(doc));
  doc.SetModifiedFlag(false);
}
