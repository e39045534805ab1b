// A small track drawn with the mouse alone, as a user would: three connected
// sections, a feature and the ten starting positions. The view is grabbed
// into drawn_track.png in the working directory, for a person to look at.

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>

#include "model/ts_anchor_wall.h"
#include "model/ts_item.h"
#include "model/ts_polygon.h"
#include "mouse_fixture.h"
#include "resource_ids.h"

namespace {
class DrawnTrack : public ToolTest {
 protected:
  // Clicks each corner, given in logical units from the lower left of the
  // drawing, then the first one again to close the outline.
  void Trace(int tool, std::initializer_list<QPoint> corners) {
    CTrassoView::SetToolForAllViews(tool);
    for (QPoint corner : corners) mouse.Click(Device(corner));
    mouse.Click(Device(*corners.begin()));
  }
  QPoint Device(QPoint fromBase) const { return mouse.Device(base + fromBase); }

  const QPoint base = mouse.At(QPoint(40, 260));
};

int SectionsAt(const TSNode& node) {
  int sections = 0;
  for (const TSAnchorWall* wall : node.m_wallList) sections += wall->m_pPolygon->m_bFeature ? 0 : 1;
  return sections;
}
}  // namespace

TEST_F(DrawnTrack, ThreeConnectedSectionsAFeatureAndTenStartingPositions) {
  Trace(ID_TOOL_ADD_SECTION, {{0, 0}, {0, 300}, {300, 300}, {300, 0}});
  Trace(ID_TOOL_ADD_SECTION, {{300, 0}, {300, 300}, {600, 300}, {600, 0}});
  Trace(ID_TOOL_ADD_SECTION, {{600, 300}, {300, 300}, {300, 600}, {600, 600}});
  Trace(ID_TOOL_ADD_FEATURE, {{100, 100}, {100, 200}, {200, 200}, {200, 100}});
  CTrassoView::SetToolForAllViews(ID_TOOL_INSERT_OBJECT);
  for (int position = 0; position < 10; ++position) {
    mouse.Click(Device(QPoint(350 + 50 * (position % 5), position < 5 ? 200 : 100)));
    doc.SetSelItemType(position);  // what the selection panel does with its list
  }
  CTrassoView::SetToolForAllViews(ID_TOOL_SELECT);
  mouse.Click(Device(QPoint(450, 450)));  // empty ground inside a section: clears

  ASSERT_EQ(PolygonCount(), 4);
  EXPECT_EQ(doc.m_polygonList[3]->m_bFeature, 1);
  // 12 corners of the three sections, 4 of the feature, 10 item nodes.
  EXPECT_EQ(NodeCount(), 8 + 4 + 10);
  int shared = 0;
  for (const auto& node : doc.m_nodeList) shared += SectionsAt(*node) >= 2 ? 1 : 0;
  EXPECT_EQ(shared, 3);  // the two shared edges: (300,0)-(300,300)-(600,300)
  int positions = 0;
  for (const auto& node : doc.m_nodeList) {
    if (node->m_pItem) {
      EXPECT_EQ(node->m_pItem->m_nType, positions++);
    }
  }
  EXPECT_EQ(positions, 10);
  EXPECT_FALSE(doc.HasSelection(false));

  const QImage image = view.grab().toImage();
  EXPECT_TRUE(image.save(QDir::current().filePath("drawn_track.png")));
  // The feature is filled olive; the sections are outlines on white.
  const QColor olive(128, 128, 0), green(0, 128, 0);
  EXPECT_EQ(image.pixelColor(Device(QPoint(150, 150))), olive);
  EXPECT_EQ(image.pixelColor(Device(QPoint(400, 200))), green);
  EXPECT_EQ(image.pixelColor(Device(QPoint(450, 450))), QColor(Qt::white));
}
