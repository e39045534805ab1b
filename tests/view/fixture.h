#pragma once
// Offscreen frames with stand-in bars, view pictures and real input; a device pixel is ~2.6 units.

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "model/trasso_doc.h"
#include "platform/qt/status_bar.h"
#include "resource_ids.h"
#include "shell/child_frame.h"
#include "support/track_builder.h"
#include "view/trasso_view.h"
#include "view/view_services.h"
#include "view/zoom_bar.h"

struct RecordingPanel : CDocumentPanel {
  RecordingPanel(std::string n, std::vector<std::string>& j) : name(n), journal(j) {}
  void AttachDocument(CTrassoDoc* doc) override {
    journal.push_back("attach " + name);
    document = doc;
  }
  void DetachDocument(CTrassoDoc* doc) override {
    journal.push_back("detach " + name);
    if (doc == document) document = nullptr;
  }
  void UpdateFromDocument() override { ++refreshes; }
  std::string name;
  std::vector<std::string>& journal;
  CTrassoDoc* document = nullptr;
  int refreshes = 0;
};

struct FakeServices : CViewServices {
  FakeServices() {
    status.SetIndicators({ID_SEPARATOR, ID_INDICATOR_POSITION});
    SetViewServices(this);
  }
  ~FakeServices() override { SetViewServices(nullptr); }
  CDocumentPanel* GetSelectionBar() const override { return &selection; }
  CDocumentPanel* GetTrackBar() const override { return &track; }
  CDocumentPanel* GetTrackCheckBar() const override { return &check; }
  CStatusBar* GetStatusBar() const override { return &status; }
  CZoomBar* GetZoomBar() const override { return &zoom; }
  int GetCurrentTool() const override { return ID_TOOL_SELECT; }
  GridOptions GetGridOptions() const override { return grid; }
  std::vector<std::string> journal;
  mutable RecordingPanel selection{"selection", journal}, track{"track", journal},
      check{"check", journal};
  mutable CStatusBar status;
  GridOptions grid;
  mutable CZoomBar zoom;
};

std::unique_ptr<CChildFrame> ShowFrame(CTrassoDoc& doc, QSize size = QSize(400, 300));
CTrassoView* Pane(CChildFrame& frame, int row = 0, int col = 0);
// The whole view painted as the screen shows it, at the view's own resolution.
QImage PaintWhole(CTrassoView& view);

// A view painted at 254 dots per inch, one pixel per logical unit, read by logical position.
struct PlanImage {
  explicit PlanImage(CTrassoView& view) : origin(view.GetWindowOrigin()) {
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    view.PaintOn(image);
  }
  QColor At(QPoint l) const { return image.pixelColor(l.x() - origin.x(), origin.y() - l.y()); }
  QImage image{400, 300, QImage::Format_RGB32};
  QPoint origin;
};

struct MouseDriver {
  explicit MouseDriver(CTrassoView& view) : m_view(view) {}
  QPoint Device(QPoint logical) const { return m_view.GetClientDC().LPtoDP(logical); }
  QPoint At(QPoint device) const { return m_view.GetClientDC().DPtoLP(device); }
  QPoint On(const TSNode& node) const { return Device(m_view.WorldToLogical(node.m_x, node.m_y)); }
  std::pair<QPoint, QPoint> PixelPair(QPoint near, QPoint offset) const;

  void Press(QPoint device, Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(&m_view, Qt::LeftButton, keys, device);
  }
  void Move(QPoint device) { QTest::mouseMove(&m_view, device); }
  void Release(QPoint device, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseRelease(&m_view, Qt::LeftButton, keys, device);
  }
  void Click(QPoint device, Qt::KeyboardModifiers keys = {}) {
    Press(device, keys);
    Release(device, keys);
  }
  void Drag(QPoint from, std::initializer_list<QPoint> through) {
    Press(from);
    for (QPoint p : through) Move(p);
    Release(*(through.end() - 1));
  }
  void DoubleClick(QPoint device) { QTest::mouseDClick(&m_view, Qt::LeftButton, {}, device); }
  // A move with the button held but no motion, which the window system would drop.
  void MoveInPlace(QPoint device);
  void Key(Qt::Key key, bool autoRepeat = false);
  CTrassoView& m_view;
};

struct ToolTest : ::testing::Test {
  explicit ToolTest(int tool = ID_TOOL_SELECT)
      : frame(ShowFrame(doc)), view(*Pane(*frame)), mouse(view), build(doc) {
    view.SetTool(tool);
  }
  static QPoint Middle() { return QPoint(200, 150); }
  QPoint MiddleLogical() const { return mouse.At(Middle()); }
  // A node exactly on a logical point, at world = logical × 100.
  TSNode* NodeAt(QPoint logical) { return build.Node(logical.x() * 100, logical.y() * 100); }
  // A section square from its lower left corner at a logical point, clockwise: up, right, down.
  TSPolygon* SquareAt(QPoint corner, int side);
  WorldPoint WorldAt(QPoint device) const { return view.LogicalToWorld(mouse.At(device)); }
  int NodeCount() const { return static_cast<int>(doc.m_nodeList.size()); }
  std::vector<TSNode*> Selected() const {
    std::vector<TSNode*> selected;
    for (const auto& node : doc.m_nodeList)
      if (node->m_bSelected) selected.push_back(node.get());
    return selected;
  }
  static WorldPoint Pos(const TSNode* node) { return {node->m_x, node->m_y}; }

  FakeServices services;
  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  MouseDriver mouse;
  TrackBuilder build;
};
