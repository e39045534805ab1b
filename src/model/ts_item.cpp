#include "model/ts_item.h"

#include "model/ts_node.h"

TRASSO_IMPLEMENT_DYNAMIC(TSItem, CObject, 1);
TRASSO_IMPLEMENT_POOLED(TSItem)

TSItem::~TSItem() {
  // Release, not reset: this item is already being destroyed.
  if (m_pNode && m_pNode->m_pItem.get() == this) (void)m_pNode->m_pItem.release();
}
