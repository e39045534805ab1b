#include "view/mark_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
// An arc's chords stray at most this far (device pixels) from the true arc,
// which no pixel can show.
constexpr double kMaxStray = 0.2;
constexpr int kMinCorners = 8;
constexpr int kMaxCorners = 720;

// atan2 to within 1e-5 radians, several times faster than the library's. The
// angle only picks the table's corners between the two exact end points of an
// arc, where so small an error cannot move a pixel.
double FastAtan2(double y, double x) {
  const double ax = std::abs(x), ay = std::abs(y);
  const bool steep = ay > ax;
  const double z = steep ? ax / ay : ay / ax;
  const double z2 = z * z;
  double angle =
      z * (0.9998660 + z2 * (-0.3302995 + z2 * (0.1801410 + z2 * (-0.0851330 + z2 * 0.0208351))));
  if (steep) angle = std::numbers::pi / 2 - angle;
  if (x < 0) angle = std::numbers::pi - angle;
  return y < 0 ? -angle : angle;
}
}  // namespace

MarkRay MarkRay::Between(QPoint from, QPoint to) {
  const double dx = static_cast<double>(to.x()) - from.x();
  const double dy = static_cast<double>(to.y()) - from.y();
  const double length = std::hypot(dx, dy);
  if (length == 0) return MarkRay();
  const double angle = FastAtan2(dy, dx);
  return {angle < 0 ? angle + kTwoPi : angle, QPointF(dx / length, dy / length), false};
}

MarkRay MarkRay::Reversed() const {
  if (bEmpty) return *this;
  return {angle < std::numbers::pi ? angle + std::numbers::pi : angle - std::numbers::pi, -unit,
          false};
}

CMarkShapes::CMarkShapes(double pixelsPerUnit) : m_pixelsPerUnit(pixelsPerUnit) {}

const CMarkShapes::Circle& CMarkShapes::CircleOf(int radius) {
  for (const Circle& circle : m_circles) {
    if (circle.radius == radius) return circle;
  }
  // The angle of a chord whose middle lies kMaxStray inside the arc.
  const double pixels = radius * m_pixelsPerUnit;
  const double chord = pixels > kMaxStray ? 2 * std::acos(1 - kMaxStray / pixels) : kTwoPi;
  const int corners =
      std::clamp(static_cast<int>(std::ceil(kTwoPi / chord)), kMinCorners, kMaxCorners);
  Circle circle{radius, {}};
  circle.points.reserve(corners);
  for (int k = 0; k < corners; ++k) {
    const double angle = kTwoPi * k / corners;
    circle.points.emplace_back(radius * std::cos(angle), radius * std::sin(angle));
  }
  m_circles.push_back(std::move(circle));
  return m_circles.back();
}

const QPolygonF& CMarkShapes::Disc(QPoint centre, int radius) {
  const Circle& circle = CircleOf(radius);
  m_shape.resize(static_cast<qsizetype>(circle.points.size()));
  const QPointF c(centre);
  for (std::size_t k = 0; k < circle.points.size(); ++k) m_shape[k] = c + circle.points[k];
  return m_shape;
}

const QPolygonF& CMarkShapes::Wedge(QPoint centre, const MarkRay& from, const MarkRay& to,
                                    int radius) {
  const double start = from.angle;
  double sweep = to.angle - start;
  if (sweep <= 0) sweep += kTwoPi;
  const Circle& circle = CircleOf(radius);
  const int corners = static_cast<int>(circle.points.size());
  const double step = kTwoPi / corners;
  const QPointF c(centre);

  m_shape.clear();
  m_shape.append(c);
  m_shape.append(c + from.unit * radius);
  // The table's corners strictly inside the sweep, in order.
  for (int k = static_cast<int>(std::floor(start / step)) + 1; k * step < start + sweep; ++k) {
    m_shape.append(c + circle.points[k % corners]);
  }
  m_shape.append(c + to.unit * radius);
  return m_shape;
}
