#pragma once
// A point element of the race (starting position, finish line, mine ...),
// carried by one node, which owns it.

#include "model/track_length.h"
#include "platform/object.h"
#include "platform/object_pool.h"

class TSNode;

class TSItem : public CObject {
  TRASSO_DECLARE_DYNAMIC(TSItem)
  TRASSO_DECLARE_POOLED(TSItem)

 public:
  TSItem() = default;
  ~TSItem() override;

  // Node, type code, elevation, orientation.
  void Serialize(CArchive& ar) override;

  TSNode* m_pNode = nullptr;  // the node whose m_pItem holds this item
  int m_nType = 0;            // row of g_itemTypes
  TrackLength m_nElevation = 0;
  int m_nOrientation = 0;  // thousandths of a degree
};
