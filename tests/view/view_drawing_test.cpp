#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "model/ts_anchor_wall.h"
#include "model/ts_polygon.h"
#include "resource_ids.h"
#include "support/track_generator.h"
#include "view_fixture.h"

namespace {
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kSilver(192, 192, 192), kOlive(128, 128, 0),
    kYellow(255, 255, 0), kNavy(0, 0, 128), kBlue(0, 0, 255), kMaroon(128, 0, 0), kRed(255, 0, 0),
    kGreen(0, 128, 0), kLime(0, 255, 0), kMagenta(255, 0, 255);

// At zoom 1 and the scroll positions of a new view, the image shows logical x
// from 0 and y down from 2000; world is logical × 100.
class ViewDrawing : public ::testing::Test {
 protected:
  ViewDrawing() : frame(ShowFrame(doc)), view(*Pane(*frame)), build(doc) {}

  // A square section with its lower left corner at logical (100, 1800), 100 wide.
  TSPolygon* Square(bool feature = false) {
    auto* a = build.Node(10000, 180000);
    auto* b = build.Node(10000, 190000);
    auto* c = build.Node(20000, 190000);
    auto* d = build.Node(20000, 180000);
    return feature ? build.Feature({a, b, c, d}) : build.Section({a, b, c, d});
  }
  QColor Pixel(int lx, int ly) { return PlanImage(view).At({lx, ly}); }

  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  TrackBuilder build;
};
}  // namespace

TEST_F(ViewDrawing, ASectionIsAnOutlineUntilAllItsWallsAreSelected) {
  TSPolygon* square = Square();
  build.Settle();
  EXPECT_EQ(Pixel(150, 1800), kBlack);  // the bottom edge
  EXPECT_EQ(Pixel(150, 1850), kWhite);
  EXPECT_EQ(Pixel(150, 1750), kWhite);

  square->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(Pixel(150, 1850), kWhite);

  SelectWallsOnly(square);
  EXPECT_EQ(Pixel(150, 1850), kSilver);
  EXPECT_EQ(Pixel(150, 1801), kSilver);  // no outline on a filled area
  EXPECT_EQ(Pixel(150, 1750), kWhite);
}

TEST_F(ViewDrawing, AFeatureIsAlwaysFilled) {
  TSPolygon* feature = Square(true);
  build.Settle();
  EXPECT_EQ(Pixel(150, 1850), kOlive);
  SelectWallsOnly(feature);
  EXPECT_EQ(Pixel(150, 1850), kYellow);
}

TEST_F(ViewDrawing, WedgesFillTheInnerAngleInTheWallsColour) {
  TSPolygon* square = Square();
  build.Settle();
  // Corner 0 is at (100, 1800): its wedge opens up and to the right.
  EXPECT_EQ(Pixel(112, 1812), kNavy);
  EXPECT_EQ(Pixel(88, 1812), kWhite);
  EXPECT_EQ(Pixel(112, 1788), kWhite);
  EXPECT_EQ(Pixel(125, 1812), kWhite);  // beyond the radius of 21
  // Corner 2, (200, 1900), opens down and to the left.
  EXPECT_EQ(Pixel(188, 1888), kNavy);
  EXPECT_EQ(Pixel(212, 1912), kWhite);

  square->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(Pixel(112, 1812), kBlue);
  square->m_wallList[0]->m_bHighlighted = 1;
  EXPECT_EQ(Pixel(112, 1812), kMagenta);
}

TEST_F(ViewDrawing, NodeDiscsTellSelectionHighlightAndItems) {
  TSNode* node = build.Node(30000, 180000);
  TSNode* carrier = build.Item(35000, 180000, 0)->m_pNode;
  build.Settle();
  EXPECT_EQ(Pixel(300, 1800), kMaroon);
  EXPECT_EQ(Pixel(350, 1800), kGreen);

  node->m_bSelected = 1;
  EXPECT_EQ(Pixel(300, 1800), kRed);
  node->m_bHighlighted = 1;
  EXPECT_EQ(Pixel(300, 1800), kMagenta);

  carrier->m_bHighlighted = 1;
  EXPECT_EQ(Pixel(350, 1800), kGreen);
  carrier->m_bSelected = 1;
  EXPECT_EQ(Pixel(350, 1800), kLime);
}

TEST_F(ViewDrawing, NodesLieOnTopOfWedgesAndFills) {
  TSPolygon* square = Square();
  SelectWallsOnly(square);
  EXPECT_EQ(Pixel(100, 1800), kMaroon);
  EXPECT_EQ(Pixel(105, 1805), kMaroon);
}

TEST_F(ViewDrawing, MarksKeepTheirSizeAtEveryZoom) {
  for (double zoom : {0.5, 1.0, 2.0}) {
    view.SetZoom(zoom);
    view.OnUpdate(nullptr, 0, nullptr);
    const QPoint target = view.GetWindowOrigin() + QPoint(200, -150);
    const WorldPoint world = view.LogicalToWorld(target);
    TSNode* node = build.Node(world.x, world.y);
    const QPoint p = view.WorldToLogical(node->m_x, node->m_y);
    PlanImage image(view);
    EXPECT_EQ(image.At(p + QPoint(8, 0)), kMaroon) << zoom;
    EXPECT_EQ(image.At(p + QPoint(0, -8)), kMaroon) << zoom;
    EXPECT_EQ(image.At(p + QPoint(12, 0)), kWhite) << zoom;
    doc.m_nodeList.clear();
  }
}

