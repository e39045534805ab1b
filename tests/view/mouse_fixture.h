#pragma once
// Drives a view with real mouse and key events, addressed in logical units.
// A device pixel spans about 2.6 logical units on the offscreen screen, so a
// logical point is reached only to within a pixel; At tells the exact logical
// point a device point stands for, and PixelPair finds two device points an
// exact logical distance apart.

#include <QPoint>
#include <utility>

#include "view/trasso_view.h"

class MouseDriver {
 public:
  explicit MouseDriver(CTrassoView& view) : m_view(view) {}

  // The device point nearest to a logical point, and back.
  QPoint Device(QPoint logical) const;
  QPoint At(QPoint device) const;
  // The world position a node must have to sit exactly on a logical point.
  static WorldPoint WorldAt(QPoint logical) { return {logical.x() * 100, logical.y() * 100}; }

  // Two device points near `near` whose logical points differ by `offset`.
  std::pair<QPoint, QPoint> PixelPair(QPoint near, QPoint offset) const;

  void Press(QPoint device, Qt::KeyboardModifiers keys = {});
  void Move(QPoint device);
  void Release(QPoint device);
  void Click(QPoint device, Qt::KeyboardModifiers keys = {});
  // Press, one move to each point, release at the last one.
  void Drag(QPoint from, std::initializer_list<QPoint> through);
  void DoubleClick(QPoint device);
  void Key(Qt::Key key, bool autoRepeat = false);

 private:
  CTrassoView& m_view;
};
