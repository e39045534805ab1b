#pragma once
// A device context in the one mapping mode the views use: one logical unit is
// 0.1 mm on the device (at its logical resolution), y grows upward, and the
// window origin is the logical point shown at the device's top-left corner.
// The same object prepares a painter on the screen, a printer or an image, and
// converts mouse points when there is no painter at all.

#include <QPoint>
#include <QRect>

class QPaintDevice;
class QPainter;

class CDC {
 public:
  // `painter` may be null (a client DC that only converts points); it must be
  // active on `device`. `deviceClip` is the part of the device being drawn, in
  // device pixels; an empty rectangle means the whole device.
  CDC(const QPaintDevice& device, QPainter* painter, QRect deviceClip = QRect());

  // Sets the logical point shown at the device's top-left corner and maps the
  // painter accordingly.
  void SetWindowOrg(QPoint origin);
  QPoint GetWindowOrg() const { return m_origin; }

  QPoint DPtoLP(QPoint device) const;
  QPoint LPtoDP(QPoint logical) const;
  // Both corners converted, normalised.
  QRect DPtoLP(const QRect& device) const;
  // The logical rectangle that can receive drawing.
  QRect GetClipBox() const { return DPtoLP(m_deviceClip); }
  // Logical units per device pixel, horizontally (for margins of one pixel).
  double GetLogicalPerPixel() const { return 1.0 / m_pixelsPerUnitX; }

  QPainter* GetPainter() const { return m_pPainter; }

 private:
  void ApplyTransform();

  QPainter* m_pPainter;
  QRect m_deviceClip;
  double m_pixelsPerUnitX;
  double m_pixelsPerUnitY;
  QPoint m_origin;
};
