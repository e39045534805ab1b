#include "view/grid_drawing.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "model/grid_snap.h"
#include "platform/qt/dc.h"
#include "view/trasso_view.h"

namespace {
// Lines closer than this many device pixels would turn the plan grey.
constexpr double kMinGapPixels = 8;
constexpr int kMajorEvery = 10;

// Width 0 is one device pixel at every zoom.
const QPen& MinorPen() {
  static const QPen pen(QColor(222, 226, 234), 0);
  return pen;
}
const QPen& MajorPen() {
  static const QPen pen(QColor(168, 176, 192), 0);
  return pen;
}

// The indices k of the lines k × step whose world coordinate lies in
// [low, high] (world, as doubles) and within the TrackLength range.
struct LineRange {
  std::int64_t first, last;
};
LineRange LinesBetween(double low, double high, std::int64_t step) {
  const double s = static_cast<double>(step);
  const double least = std::ceil(std::numeric_limits<TrackLength>::min() / s);
  const double most = std::floor(std::numeric_limits<TrackLength>::max() / s);
  const double first = std::clamp(std::floor(low / s), least, most + 1);
  const double last = std::clamp(std::ceil(high / s), least - 1, most);
  return {static_cast<std::int64_t>(first), static_cast<std::int64_t>(last)};
}
}  // namespace

void DrawGrid(const CTrassoView& view, CDC& dc, TrackLength spacing) {
  const double scale = view.m_dScale;
  if (!(scale > 0)) return;
  QPainter& painter = *dc.GetPainter();
  const QRect clip = dc.GetClipBox().normalized();
  const std::int64_t step = DrawnGridStep(spacing, kMinGapPixels * dc.GetLogicalPerPixel() / scale);
  // One line more on each side: converting truncates, so a line just outside
  // the clip in world units may still touch its edge.
  const LineRange columns =
      LinesBetween(clip.left() / scale - step, clip.right() / scale + step, step);
  const LineRange rows =
      LinesBetween(clip.top() / scale - step, clip.bottom() / scale + step, step);

  // The darker lines go last, so that no lighter line crosses over them.
  for (const bool major : {false, true}) {
    painter.setPen(major ? MajorPen() : MinorPen());
    for (std::int64_t k = columns.first; k <= columns.last; ++k) {
      if ((k % kMajorEvery == 0) != major) continue;
      const int x = view.WorldToLogical(static_cast<TrackLength>(k * step), 0).x();
      painter.drawLine(x, clip.top(), x, clip.bottom());
    }
    for (std::int64_t k = rows.first; k <= rows.last; ++k) {
      if ((k % kMajorEvery == 0) != major) continue;
      const int y = view.WorldToLogical(0, static_cast<TrackLength>(k * step)).y();
      painter.drawLine(clip.left(), y, clip.right(), y);
    }
  }
}
