#pragma once
// A closed outline: a track section or a 3-D feature. It owns its walls.

#include <memory>
#include <vector>

#include "model/track_length.h"
#include "platform/object.h"
#include "platform/object_pool.h"
#include "platform/pooled_list_allocator.h"

class TSAnchorWall;

class TSPolygon : public CObject {
  TRASSO_DECLARE_DYNAMIC(TSPolygon)
  TRASSO_DECLARE_POOLED(TSPolygon)

 public:
  TSPolygon() = default;
  // Deletes the walls head first; each unlinks itself from its node.
  ~TSPolygon() override;

  // Feature flag, floor and ceiling codes and levels, then the outline.
  void Serialize(CArchive& ar) override;

  // Whether (x, y) lies inside or on the outline. Exact for convex outlines
  // wound clockwise; a polygon without walls contains nothing.
  bool IsInside(TrackLength x, TrackLength y) const;

  // Position of `wall` in m_wallList, or -1.
  int IndexOfWall(const TSAnchorWall* wall) const;

  int m_bFeature = 0;
  // Set by the creator or the loader; the constructor leaves them to them.
  int m_nFloorType = 0;
  int m_nCeilingType = 0;
  TrackLength m_nFloorLevel = 0;
  TrackLength m_nCeilingLevel = 0;
  int m_nExportId = 0;  // scratch of the compile export; never stored
  // The outline, in order; owned.
  OwnedList<TSAnchorWall> m_wallList;
};
