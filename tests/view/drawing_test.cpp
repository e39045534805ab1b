// What a view paints, checked pixel by pixel; the marks' shapes; and the
// areas the view asks to repaint after a change.

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

#include "fixture.h"
#include "support/track_generator.h"
#include "view/mark_shapes.h"

namespace {
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kSilver(192, 192, 192), kOlive(128, 128, 0),
    kYellow(255, 255, 0), kNavy(0, 0, 128), kBlue(0, 0, 255), kMaroon(128, 0, 0), kRed(255, 0, 0),
    kGreen(0, 128, 0), kLime(0, 255, 0), kMagenta(255, 0, 255);

// At zoom 1 and the scroll positions of a new view, the image shows logical x
// from 0 and y down from 2000; world is logical × 100.
class ViewDrawing : public ::testing::Test {
 protected:
  ViewDrawing() : frame(ShowFrame(doc)), view(*Pane(*frame)), build(doc) {}
  // A square with its lower left corner at logical (100, 1800), 100 wide.
  TSPolygon* Square(bool feature = false) {
    const auto corners = {build.Node(10000, 180000), build.Node(10000, 190000),
                          build.Node(20000, 190000), build.Node(20000, 180000)};
    TSPolygon* square = feature ? build.Feature(corners) : build.Section(corners);
    build.Settle();
    return square;
  }
  // The colours at logical points, from one painting.
  std::vector<QColor> Pixels(std::initializer_list<QPoint> points) {
    const PlanImage image(view);
    std::vector<QColor> colours;
    for (QPoint p : points) colours.push_back(image.At(p));
    return colours;
  }
  QColor Pixel(int lx, int ly) { return PlanImage(view).At({lx, ly}); }
  using Colours = std::vector<QColor>;

  CTrassoDoc doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  TrackBuilder build;
};

// How far counterclockwise (y up) `angle` lies from `start`, in [0, 2π).
double Ccw(double start, double angle) {
  const double d = std::fmod(angle - start, 2 * std::numbers::pi);
  return d < 0 ? d + 2 * std::numbers::pi : d;
}
}  // namespace

TEST_F(ViewDrawing, ASectionIsAnOutlineUntilAllItsWallsAreSelectedAFeatureIsAlwaysFilled) {
  TSPolygon* square = Square();
  // The bottom edge, inside, outside.
  EXPECT_EQ(Pixels({{150, 1800}, {150, 1850}, {150, 1750}}), (Colours{kBlack, kWhite, kWhite}));
  square->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(Pixel(150, 1850), kWhite);
  SelectWallsOnly(square);
  // No outline on a filled area.
  EXPECT_EQ(Pixels({{150, 1850}, {150, 1801}, {150, 1750}}), (Colours{kSilver, kSilver, kWhite}));

  doc.m_polygonList.clear();
  TSPolygon* feature = Square(true);
  EXPECT_EQ(Pixel(150, 1850), kOlive);
  SelectWallsOnly(feature);
  EXPECT_EQ(Pixel(150, 1850), kYellow);
}

TEST_F(ViewDrawing, WedgesFillTheInnerAngleInTheWallsColourUnderTheNodes) {
  TSPolygon* square = Square();
  // Corner 0 at (100, 1800) opens up and to the right, within a radius of 21;
  // corner 2 at (200, 1900) down and to the left.
  EXPECT_EQ(Pixels({{112, 1812}, {88, 1812}, {112, 1788}, {125, 1812}, {188, 1888}, {212, 1912}}),
            (Colours{kNavy, kWhite, kWhite, kWhite, kNavy, kWhite}));
  square->m_wallList[0]->m_bSelected = 1;
  EXPECT_EQ(Pixel(112, 1812), kBlue);
  square->m_wallList[0]->m_bHighlighted = 1;
  EXPECT_EQ(Pixel(112, 1812), kMagenta);
  SelectWallsOnly(square);
  EXPECT_EQ(Pixels({{100, 1800}, {105, 1805}}), (Colours{kMaroon, kMaroon}));
}

TEST_F(ViewDrawing, NodeDiscsTellSelectionHighlightAndItems) {
  TSNode* node = build.Node(30000, 180000);
  TSNode* carrier = build.Item(35000, 180000, 0)->m_pNode;
  build.Settle();
  const auto colours = [&] { return Pixels({{300, 1800}, {350, 1800}}); };
  EXPECT_EQ(colours(), (Colours{kMaroon, kGreen}));
  node->m_bSelected = carrier->m_bHighlighted = 1;
  EXPECT_EQ(colours(), (Colours{kRed, kGreen}));
  node->m_bHighlighted = carrier->m_bSelected = 1;
  EXPECT_EQ(colours(), (Colours{kMagenta, kLime}));
}

