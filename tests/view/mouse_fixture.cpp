#include "mouse_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

QPoint MouseDriver::Device(QPoint logical) const {
  return m_view.GetClientDC().LPtoDP(logical);
}

QPoint MouseDriver::At(QPoint device) const {
  return m_view.GetClientDC().DPtoLP(device);
}

std::pair<QPoint, QPoint> MouseDriver::PixelPair(QPoint near, QPoint offset) const {
  const QPoint base = Device(near);
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      const QPoint a = base + QPoint(dx, dy);
      const QPoint b = Device(At(a) + offset);
      for (int ey = -1; ey <= 1; ++ey) {
        for (int ex = -1; ex <= 1; ++ex) {
          const QPoint c = b + QPoint(ex, ey);
          if (At(c) - At(a) == offset) return {a, c};
        }
      }
    }
  }
  ADD_FAILURE() << "no device points found " << offset.x() << ", " << offset.y() << " apart";
  return {base, base};
}

void MouseDriver::Press(QPoint device, Qt::KeyboardModifiers keys) {
  QTest::mousePress(&m_view, Qt::LeftButton, keys, device);
}

void MouseDriver::Move(QPoint device) {
  QTest::mouseMove(&m_view, device);
}

void MouseDriver::MoveInPlace(QPoint device) {
  QMouseEvent move(QEvent::MouseMove, device, m_view.mapToGlobal(device), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&m_view, &move);
}

void MouseDriver::Release(QPoint device) {
  QTest::mouseRelease(&m_view, Qt::LeftButton, {}, device);
}

void MouseDriver::Click(QPoint device, Qt::KeyboardModifiers keys) {
  Press(device, keys);
  QTest::mouseRelease(&m_view, Qt::LeftButton, keys, device);
}

void MouseDriver::Drag(QPoint from, std::initializer_list<QPoint> through) {
  Press(from);
  for (QPoint p : through) Move(p);
  Release(through.size() ? *(through.end() - 1) : from);
}

void MouseDriver::DoubleClick(QPoint device) {
  QTest::mouseDClick(&m_view, Qt::LeftButton, {}, device);
}

void MouseDriver::Key(Qt::Key key, bool autoRepeat) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(&m_view, &press);
}

TSNode* ToolTest::NodeAt(QPoint logical) {
  const WorldPoint w = MouseDriver::WorldAt(logical);
  return build.Node(w.x, w.y);
}

TSPolygon* ToolTest::SquareAt(QPoint corner, int side) {
  TSNode* a = NodeAt(corner);
  TSNode* b = NodeAt(corner + QPoint(0, side));
  TSNode* c = NodeAt(corner + QPoint(side, side));
  TSNode* d = NodeAt(corner + QPoint(side, 0));
  return build.Section({a, b, c, d});
}
