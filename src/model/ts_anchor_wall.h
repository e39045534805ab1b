#pragma once
// A wall edge of one polygon, from its anchor node to the anchor node of the
// next wall of the same polygon.

#include "model/ts_selectable.h"
#include "platform/object_pool.h"

class TSNode;
class TSPolygon;

class TSAnchorWall : public TSSelectable {
  TRASSO_DECLARE_DYNAMIC(TSAnchorWall)
  TRASSO_DECLARE_POOLED(TSAnchorWall)

 public:
  TSAnchorWall() = default;
  // Removes the wall from its node's wall list. The polygon's list is the
  // deleter's business: whoever deletes a wall takes it out of its polygon.
  ~TSAnchorWall() override;

  // Wall texture code, node, polygon.
  void Serialize(CArchive& ar) override;

  // The wall after (before) this one in its polygon, cyclically; null when the
  // wall has no polygon or is not in its list.
  TSAnchorWall* GetNextWall() const;
  TSAnchorWall* GetPrevWall() const;

  int m_nWallType = 0;  // row of g_wallTypes
  TSNode* m_pNode = nullptr;
  TSPolygon* m_pPolygon = nullptr;
  int m_nExportIndex = 0;  // scratch of the compile export; never stored
};