TEST_F(ViewDrawing, MarksKeepTheirSizeAtEveryZoom) {
  for (double zoom : {0.5, 1.0, 2.0}) {
    view.SetZoom(zoom);
    view.OnUpdate(nullptr, 0, nullptr);
    const WorldPoint world = view.LogicalToWorld(view.GetWindowOrigin() + QPoint(200, -150));
    TSNode* node = build.Node(world.x, world.y);
    const QPoint p = view.WorldToLogical(node->m_x, node->m_y);
    EXPECT_EQ(Pixels({p + QPoint(8, 0), p + QPoint(0, -8), p + QPoint(12, 0)}),
              (Colours{kMaroon, kMaroon, kWhite}))
        << zoom;
    doc.m_nodeList.clear();
  }
}

TEST_F(ViewDrawing, TheRubberBandShowsOnlyOnceTheMouseHasMoved) {
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = QPoint(250, 1750);
  EXPECT_EQ(Pixel(250, 1750), kWhite);
  view.m_ptCurrent = QPoint(350, 1850);
  EXPECT_EQ(Pixels({{300, 1750}, {350, 1800}, {300, 1800}}), (Colours{kBlack, kBlack, kWhite}));
  view.m_bButtonDown = false;
  EXPECT_EQ(Pixel(300, 1750), kWhite);
}

TEST_F(ViewDrawing, ThePathShowsOnlyWithTheTwoPolygonTools) {
  view.m_path = {build.Node(5000, 175000), build.Node(35000, 175000)};
  build.Settle();
  for (int tool : {ID_TOOL_ADD_SECTION, ID_TOOL_ADD_FEATURE, ID_TOOL_SELECT, ID_TOOL_INSERT_OBJECT,
                   ID_TOOL_MOVE_NODES}) {
    view.m_nTool = tool;
    const bool shown = tool == ID_TOOL_ADD_SECTION || tool == ID_TOOL_ADD_FEATURE;
    // 0.5 mm wide.
    EXPECT_EQ(Pixels({{200, 1750}, {200, 1752}, {200, 1755}}),
              (Colours{shown ? kBlack : kWhite, shown ? kBlack : kWhite, kWhite}))
        << tool;
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
  const QPoint corner(250 + int(60 * std::cos(last)), 1850 + int(60 * std::sin(last)));
  const QPoint inward = corner + (QPoint(250, 1850) - corner) * 15 / 60;
  EXPECT_EQ(Pixel(inward.x(), inward.y()), kBlue);
}

TEST(MarkShapes, AWedgeRunsCounterclockwiseWithinItsSweepAndRadius) {
  CMarkShapes shapes(96 / 254.0);
  const QPoint centre(100, -50);
  const QPoint ends[][2] = {{{130, -50}, {100, 0}},   // a quarter, up from east
                            {{100, 0}, {130, -50}},   // three quarters, the other way
                            {{80, -60}, {120, -40}},  // almost half, across angle 0
                            {{101, 30}, {99, 30}}};   // nearly the whole disc
  for (const auto& [from, to] : ends) {
    const MarkRay a = MarkRay::Between(centre, from), b = MarkRay::Between(centre, to);
    const double sweep = Ccw(a.angle, b.angle);
    const QPolygonF& wedge = shapes.Wedge(centre, a, b, 21);
    ASSERT_GE(wedge.size(), 3);
    EXPECT_EQ(wedge.first(), QPointF(centre));
    EXPECT_EQ(wedge[1], QPointF(centre) + a.unit * 21);
    EXPECT_EQ(wedge.last(), QPointF(centre) + b.unit * 21);
    double previous = 0;
    for (qsizetype k = 1; k < wedge.size(); ++k) {
      const QPointF d = wedge[k] - QPointF(centre);
      EXPECT_NEAR(std::hypot(d.x(), d.y()), 21, 1e-9);
      // Measured from a little before the start: ray angles are approximate.
      const double along =
          k == wedge.size() - 1 ? sweep : Ccw(a.angle - 1e-4, std::atan2(d.y(), d.x())) - 1e-4;
      EXPECT_LE(along, sweep + 1e-4);
      EXPECT_GE(along, previous - 1e-4);
      previous = along;
    }
  }
  // Coinciding rays give the whole disc, with the centre and both end points.
  const MarkRay ray = MarkRay::Between({0, 0}, {3, 4});
  const qsizetype whole = shapes.Wedge({0, 0}, ray, ray, 10).size();
  EXPECT_EQ(whole, shapes.Disc({0, 0}, 10).size() + 3);
  EXPECT_TRUE(MarkRay::Between({7, 7}, {7, 7}).bEmpty);
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
  EXPECT_EQ(part.copy(clip), whole.copy(clip));
}

TEST(ViewPrinting, PrintingToAFileGivesOneNonEmptyPage) {
  QTemporaryDir dir;
  const auto print = [&](CTrassoDoc& doc, const QString& name) {
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
  const QByteArray blank = print(empty, "blank.pdf");
  const QByteArray drawn = print(*GenerateGridTrack(10), "track.pdf");
  EXPECT_EQ(drawn.count("/Type /Page\n") + drawn.count("/Type /Page "), 1);
  EXPECT_EQ(drawn.count("/Type /Page"), 2);  // the page and the page tree
  EXPECT_GT(drawn.size(), blank.size() + 1000);
}

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
  // checks that the window then shows what a full repaint shows.
  QRect Repaint(const char* change) {
    const QRect area = view.TakeChangedArea();
    if (!area.isEmpty()) view.PaintOn(shown, area);
    EXPECT_EQ(shown, FullPaint()) << change;
    return area;
  }
  // The same, for a local change, which must not repaint the whole window.
  void RepaintLocal(const char* change) {
    const QRect area = Repaint(change);
    EXPECT_FALSE(area.isEmpty()) << change;
    EXPECT_LT(area.width() * area.height(), view.width() * view.height() / 8) << change;
  }
  TSNode* GridNode(int i, int j) { return doc->m_nodeList[j * 13 + i].get(); }
  // Every tenth section is followed by its feature.
  TSPolygon* Section(int i, int j, int after = 0) {
    const int cell = j * 12 + i;
    return doc->m_polygonList[cell + (cell + 9) / 10 + after].get();
  }

  std::unique_ptr<CTrassoDoc> doc;
  std::unique_ptr<CChildFrame> frame;
  CTrassoView& view;
  QImage shown;
};
}  // namespace

