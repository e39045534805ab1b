#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "fixture.h"
#include "support/track_generator.h"

namespace {
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kSilver(192, 192, 192), kOlive(128, 128, 0),
    kYellow(255, 255, 0), kNavy(0, 0, 128), kBlue(0, 0, 255), kMaroon(128, 0, 0), kRed(255, 0, 0),
    kGreen(0, 128, 0), kLime(0, 255, 0), kMagenta(255, 0, 255);
using Colours = std::vector<QColor>;

// A new view at zoom 1 shows logical x from 0 and y down from 2000; world is logical × 100.
struct ViewDrawing : ToolTest {
  TSPolygon* Square(bool feature = false) {
    const auto corners = {build.Node(10000, 180000), build.Node(10000, 190000),
                          build.Node(20000, 190000), build.Node(20000, 180000)};
    TSPolygon* square = feature ? build.Feature(corners) : build.Section(corners);
    build.Settle();
    return square;
  }
  Colours Pixels(std::initializer_list<QPoint> points) {
    const PlanImage image(view);
    Colours colours;
    for (QPoint p : points) colours.push_back(image.At(p));
    return colours;
  }
};

TEST_F(ViewDrawing, WedgesFillsABandShownOnceMovedPolygonToolPathsAndNodeDiscsAtEveryZoom) {
  TSPolygon* square = Square();
  EXPECT_EQ(Pixels({{150, 1800}, {150, 1850}, {150, 1750}}), (Colours{kBlack, kWhite, kWhite}));
  square->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(Pixels({{150, 1850}}), Colours{kWhite});
  // Wedges of radius 21: corner 0 at (100, 1800) opens up right, corner 2 at (200, 1900) down left.
  EXPECT_EQ(Pixels({{112, 1812}, {88, 1812}, {112, 1788}, {125, 1812}, {188, 1888}, {212, 1912}}),
            (Colours{kBlue, kWhite, kWhite, kWhite, kNavy, kWhite}));
  square->m_wallList[0]->m_bHighlighted = 1;
  EXPECT_EQ(Pixels({{112, 1812}}), Colours{kMagenta});
  SelectWallsOnly(square);  // filled: no outline, and the nodes on top
  EXPECT_EQ(Pixels({{150, 1850}, {150, 1801}, {150, 1750}, {105, 1805}}),
            (Colours{kSilver, kSilver, kWhite, kMaroon}));
  doc.m_polygonList.clear();
  TSPolygon* feature = Square(true);
  EXPECT_EQ(Pixels({{150, 1850}}), Colours{kOlive});
  SelectWallsOnly(feature);
  EXPECT_EQ(Pixels({{150, 1850}}), Colours{kYellow});
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = QPoint(250, 1750);
  EXPECT_EQ(Pixels({{250, 1750}}), Colours{kWhite});
  view.m_ptCurrent = QPoint(350, 1850);
  EXPECT_EQ(Pixels({{300, 1750}, {350, 1800}, {300, 1800}}), (Colours{kBlack, kBlack, kWhite}));
  view.m_bButtonDown = false;
  view.m_path = {build.Node(5000, 175000), build.Node(35000, 175000)};
  build.Settle();
  for (int tool : {ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE, ID_TOOL_SELECT, ID_TOOL_MOVE_NODES}) {
    view.m_nTool = tool;  // the path is 0.5 mm wide
    const QColor path =
        tool == ID_TOOL_ADD_SECTION || tool == ID_TOOL_ADD_FEATURE ? kBlack : kWhite;
    EXPECT_EQ(Pixels({{300, 1750}, {200, 1752}, {200, 1755}}), (Colours{path, path, kWhite}))
        << tool;
  }
  TSNode *node = build.Node(30000, 180000), *carrier = build.Item(35000, 180000, 0)->m_pNode;
  build.Settle();
  EXPECT_EQ(Pixels({{300, 1800}, {350, 1800}}), (Colours{kMaroon, kGreen}));
  node->m_bSelected = carrier->m_bHighlighted = 1;
  EXPECT_EQ(Pixels({{300, 1800}, {350, 1800}}), (Colours{kRed, kGreen}));
  node->m_bHighlighted = carrier->m_bSelected = 1;
  EXPECT_EQ(Pixels({{300, 1800}, {350, 1800}}), (Colours{kMagenta, kLime}));
  for (double zoom : {0.5, 2.0}) {
    view.SetZoom(zoom);
    view.OnUpdate(nullptr, 0, nullptr);
    const WorldPoint middle = view.LogicalToWorld(view.GetWindowOrigin() + QPoint(200, -150));
    const QPoint p = view.WorldToLogical(node->m_x = middle.x, node->m_y = middle.y);
    EXPECT_EQ(Pixels({p + QPoint(8, 0), p + QPoint(0, -8), p + QPoint(12, 0)}),
              (Colours{kMagenta, kMagenta, kWhite}))
        << zoom;
  }
}

// The generated grid at a zoom where neighbouring marks overlap, so drawing order shows.
struct ChangedArea : ::testing::Test {
  ChangedArea() : doc(GenerateGridTrack(12)), frame(ShowFrame(*doc)), view(*Pane(*frame)) {
    view.SetZoom(0.3);
    view.OnUpdate(nullptr, 0, nullptr);
    shown = FullPaint();
    view.TakeChangedArea();  // the window shows the track as it is now
  }
  QImage FullPaint() { return PaintWhole(view); }
  // Repaints only the named area, which must show as a full repaint; a local change stays small.
  QRect Repaint(const char* change, bool local = true) {
    const QRect area = view.TakeChangedArea();
    if (!area.isEmpty()) view.PaintOn(shown, area);
    EXPECT_EQ(shown, FullPaint()) << change;
    if (local) {
      EXPECT_FALSE(area.isEmpty()) << change;
      EXPECT_LT(area.width() * area.height(), view.width() * view.height() / 8) << change;
    }
    return area;
  }
  TSNode* GridNode(int i, int j) { return doc->m_nodeList[j * 13 + i].get(); }
  TSPolygon* Section(int i, int j, int after = 0) {
    const int cell = j * 12 + i;
    return doc->m_polygonList[cell + (cell + 9) / 10 + after].get();
  }

