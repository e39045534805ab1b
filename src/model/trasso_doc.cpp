#include "model/trasso_doc.h"

#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

TRASSO_IMPLEMENT_DYNAMIC(CTrassoDoc, CObject, 1);

CTrassoDoc::~CTrassoDoc() {
  for (auto& polygon : m_polygonList) polygon.reset();
  m_polygonList.clear();
  for (auto& node : m_nodeList) node.reset();
  m_nodeList.clear();
}

TSNode* CTrassoDoc::GetNextNode(POSITION& pos) const {
  TSNode* node = m_nodeList[pos - 1].get();
  pos = pos < m_nodeList.size() ? pos + 1 : 0;
  return node;
}

TSPolygon* CTrassoDoc::GetNextPolygon(POSITION& pos) const {
  TSPolygon* polygon = m_polygonList[pos - 1].get();
  pos = pos < m_polygonList.size() ? pos + 1 : 0;
  return polygon;
}

TSPolygon* CTrassoDoc::FindSection(const TSNode* node) const {
  for (const auto& polygon : m_polygonList) {
    if (!polygon->m_bFeature && polygon->IsInside(node->m_x, node->m_y)) return polygon.get();
  }
  return nullptr;
}

void CTrassoDoc::ClearSelection(bool bKeepSelected) {
  bool changed = false;
  auto clear = [&](TSSelectable& object) {
    if (!bKeepSelected && object.m_bSelected) {
      object.m_bSelected = 0;
      changed = true;
    }
    if (object.m_bHighlighted) {
      object.m_bHighlighted = 0;
      changed = true;
    }
  };
  for (const auto& polygon : m_polygonList) {
    for (const auto& wall : polygon->m_wallList) clear(*wall);
  }
  for (const auto& node : m_nodeList) clear(*node);
  if (changed) UpdateAllViews(nullptr, 0, nullptr);
}

bool CTrassoDoc::HasSelection(bool bNodesOnly) const {
  for (const auto& node : m_nodeList) {
    if (node->m_bSelected) return true;
    if (bNodesOnly) continue;
    for (const TSAnchorWall* wall : node->m_wallList) {
      if (wall->m_bSelected) return true;
    }
  }
  return false;
}

void CTrassoDoc::SetBackground(std::string text) {
  if (text == m_strBackground) return;
  m_strBackground = std::move(text);
  SetModifiedFlag(true);
}

void CTrassoDoc::SetDescription(std::string text) {
  if (text == m_strDescription) return;
  m_strDescription = std::move(text);
  SetModifiedFlag(true);
}

void CTrassoDoc::NotifyChanged() {
  UpdateAllViews(nullptr, 0, nullptr);
  SetModifiedFlag(true);
}
