#include <algorithm>

#include "model/step_scope.h"
#include "model/trasso_doc.h"
#include "model/ts_node.h"

void CTrassoDoc::ScaleSelection(double factor) {
  // The box starts from the first selected node rather than from fixed bounds
  // of ±10,000 units, so that nodes beyond those bounds get their true centre.
  bool any = false;
  TrackLength minX = 0, maxX = 0, minY = 0, maxY = 0;
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected) continue;
    if (!any) {
      minX = maxX = node->m_x;
      minY = maxY = node->m_y;
      any = true;
      continue;
    }
    minX = std::min(minX, node->m_x);
    maxX = std::max(maxX, node->m_x);
    minY = std::min(minY, node->m_y);
    maxY = std::max(maxY, node->m_y);
  }
  if (!any) return;
  CStepScope step(*this, "Scale selection", "scale selection");

  const std::int64_t cx = (std::int64_t{minX} + maxX) / 2;
  const std::int64_t cy = (std::int64_t{minY} + maxY) / 2;
  for (const auto& node : m_nodeList) {
    if (!node->m_bSelected) continue;
    const TrackLength x = TruncateToTrackLength(static_cast<double>(cx) +
                                                factor * static_cast<double>(node->m_x - cx));
    const TrackLength y = TruncateToTrackLength(static_cast<double>(cy) +
                                                factor * static_cast<double>(node->m_y - cy));
    if (x == node->m_x && y == node->m_y) continue;
    step.History().RecordPlace(*node);
    node->m_x = x;
    node->m_y = y;
  }
  NotifyChanged();
}
