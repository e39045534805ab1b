// Paste: the objects of a track read from the clipboard join this one.
#include "model/step_scope.h"
#include "model/trasso_doc.h"
#include "model/ts_anchor_wall.h"
#include "model/ts_node.h"
#include "model/ts_polygon.h"

void CTrassoDoc::PasteTrack(CTrassoDoc& track, TrackLength dx, TrackLength dy) {
  // Every polygon hangs from nodes of its own track, so no nodes, nothing.
  if (track.m_nodeList.empty()) return;
  CStepScope step(*this, "Paste");
  // Only what was pasted stays selected, so that it can be moved at once.
  // Pasting does not come at the rate of undo, so it looks at every object
  // rather than trust the remembered selection.
  DropSelection(true);
  // The objects themselves move over, so their links stay as loaded; undo
  // takes them back out of the lists.
  for (auto& node : track.m_nodeList) {
    node->m_x = SaturateToTrackLength(std::int64_t{node->m_x} + dx);
    node->m_y = SaturateToTrackLength(std::int64_t{node->m_y} + dy);
    Select(*node);
    step.History().Append(m_nodeList, std::move(node));
  }
  for (auto& polygon : track.m_polygonList) {
    for (const auto& wall : polygon->m_wallList) Select(*wall);
    step.History().Append(m_polygonList, std::move(polygon));
  }
  track.m_nodeList.clear();
  track.m_polygonList.clear();
  NotifyChanged();
}
