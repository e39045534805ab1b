#include "platform/qt/dc.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {
// Logical units per inch: one unit is 0.1 mm.
constexpr double kUnitsPerInch = 254.0;

int RoundToInt(double value) {
  return static_cast<int>(std::lround(value));
}
}  // namespace

CDC::CDC(const QPaintDevice& device, QPainter* painter, QRect deviceClip)
    : m_pPainter(painter),
      m_deviceClip(deviceClip.isEmpty() ? QRect(0, 0, device.width(), device.height())
                                        : deviceClip),
      m_pixelsPerUnitX(device.logicalDpiX() / kUnitsPerInch),
      m_pixelsPerUnitY(device.logicalDpiY() / kUnitsPerInch) {
  ApplyTransform();
}

void CDC::SetWindowOrg(QPoint origin) {
  m_origin = origin;
  ApplyTransform();
}

QPoint CDC::DPtoLP(QPoint device) const {
  return {m_origin.x() + RoundToInt(device.x() / m_pixelsPerUnitX),
          m_origin.y() - RoundToInt(device.y() / m_pixelsPerUnitY)};
}

QPoint CDC::LPtoDP(QPoint logical) const {
  return {RoundToInt((logical.x() - m_origin.x()) * m_pixelsPerUnitX),
          RoundToInt((m_origin.y() - logical.y()) * m_pixelsPerUnitY)};
}

QRect CDC::DPtoLP(const QRect& device) const {
  const QPoint a = DPtoLP(device.topLeft());
  const QPoint b = DPtoLP(QPoint(device.x() + device.width(), device.y() + device.height()));
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

void CDC::ApplyTransform() {
  if (!m_pPainter) return;
  // device = (logical − origin) × scale, with y turned upside down.
  const double sx = m_pixelsPerUnitX, sy = m_pixelsPerUnitY;
  m_pPainter->setTransform(QTransform(sx, 0, 0, -sy, -m_origin.x() * sx, m_origin.y() * sy));
}
