#include <gtest/gtest.h>

#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "support/track_generator.h"
#include "view_fixture.h"

namespace {
// The generated grid at a zoom where the marks of neighbouring corners
// overlap, so that the order of drawing shows in the pixels.
class ChangedArea : public ::testing::Test {
 protected:
  ChangedArea() : doc(GenerateGridTrack(12)), frame(ShowFrame(*doc)), view(*Pane(*frame)) {
    view.SetZoom(0.3);
    view.OnUpdate(nullptr, 0, nullptr);
    shown = FullPaint();
    view.TakeChangedArea();  // the window shows the track as it is now
  }

  // The window as a full repaint shows it, at the window's own resolution.
  QImage FullPaint() {
    QImage image(view.size(), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(view.logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(view.logicalDpiY() / 0.0254));
    view.PaintOn(image);
    return image;
  }
  // Repaints only the area the view names, as the window system would, and
  // checks that the window then shows what a full repaint shows. Returns the
  // area.
  QRect RepaintChangedArea(const char* change) {
    const QRect area = view.TakeChangedArea();
    if (!area.isEmpty()) view.PaintOn(shown, area);
    EXPECT_EQ(shown, FullPaint()) << change;
    return area;
  }
  // A local change must not repaint the whole window.
  void ExpectLocal(const QRect& area, const char* change) {
    EXPECT_FALSE(area.isEmpty()) << change;
    EXPECT_LT(area.width() * area.height(), view.width() * view.height() / 8) << change;
  }

  TSNode* GridNode(int i, int j) { return doc->m_nodeList[j * 13 + i].get(); }
  // Every tenth section is followed by its feature.
  int SectionIndex(int i, int j) {
    const int cell = j * 12 + i;
    return cell + (cell + 9) / 10;
  }
  TSPolygon* Section(int i, int j) { return doc->m_polygonList[SectionIndex(i, j)].get(); }

  std::unique_ptr<CTrassoDoc> doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  QImage shown;
};
}  // namespace

TEST_F(ChangedArea, RepaintingOnlyTheChangedAreaShowsWhatAFullRepaintShows) {
  EXPECT_TRUE(RepaintChangedArea("nothing").isEmpty());

  TrackBuilder build(*doc);
  build.Section({GridNode(8, 8), GridNode(8, 10), GridNode(10, 10)});
  ExpectLocal(RepaintChangedArea("a section added"), "a section added");
  // Without an update, which would scroll to the new extent.
  GridNode(1, 1)->m_x = -2000000;
  ExpectLocal(RepaintChangedArea("a node moved out of sight"), "a node moved out of sight");

  TSNode* node = GridNode(5, 6);
  // Far enough that the marks before and after do not overlap.
  node->m_x += 24000;
  node->m_y -= 15000;
  ExpectLocal(RepaintChangedArea("a node moved"), "a node moved");

  node->m_bHighlighted = 1;
  ExpectLocal(RepaintChangedArea("a node highlighted"), "a node highlighted");

  TSPolygon* section = Section(7, 3);
  section->m_wallList[2]->m_bSelected = 1;
  ExpectLocal(RepaintChangedArea("a wall selected"), "a wall selected");
  SelectWallsOnly(section);
  ExpectLocal(RepaintChangedArea("a section filled"), "a section filled");

  TSPolygon* feature = doc->m_polygonList[SectionIndex(10, 5) + 1].get();
  ASSERT_TRUE(feature->m_bFeature);
  SelectWallsOnly(feature);
  ExpectLocal(RepaintChangedArea("a feature selected"), "a feature selected");

  // A corner anchored at another, distant node, as merging nodes does: the
  // old corner's marks go although no node moved.
  TSAnchorWall* corner = Section(2, 2)->m_wallList[1].get();
  TSNode* anchor = corner->m_pNode;
  corner->m_pNode = GridNode(10, 10);
  RepaintChangedArea("a corner anchored elsewhere");
  corner->m_pNode = anchor;
  RepaintChangedArea("the corner back");

  TSNode* carrier = doc->m_nodeList.back().get();
  ASSERT_NE(carrier->m_pItem, nullptr);
  carrier->m_bSelected = 1;
  ExpectLocal(RepaintChangedArea("an item node selected"), "an item node selected");
}

TEST_F(ChangedArea, TheToolFeedbackIsRepaintedWhereItWasAndWhereItIs) {
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = view.WorldToLogical(30000, 30000);
  EXPECT_TRUE(RepaintChangedArea("band not yet shown").isEmpty());
  view.m_ptCurrent = view.WorldToLogical(50000, 45000);
  ExpectLocal(RepaintChangedArea("band shown"), "band shown");
  view.m_ptCurrent = view.WorldToLogical(40000, 35000);
  ExpectLocal(RepaintChangedArea("band shrunk"), "band shrunk");
  view.m_bButtonDown = false;
  ExpectLocal(RepaintChangedArea("band gone"), "band gone");

  view.m_nTool = ID_TOOL_ADD_SECTION;
  view.m_path = {GridNode(2, 2), GridNode(3, 2), GridNode(3, 3)};
  ExpectLocal(RepaintChangedArea("path shown"), "path shown");
  GridNode(3, 3)->m_y += 5000;
  ExpectLocal(RepaintChangedArea("path node moved"), "path node moved");
  view.SetTool(ID_TOOL_SELECT);
  ExpectLocal(RepaintChangedArea("path dropped"), "path dropped");
}

TEST_F(ChangedArea, AChangeOfZoomOrOfTheListsRepaintsEverything) {
  view.SetZoom(0.4);
  EXPECT_EQ(RepaintChangedArea("zoom"), view.rect());

  // Drawing order decides which of two overlapping marks is on top.
  std::swap(doc->m_nodeList[20], doc->m_nodeList[21]);
  EXPECT_EQ(RepaintChangedArea("node order"), view.rect());
  std::swap(doc->m_polygonList[3], doc->m_polygonList[4]);
  EXPECT_EQ(RepaintChangedArea("polygon order"), view.rect());
}
