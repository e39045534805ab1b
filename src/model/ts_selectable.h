#pragma once
// Selection state shared by nodes and walls; never stored, never created alone.

#include "platform/object.h"

class TSSelectable : public CObject {
  TRASSO_DECLARE_DYNAMIC(TSSelectable)

 public:
  int m_bSelected = 0;
  int m_bHighlighted = 0;  // the node under the mouse cursor; not part of the selection
};
