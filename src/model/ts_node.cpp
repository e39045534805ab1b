#include "model/ts_node.h"

#include "model/ts_item.h"

TRASSO_IMPLEMENT_RUNTIME(TSSelectable, CObject, 1, nullptr);
TRASSO_IMPLEMENT_DYNAMIC(TSNode, TSSelectable, 1);
TRASSO_IMPLEMENT_POOLED(TSNode)

TSNode::~TSNode() {
  m_pItem.reset();
  m_wallList.clear();
}