  std::unique_ptr<CTrassoDoc> doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  QImage shown;
};

TEST_F(ChangedArea, RepaintingOnlyTheChangedAreaOfTrackOrToolFeedbackShowsAFullRepaint) {
  EXPECT_TRUE(Repaint("nothing", false).isEmpty());
  TrackBuilder(*doc).Section({GridNode(8, 8), GridNode(8, 10), GridNode(10, 10)});
  Repaint("a section added");
  GridNode(1, 1)->m_x = -2000000;  // without an update, which would scroll
  Repaint("a node moved out of sight");
  GridNode(5, 6)->m_x += 24000;  // far enough that the marks before and after do not overlap
  GridNode(5, 6)->m_y -= 15000;
  Repaint("a node moved");
  SelectWallsOnly(Section(7, 3));
  Repaint("a section filled");
  ASSERT_TRUE(Section(10, 5, 1)->m_bFeature);
  SelectWallsOnly(Section(10, 5, 1));
  Repaint("a feature selected");
  TSAnchorWall* corner = Section(2, 2)->m_wallList[1].get();
  TSNode* anchor = corner->m_pNode;
  corner->m_pNode = GridNode(10, 10);  // as merging does: old marks go though no node moved
  Repaint("a corner anchored elsewhere", false);
  corner->m_pNode = anchor;
  Repaint("the corner back", false);
  ASSERT_NE(doc->m_nodeList.back()->m_pItem, nullptr);
  doc->m_nodeList.back()->m_bSelected = 1;
  Repaint("an item node selected");
  // The tool feedback is repainted where it was and where it is.
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = view.WorldToLogical(30000, 30000);
  EXPECT_TRUE(Repaint("band not yet shown", false).isEmpty());
  view.m_ptCurrent = view.WorldToLogical(50000, 45000);
  Repaint("band shown");
  view.m_bButtonDown = false;
  Repaint("band gone");
  view.m_nTool = ID_TOOL_ADD_SECTION;
  view.m_path = {GridNode(2, 2), GridNode(3, 2), GridNode(3, 3)};
  Repaint("path shown");
  view.m_nTool = ID_TOOL_ADD_FEATURE;  // the other tool that shows it
  GridNode(3, 3)->m_y += 5000;
  Repaint("path node moved");
  view.SetTool(ID_TOOL_SELECT);
  Repaint("path dropped");
}

TEST(ViewPrinting, PrintingToAFileGivesOneDrawnPage) {
  QTemporaryDir dir;
  auto print = [&](CTrassoDoc& doc, const QString& name) {
    auto frame = ShowFrame(doc);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(name));
    EXPECT_TRUE(Pane(*frame)->PrintPage(printer));
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  CTrassoDoc empty;
  const QByteArray blank = print(empty, "blank.pdf"),
                   drawn = print(*GenerateGridTrack(10), "t.pdf");
  EXPECT_EQ(drawn.count("/Type /Page"), 2);  // the page and the page tree
  EXPECT_GT(drawn.size(), blank.size() + 1000);
}
}  // namespace
