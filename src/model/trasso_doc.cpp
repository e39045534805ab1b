#include "model/trasso_doc.h"

#include <algorithm>

#include "model/prefetch_ahead.h"
#include "model/step_scope.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

TRASSO_IMPLEMENT_DYNAMIC(CTrassoDoc, CObject, 1);

CTrassoDoc::~CTrassoDoc() {
  // Every node goes too, so no wall needs to take itself out of its node's
  // list: forgetting the anchors spares a visit to each node per wall.
  const std::size_t polygons = m_polygonList.size();
  for (std::size_t p = 0; p < polygons; ++p) {
    PrefetchPolygonsAhead(m_polygonList, p);
    TSPolygon* polygon = m_polygonList[p].get();
    if (!polygon) continue;
    for (auto& wall : polygon->m_wallList) {
      if (wall) wall->m_pNode = nullptr;
    }
    m_polygonList[p].reset();
  }
  m_polygonList.clear();
  for (std::size_t n = 0; n < m_nodeList.size(); ++n) {
    if (n + kPrefetchDistance < m_nodeList.size()) {
      __builtin_prefetch(m_nodeList[n + kPrefetchDistance].get());
    }
    m_nodeList[n].reset();
  }
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
  if (!bKeepSelected) ForgetSelection();
  if (!changed) return;
  NotifyTrackObservers(TrackChange::kSelection);
  UpdateAllViews(nullptr, 0, nullptr);
}

bool CTrassoDoc::HasSelection(bool bNodesOnly) const {
  if (IsSelectionSurelyEmpty()) return false;
  for (const auto& node : m_nodeList) {
    if (node->m_bSelected) return true;
    if (bNodesOnly) continue;
    for (const TSAnchorWall* wall : node->m_wallList) {
      if (wall->m_bSelected) return true;
    }
  }
  return false;
}

void CTrassoDoc::SelectAll() {
  for (const auto& node : m_nodeList) {
    node->m_bSelected = 1;
    for (TSAnchorWall* wall : node->m_wallList) wall->m_bSelected = 1;
  }
  // Too many to remember; the next drop looks at every object.
  m_selected.clear();
  m_bSelectedWhole = false;
  NotifyTrackObservers(TrackChange::kSelection);
  UpdateAllViews(nullptr, 0, nullptr);
}

void CTrassoDoc::SetBackground(std::string text) {
  SetText(m_strBackground, std::move(text), "Background");
}

void CTrassoDoc::SetDescription(std::string text) {
  SetText(m_strDescription, std::move(text), "Description");
}

void CTrassoDoc::SetText(std::string& text, std::string value, const char* name) {
  if (value == text) return;
  CStepScope step(*this, name);
  step.History().SetText(text, std::move(value));
}

void CTrassoDoc::NotifyChanged() {
  NotifyTrackObservers();
  UpdateAllViews(nullptr, 0, nullptr);
}

void CTrassoDoc::BeginStep(std::string name, std::string mergeKey) {
  m_history.Begin(std::move(name), std::move(mergeKey));
}

void CTrassoDoc::EndStep() {
  m_history.End();
  NotifyTrackObservers();
}

void CTrassoDoc::CancelStep() {
  m_history.Cancel();
  NotifyChanged();
}

bool CTrassoDoc::RollBackTo(std::uint64_t revision) {
  if (!m_history.RollBackTo(revision)) return false;
  NotifyChanged();
  return true;
}

bool CTrassoDoc::Undo() {
  return ShowHistoryStep(m_history.Undo());
}

bool CTrassoDoc::Redo() {
  return ShowHistoryStep(m_history.Redo());
}

void CTrassoDoc::Select(TSSelectable& object) {
  object.m_bSelected = 1;
  if (!m_bSelectedWhole) return;
  // Toggling back and forth would grow the list without end.
  constexpr std::size_t kMostRemembered = std::size_t{1} << 20;
  if (m_selected.size() < kMostRemembered) {
    m_selected.push_back(&object);
  } else {
    m_selected.clear();
    m_bSelectedWhole = false;
  }
}

void CTrassoDoc::DropSelection(bool bScanAll) {
  if (!bScanAll && m_bSelectedWhole && m_nSelectedDrops == m_history.DropCount()) {
    for (TSSelectable* object : m_selected) object->m_bSelected = 0;
  } else {
    for (const auto& node : m_nodeList) node->m_bSelected = 0;
    for (const auto& polygon : m_polygonList) {
      for (const auto& wall : polygon->m_wallList) wall->m_bSelected = 0;
    }
  }
  ForgetSelection();
  m_nSelectedDrops = m_history.DropCount();
}

// The user sees what changed: the objects the step touched become the selection.
bool CTrassoDoc::ShowHistoryStep(const HistoryStep* step) {
  if (!step) return false;
  DropSelection();
  step->SelectTouched(*this);
  NotifyTrackObservers(TrackChange::kSelection);
  UpdateAllViews(nullptr, 0, nullptr);
  return true;
}

void CTrassoDoc::SetModifiedFlag(bool modified) {
  if (modified) {
    m_history.MarkDirty();
  } else {
    m_history.MarkClean();
  }
}

void CTrassoDoc::AddTrackObserver(CTrackObserver* observer) {
  if (std::find(m_trackObservers.begin(), m_trackObservers.end(), observer) ==
      m_trackObservers.end()) {
    m_trackObservers.push_back(observer);
  }
}

void CTrassoDoc::RemoveTrackObserver(CTrackObserver* observer) {
  std::erase(m_trackObservers, observer);
}

void CTrassoDoc::NotifyTrackObservers(unsigned extraKinds) {
  TrackChange change = m_history.TakeChange();
  change.kinds |= extraKinds;
  if (change.Empty()) return;
  // A copy, so that observers may come and go while being told.
  const std::vector<CTrackObserver*> observers = m_trackObservers;
  for (CTrackObserver* observer : observers) {
    if (std::find(m_trackObservers.begin(), m_trackObservers.end(), observer) !=
        m_trackObservers.end()) {
      observer->OnTrackChanged(change);
    }
  }
}