TEST_F(ViewDrawing, TheRubberBandShowsOnlyOnceTheMouseHasMoved) {
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = QPoint(250, 1750);
  EXPECT_EQ(Pixel(250, 1750), kWhite);

  view.m_ptCurrent = QPoint(350, 1850);
  EXPECT_EQ(Pixel(300, 1750), kBlack);
  EXPECT_EQ(Pixel(350, 1800), kBlack);
  EXPECT_EQ(Pixel(300, 1800), kWhite);

  view.m_bButtonDown = false;
  EXPECT_EQ(Pixel(300, 1750), kWhite);
}

TEST_F(ViewDrawing, ThePathShowsOnlyWithTheTwoPolygonTools) {
  view.m_path = {build.Node(5000, 175000), build.Node(35000, 175000)};
  build.Settle();
  for (int tool : {ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE}) {
    view.m_nTool = tool;
    EXPECT_EQ(Pixel(200, 1750), kBlack) << tool;
    EXPECT_EQ(Pixel(200, 1752), kBlack) << tool;  // 0.5 mm wide
    EXPECT_EQ(Pixel(200, 1755), kWhite) << tool;
  }
  for (int tool : {ID_TOOL_SELECT, ID_TOOL_INSERT_OBJECT, ID_TOOL_MOVE_NODES}) {
    view.m_nTool = tool;
    EXPECT_EQ(Pixel(200, 1750), kWhite) << tool;
  }
}

TEST_F(ViewDrawing, PolygonsBeyondTwelveWallsAndWithoutWallsDrawSafely) {
  // Only a file can hold these; build them by hand.
  auto big = std::make_unique<TSPolygon>();
  constexpr int kCorners = 14;
  for (int i = 0; i < kCorners; ++i) {
    const double angle = -2 * M_PI * i / kCorners;  // clockwise
    TSNode* node = build.Node(TruncateToTrackLength(25000 + 6000 * std::cos(angle)),
                              TruncateToTrackLength(185000 + 6000 * std::sin(angle)));
    auto wall = std::make_unique<TSAnchorWall>();
    wall->m_pNode = node;
    wall->m_pPolygon = big.get();
    node->m_wallList.push_back(wall.get());
    big->m_wallList.push_back(std::move(wall));
  }
  big->m_wallList.back()->m_bSelected = 1;
  doc.m_polygonList.push_back(std::move(big));
  doc.m_polygonList.push_back(std::make_unique<TSPolygon>());

  // The last corner's wedge is there, pointing to the centre.
  const double last = -2 * M_PI * (kCorners - 1) / kCorners;
  const QPoint corner(250 + static_cast<int>(60 * std::cos(last)),
                      1850 + static_cast<int>(60 * std::sin(last)));
  const QPoint inward = corner + (QPoint(250, 1850) - corner) * 15 / 60;
  EXPECT_EQ(Pixel(inward.x(), inward.y()), kBlue);
}

TEST(ViewDrawingLargeTrack, SkippingWhatIsOutOfSightChangesNoPixel) {
  auto doc = GenerateGridTrack(12);
  SelectEverything(*doc);
  (*doc->m_nodeList.begin())->m_bHighlighted = 1;
  auto frame = ShowFrame(*doc);
  CTrassoView& view = *Pane(*frame);
  view.SetZoom(0.5);
  view.OnUpdate(nullptr, 0, nullptr);

  QImage whole(600, 600, QImage::Format_RGB32);
  view.PaintOn(whole);
  QImage part = whole;
  part.fill(Qt::gray);
  const QRect clip(137, 211, 173, 149);
  view.PaintOn(part, clip);
  for (int y = clip.top(); y <= clip.bottom(); ++y) {
    for (int x = clip.left(); x <= clip.right(); ++x) {
      ASSERT_EQ(part.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
    }
  }
}

TEST(ViewPrinting, PrintingToAFileGivesOneNonEmptyPage) {
  QTemporaryDir dir;
  auto print = [&](CTrassoDoc& doc, const QString& name) {
    auto frame = ShowFrame(doc);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(name));
    EXPECT_TRUE(Pane(*frame)->PrintPage(printer));
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  };
  CTrassoDoc empty;
  auto track = GenerateGridTrack(10);
  const QByteArray blank = print(empty, "blank.pdf");
  const QByteArray drawn = print(*track, "track.pdf");
  EXPECT_EQ(drawn.count("/Type /Page\n") + drawn.count("/Type /Page "), 1);
  EXPECT_EQ(drawn.count("/Type /Page"), 2);  // the page and the page tree
  EXPECT_GT(drawn.size(), blank.size() + 1000);
}
