#include "fixture.h"

#include <QApplication>
#include <QKeyEvent>

// Widget tests need a QApplication, on the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

std::unique_ptr<CChildFrame> ShowFrame(CTrassoDoc& doc, QSize size) {
  auto frame = std::make_unique<CChildFrame>(&doc);
  frame->resize(size);
  frame->show();
  QApplication::processEvents();
  return frame;
}

CTrassoView* Pane(CChildFrame& frame, int row, int col) {
  return static_cast<CTrassoView*>(frame.GetSplitter().GetPane(row, col));
}

QImage PaintWhole(CTrassoView& view) {
  QImage image(view.size(), QImage::Format_RGB32);
  image.setDotsPerMeterX(qRound(view.logicalDpiX() / 0.0254));
  image.setDotsPerMeterY(qRound(view.logicalDpiY() / 0.0254));
  view.PaintOn(image);
  return image;
}

std::pair<QPoint, QPoint> MouseDriver::PixelPair(QPoint near, QPoint offset) const {
  const QPoint base = Device(near);
  for (int d = 0; d < 49 * 9; ++d) {
    const QPoint a = base + QPoint(d / 9 % 7 - 3, d / 63 - 3);
    const QPoint c = Device(At(a) + offset) + QPoint(d % 3 - 1, d / 3 % 3 - 1);
    if (At(c) - At(a) == offset) return {a, c};
  }
  ADD_FAILURE() << "no device points found " << offset.x() << ", " << offset.y() << " apart";
  return {base, base};
}

void MouseDriver::MoveInPlace(QPoint device) {
  QMouseEvent move(QEvent::MouseMove, device, m_view.mapToGlobal(device), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&m_view, &move);
}
void MouseDriver::Key(Qt::Key key, bool autoRepeat) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(&m_view, &press);
}

TSPolygon* ToolTest::SquareAt(QPoint corner, int side) {
  return build.Section({NodeAt(corner), NodeAt(corner + QPoint(0, side)),
                        NodeAt(corner + QPoint(side, side)), NodeAt(corner + QPoint(side, 0))});
}
