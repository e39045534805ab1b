#pragma once
// Drives a view with real mouse and key events, addressed in logical units.
// A device pixel spans about 2.6 logical units on the offscreen screen, so a
// logical point is reached only to within a pixel; At tells the exact logical
// point a device point stands for, and PixelPair finds two device points an
// exact logical distance apart.

#include <gtest/gtest.h>

#include <QPoint>
#include <memory>
#include <utility>

#include "view/trasso_view.h"
#include "view_fixture.h"

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
  // A move message straight to the view with the button held, even when the
  // mouse has not moved (the window system would drop such a move).
  void MoveInPlace(QPoint device);
  void Release(QPoint device);
  void Click(QPoint device, Qt::KeyboardModifiers keys = {});
  // Press, one move to each point, release at the last one.
  void Drag(QPoint from, std::initializer_list<QPoint> through);
  void DoubleClick(QPoint device);
  void Key(Qt::Key key, bool autoRepeat = false);

 private:
  CTrassoView& m_view;
};

// One shown window on a document at zoom 1, with the tool under test.
class ToolTest : public ::testing::Test {
 protected:
  ToolTest() : frame(ShowFrame(doc)), view(*Pane(*frame)), mouse(view), build(doc) {}

  // The device point in the middle of the view and its exact logical point.
  QPoint Middle() const { return QPoint(200, 150); }
  QPoint MiddleLogical() const { return mouse.At(Middle()); }
  // A node exactly on a logical point.
  TSNode* NodeAt(QPoint logical);
  // A section square with its lower left corner on a logical point, wound
  // clockwise from that corner: up, right, down.
  TSPolygon* SquareAt(QPoint corner, int side);
  int NodeCount() const { return static_cast<int>(doc.m_nodeList.size()); }
  int PolygonCount() const { return static_cast<int>(doc.m_polygonList.size()); }

  FakeServices services;
  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  MouseDriver mouse;
  TrackBuilder build;
};
