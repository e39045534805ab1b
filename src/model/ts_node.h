#pragma once
// A vertex of the plan. Walls of any number of polygons may hang from it; it
// may also carry one item, which it owns.

#include <cstdint>
#include <memory>

#include "model/track_length.h"
#include "model/ts_selectable.h"
#include "platform/object_pool.h"
#include "platform/small_pointer_list.h"

class TSAnchorWall;
class TSItem;

class TSNode : public TSSelectable {
  TRASSO_DECLARE_DYNAMIC(TSNode)
  TRASSO_DECLARE_POOLED(TSNode)

 public:
  TSNode() = default;
  // Deletes the item, then forgets the walls (which are owned by their polygons).
  ~TSNode() override;

  // x, y, the item, then the wall list.
  void Serialize(CArchive& ar) override;

  TrackLength m_x = 0;
  TrackLength m_y = 0;
  // The history step that last recorded the position (the wall list), so that
  // a drag records each node once however many moves it makes; never stored.
  // Beside the position, so that recording touches no other cache line.
  std::uint32_t m_nPlaceStamp = 0;
  std::uint32_t m_nWallsStamp = 0;
  // Walls anchored here, in order; not owned. A node of a plan joins at most
  // a few sections, so up to four are kept inline.
  SmallPointerList<TSAnchorWall, 4> m_wallList;
  std::unique_ptr<TSItem> m_pItem;  // owned; null when the node carries nothing
};