TEST_F(ChangedArea, RepaintingOnlyTheChangedAreaShowsWhatAFullRepaintShows) {
  EXPECT_TRUE(Repaint("nothing").isEmpty());
  TrackBuilder(*doc).Section({GridNode(8, 8), GridNode(8, 10), GridNode(10, 10)});
  RepaintLocal("a section added");
  GridNode(1, 1)->m_x = -2000000;  // without an update, which would scroll
  RepaintLocal("a node moved out of sight");
  TSNode* node = GridNode(5, 6);
  // Far enough that the marks before and after do not overlap.
  node->m_x += 24000;
  node->m_y -= 15000;
  RepaintLocal("a node moved");
  node->m_bHighlighted = 1;
  RepaintLocal("a node highlighted");
  Section(7, 3)->m_wallList[2]->m_bSelected = 1;
  RepaintLocal("a wall selected");
  SelectWallsOnly(Section(7, 3));
  RepaintLocal("a section filled");
  ASSERT_TRUE(Section(10, 5, 1)->m_bFeature);
  SelectWallsOnly(Section(10, 5, 1));
  RepaintLocal("a feature selected");

  // A corner anchored at another, distant node, as merging nodes does: the
  // old corner's marks go although no node moved.
  TSAnchorWall* corner = Section(2, 2)->m_wallList[1].get();
  TSNode* anchor = corner->m_pNode;
  corner->m_pNode = GridNode(10, 10);
  Repaint("a corner anchored elsewhere");
  corner->m_pNode = anchor;
  Repaint("the corner back");
  ASSERT_NE(doc->m_nodeList.back()->m_pItem, nullptr);
  doc->m_nodeList.back()->m_bSelected = 1;
  RepaintLocal("an item node selected");
}

TEST_F(ChangedArea, TheToolFeedbackIsRepaintedWhereItWasAndWhereItIs) {
  view.m_nTool = ID_TOOL_SELECT;
  view.m_bButtonDown = true;
  view.m_ptAnchor = view.m_ptCurrent = view.WorldToLogical(30000, 30000);
  EXPECT_TRUE(Repaint("band not yet shown").isEmpty());
  view.m_ptCurrent = view.WorldToLogical(50000, 45000);
  RepaintLocal("band shown");
  view.m_ptCurrent = view.WorldToLogical(40000, 35000);
  RepaintLocal("band shrunk");
  view.m_bButtonDown = false;
  RepaintLocal("band gone");

  view.m_nTool = ID_TOOL_ADD_SECTION;
  view.m_path = {GridNode(2, 2), GridNode(3, 2), GridNode(3, 3)};
  RepaintLocal("path shown");
  GridNode(3, 3)->m_y += 5000;
  RepaintLocal("path node moved");
  view.SetTool(ID_TOOL_SELECT);
  RepaintLocal("path dropped");
}

TEST_F(ChangedArea, AChangeOfZoomOrOfTheListsRepaintsEverything) {
  view.SetZoom(0.4);
  EXPECT_EQ(Repaint("zoom"), view.rect());
  // Drawing order decides which of two overlapping marks is on top.
  std::swap(doc->m_nodeList[20], doc->m_nodeList[21]);
  EXPECT_EQ(Repaint("node order"), view.rect());
  std::swap(doc->m_polygonList[3], doc->m_polygonList[4]);
  EXPECT_EQ(Repaint("polygon order"), view.rect());
}
