#include <algorithm>

#include "fixture.h"
#include "support/track_generator.h"
#include "view/item_marks.h"
#include "view/view_options.h"

namespace {
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kSilver(192, 192, 192), kNavy(0, 0, 128),
    kMaroon(128, 0, 0), kRed(255, 0, 0);
using Colours = std::vector<QColor>;

// Views start with the options off and leave them off for the next test.
struct OptionsTest : ToolTest {
  ~OptionsTest() override { SetViewOptions({}); }
  Colours Pixels(std::initializer_list<QPoint> points) {
    const PlanImage image(view);
    Colours colours;
    for (QPoint p : points) colours.push_back(image.At(p));
    return colours;
  }
  // How many pixels of the logical rectangle are black.
  int BlackIn(const QRect& area) {
    const PlanImage image(view);
    int black = 0;
    for (int x = area.left(); x <= area.right(); ++x)
      for (int y = area.top(); y <= area.bottom(); ++y) black += image.At({x, y}) == kBlack;
    return black;
  }
  // The logical point in the middle of the window at `zoom`.
  QPoint ZoomedMiddle(double zoom) {
    view.SetZoom(zoom);
    view.OnUpdate(nullptr, 0, nullptr);
    return view.GetWindowOrigin() + QPoint(200, -150);
  }
};

TEST(ItemLabel, NumberedNamesKeepTheirNumberOthersTheirInitialsAndTheFinishLineIsF) {
  const char* expected[] = {"S1",  "S2", "S3", "S4", "S5", "S6", "S7", "S8", "S9",
                            "S10", "F",  "C1", "C2", "FS", "SR", "IC", "M",  "B"};
  for (int row = 0; row < 18; ++row) EXPECT_EQ(ItemLabel(row), expected[row]) << row;
  EXPECT_EQ(ItemLabel(18), QString());
  EXPECT_EQ(ItemLabel(-1), QString());
}

TEST_F(OptionsTest, ItemLabelsAndDirectionLinesShowOnlyWithTheOption) {
  // At zoom 1 a world point is its logical point × 100.
  TSItem* mine = build.Item(30000, 180000, 16);
  mine->m_nOrientation = 90000;  // straight up
  TSItem* start = build.Item(10000, 180000, 0);
  build.Settle();
  const QRect mineLabel(313, 1810, 60, 30), startLabel(113, 1810, 60, 30);
  EXPECT_EQ(BlackIn(mineLabel) + BlackIn(startLabel), 0);
  EXPECT_EQ(Pixels({{300, 1830}, {130, 1800}, {70, 1800}}), (Colours{kWhite, kWhite, kWhite}));

  SetViewOptions({.bItemLabels = true});
  EXPECT_GT(BlackIn(mineLabel), 10);
  const PlanImage image(view);
  auto label = [&](const QRect& area) {
    return image.image.copy(area.left() - image.origin.x(), image.origin.y() - area.bottom(),
                            area.width(), area.height());
  };
  EXPECT_NE(label(mineLabel), label(startLabel));  // "M" and "S1"
  // Counterclockwise from +x: 90° points up, 0° right, 180° left.
  EXPECT_EQ(Pixels({{300, 1830}, {330, 1800}, {130, 1800}, {70, 1800}}),
            (Colours{kBlack, kWhite, kBlack, kWhite}));
  start->m_nOrientation = 180000;
  EXPECT_EQ(Pixels({{130, 1800}, {70, 1800}}), (Colours{kWhite, kBlack}));
}

TEST_F(OptionsTest, CompactMarksDrawNodesAsPixelsWithoutWedgesOnlyWhereDiscsWouldCrowd) {
  SetViewOptions({.bCompactMarks = true});
  // Walls of 10.000 units: discs 20 logical units wide touch at zoom 0.2.
  auto square = [&](QPoint corner) {
    const WorldPoint w = view.LogicalToWorld(corner);
    build.Section({build.Node(w.x, w.y), build.Node(w.x, w.y + 10000),
                   build.Node(w.x + 10000, w.y + 10000), build.Node(w.x + 10000, w.y)});
    build.Settle();
    return view.WorldToLogical(w.x, w.y);
  };
  QPoint p = square(ZoomedMiddle(0.15));
  const WorldPoint w = view.LogicalToWorld(p + QPoint(40, 0));
  TSNode* free = build.Node(w.x, w.y);
  build.Settle();
  const QPoint q = view.WorldToLogical(w.x, w.y);
  // A free node is a dot, a plain corner lies under the outline, a selected one on top.
  EXPECT_EQ(Pixels({q, q + QPoint(-1, 0), q + QPoint(4, 4), p, p + QPoint(4, 4)}),
            (Colours{kMaroon, kWhite, kWhite, kBlack, kWhite}));
  doc.m_nodeList.front()->m_bSelected = free->m_bSelected = 1;
  EXPECT_EQ(Pixels({p, q}), (Colours{kRed, kRed}));
  SetViewOptions({});
  EXPECT_EQ(Pixels({p + QPoint(4, 4), q + QPoint(4, 4)}), (Colours{kRed, kRed}));

  doc.m_polygonList.clear();
  doc.m_nodeList.clear();
  SetViewOptions({.bCompactMarks = true});
  p = square(ZoomedMiddle(0.5));
  EXPECT_EQ(Pixels({p + QPoint(4, 4), p + QPoint(12, 12)}), (Colours{kMaroon, kNavy}));
}

TEST_F(OptionsTest, ASelectedWallIsThickOnTheOutsideAndASelectedSectionKeepsItsOutline) {
  // Corners (100, 1800), (100, 1900), (200, 1900), (200, 1800); wall 3 runs along the bottom.
  auto corners = {build.Node(10000, 180000), build.Node(10000, 190000), build.Node(20000, 190000),
                  build.Node(20000, 180000)};
  TSPolygon* square = build.Section(corners);
  build.Settle();
  const std::initializer_list<QPoint> across = {{150, 1802}, {150, 1800}, {150, 1798},
                                                {150, 1796}, {150, 1902}, {150, 1898}};
  EXPECT_EQ(Pixels(across), (Colours{kWhite, kBlack, kWhite, kWhite, kWhite, kWhite}));
  square->m_wallList[3]->m_bSelected = 1;
  EXPECT_EQ(Pixels(across), (Colours{kWhite, kBlack, kBlack, kWhite, kWhite, kWhite}));
  // Run anticlockwise, the wall from the same corner runs up the right side and still
  // thickens away from the inside.
  std::reverse(square->m_wallList.begin(), square->m_wallList.end());
  EXPECT_EQ(Pixels({{198, 1850}, {200, 1850}, {202, 1850}, {204, 1850}, {150, 1798}}),
            (Colours{kWhite, kBlack, kBlack, kWhite, kWhite}));
  std::reverse(square->m_wallList.begin(), square->m_wallList.end());

  SelectWallsOnly(square);
  EXPECT_EQ(Pixels({{150, 1850}, {150, 1801}, {150, 1800}, {150, 1900}, {100, 1850}, {200, 1850}}),
            (Colours{kSilver, kSilver, kBlack, kBlack, kBlack, kBlack}));
}

// Repainting only what changed has to follow what the options add to the drawing.
struct OptionsRepaint : ::testing::Test {
  OptionsRepaint() : doc(GenerateGridTrack(12)), frame(ShowFrame(*doc)), view(*Pane(*frame)) {}
  ~OptionsRepaint() override { SetViewOptions({}); }
  void Show(double zoom, const CViewOptions& options) {
    view.SetZoom(zoom);
    view.OnUpdate(nullptr, 0, nullptr);
    SetViewOptions(options);
    view.TakeChangedArea();
    shown = FullPaint();
  }
  QImage FullPaint() { return PaintWhole(view); }
  // Repaints only the changed area, which must show as a full repaint.
  QRect Repaint(const char* change) {
    const QRect area = view.TakeChangedArea();
    if (!area.isEmpty()) view.PaintOn(shown, area);
    EXPECT_EQ(shown, FullPaint()) << change;
    return area;
  }

  std::unique_ptr<CTrassoDoc> doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  QImage shown;
};

TEST_F(OptionsRepaint, ALabelFollowsItsItemAndCompactMarksComingOrGoingRepaintEverything) {
  Show(0.3, {.bItemLabels = true});
  TSItem* item = doc->m_nodeList.back()->m_pItem.get();
  item->m_nType = 1;
  EXPECT_LT(Repaint("type").width(), view.width() / 4);
  item->m_nOrientation = 135000;
  EXPECT_LT(Repaint("orientation").width(), view.width() / 4);

  // Far from every polygon, a node whose mark changes only with the average wall.
  Show(0.15, {.bCompactMarks = true});
  doc->AddNode(180000, 20000, false);
  Repaint("node added");
  doc->m_polygonList.clear();  // no walls: discs again
  EXPECT_EQ(Repaint("walls gone"), view.rect());
}
}  // namespace
