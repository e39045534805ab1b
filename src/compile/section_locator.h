#pragma once
// Answers FindSection for many points at once without scanning every polygon
// per point: a feature in each of 100,000 sections would otherwise cost
// billions of containment tests. The answer is the same as
// CTrassoDoc::FindSection: the first section in list order containing the
// point.

#include <cstdint>
#include <vector>

#include "model/track_length.h"

class CTrassoDoc;
class TSPolygon;

class CSectionLocator {
 public:
  // The document's polygons and their outlines must not change while the
  // locator is in use.
  explicit CSectionLocator(const CTrassoDoc& doc);

  TSPolygon* FindSection(TrackLength x, TrackLength y) const;

 private:
  struct Box {
    std::int64_t minX, minY, maxX, maxY;
  };
  void Index(const std::vector<Box>& boxes);
  std::int64_t CellX(std::int64_t x) const;
  std::int64_t CellY(std::int64_t y) const;
  // The first entry of [begin, end) whose section contains the point, or end.
  const std::uint32_t* FirstContaining(const std::uint32_t* begin, const std::uint32_t* end,
                                       TrackLength x, TrackLength y) const;

  std::vector<TSPolygon*> m_sections;  // sections only, in list order
  std::int64_t m_originX = 0, m_originY = 0, m_cellSize = 1, m_columns = 0, m_rows = 0;
  // Cell c holds m_cellEntries[m_cellStart[c] .. m_cellStart[c + 1]), indexes
  // into m_sections in ascending order.
  std::vector<std::uint32_t> m_cellStart;
  std::vector<std::uint32_t> m_cellEntries;
  // Sections too large to file under their cells; tested for every point.
  std::vector<std::uint32_t> m_large;
};
