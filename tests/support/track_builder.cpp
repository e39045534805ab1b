#include "support/track_builder.h"

TSPolygon* TrackBuilder::Polygon(bool feature, std::initializer_list<TSNode*> outline) {
  std::vector<TSNode*> path(outline);
  m_doc.CreatePolygon(feature, path, 0, 4000, 0, 0, 0, false);
  return m_doc.m_polygonList.back().get();
}

TSItem* TrackBuilder::Item(TrackLength x, TrackLength y, int type) {
  TSNode* node = Node(x, y);
  m_doc.AttachItem(node, type);
  return node->m_pItem.get();
}

void TrackBuilder::Settle() {
  m_doc.ClearSelection(false);
  m_doc.SetModifiedFlag(false);
}

void Select(TSNode* node) {
  node->m_bSelected = 1;
}

void Select(TSPolygon* polygon) {
  for (auto& wall : polygon->m_wallList) wall->m_bSelected = wall->m_pNode->m_bSelected = 1;
}

void SelectWallsOnly(TSPolygon* polygon) {
  for (auto& wall : polygon->m_wallList) wall->m_bSelected = 1;
}

std::vector<TSNode*> Outline(const TSPolygon* polygon) {
  std::vector<TSNode*> nodes;
  for (const auto& wall : polygon->m_wallList) nodes.push_back(wall->m_pNode);
  return nodes;
}

std::vector<TSAnchorWall*> WallsAt(const TSNode* node) {
  return {node->m_wallList.begin(), node->m_wallList.end()};
}
