#include <cmath>

#include "fixture.h"
#include "model/ts_item.h"

namespace {
const QColor kWhite(255, 255, 255), kMinor(222, 226, 234), kMajor(168, 176, 192);

// The grid point nearest to a world point, halves away from zero: an oracle
// independent of the integer arithmetic the editor uses.
WorldPoint Nearest(WorldPoint w, TrackLength spacing) {
  return {static_cast<TrackLength>(std::lround(w.x / double(spacing)) * spacing),
          static_cast<TrackLength>(std::lround(w.y / double(spacing)) * spacing)};
}

struct GridSnap : ToolTest {
  explicit GridSnap(int tool = ID_TOOL_ADD_SECTION) : ToolTest(tool) {
    services.grid.bSnap = true;
    // A node far down left lets the view scroll to where both coordinates are negative.
    build.Node(-100000, -100000);
    build.Settle();
    view.CenterOn({-50000, -50000});
  }
  // A device point near `near` whose world position is on no grid line.
  QPoint OffGrid(TrackLength spacing, QPoint near) {
    for (int d = 0;; ++d) {
      const QPoint device = near + QPoint(d % 9 - 4, d / 9);
      const WorldPoint w = WorldAt(device);
      if (w.x % spacing != 0 && w.y % spacing != 0) return device;
    }
  }
};
struct InsertSnap : GridSnap {
  InsertSnap() : GridSnap(ID_TOOL_INSERT_OBJECT) {}
};
struct MoveNodesSnap : GridSnap {
  MoveNodesSnap() : GridSnap(ID_TOOL_MOVE_NODES) {}
};
struct MoveSelectionSnap : GridSnap {
  MoveSelectionSnap() : GridSnap(ID_TOOL_MOVE_SELECTION) {}
};
using GridDrawing = ToolTest;
}  // namespace

TEST_F(GridSnap, PathNodesLandOnTheNearestGridPointLeftOfAndBelowTheOrigin) {
  for (const TrackLength spacing : {1000, 250}) {
    services.grid.spacing = spacing;
    const QPoint device = OffGrid(spacing, Middle() + QPoint(spacing == 1000 ? 0 : 40, 0));
    const WorldPoint w = WorldAt(device);
    ASSERT_LT(w.x, 0);
    ASSERT_LT(w.y, 0);
    mouse.Click(device);
    ASSERT_FALSE(view.m_path.empty());
    EXPECT_EQ(Pos(view.m_path.back()), Nearest(w, spacing)) << spacing;
  }
  // With snapping off a node is where the mouse is.
  services.grid.bSnap = false;
  const QPoint device = OffGrid(1000, Middle() + QPoint(-40, 30));
  mouse.Click(device);
  EXPECT_EQ(Pos(view.m_path.back()), WorldAt(device));
}

TEST_F(GridSnap, APathJoinsANodeAlreadyOnTheSnappedPointThatIsTooFarForTheNodeSnap) {
  services.grid.spacing = 5000;  // 50 logical units
  const WorldPoint corner = Nearest(WorldAt(Middle()), 5000);
  TSNode* existing = build.Node(corner.x, corner.y);
  build.Settle();
  const int nodes = NodeCount();
  // 20 units away on both axes: beyond the 10 of the node snap, within the grid cell.
  mouse.Click(mouse.Device(view.WorldToLogical(corner.x, corner.y) + QPoint(20, 20)));
  EXPECT_EQ(NodeCount(), nodes);
  EXPECT_EQ(view.m_path, std::vector<TSNode*>{existing});
}

TEST_F(InsertSnap, APlacedObjectLandsOnTheGrid) {
  services.grid.spacing = 250;
  const QPoint device = OffGrid(250, Middle());
  mouse.Click(device);
  const TSNode& placed = *doc.m_nodeList.back();
  ASSERT_NE(placed.m_pItem, nullptr);
  EXPECT_EQ(Pos(&placed), Nearest(WorldAt(device), 250));
}

TEST_F(MoveNodesSnap, TheEndOfANodeDragSnapsAndAClickWithoutMotionMovesNothing) {
  TSNode* node = build.Node(-48123, -51377);
  build.Settle();
  const WorldPoint start = Pos(node);
  const auto revision = doc.GetHistory().Revision();
  mouse.Click(mouse.On(*node));
  EXPECT_EQ(Pos(node), start);
  EXPECT_EQ(doc.GetHistory().Revision(), revision);

  const QPoint from = mouse.On(*node), to = from + QPoint(37, -23);
  mouse.Drag(from, {from + QPoint(10, -10), to});
  const WorldPoint a = WorldAt(from), b = WorldAt(to);
  EXPECT_EQ(Pos(node), Nearest({start.x + b.x - a.x, start.y + b.y - a.y}, 1000));
  // The snap belongs to the drag's step: one undo takes the node back.
  doc.Undo();
  EXPECT_EQ(Pos(node), start);
}

TEST_F(MoveSelectionSnap, TheGrabbedNodeSnapsAndTheOtherSelectedNodesKeepTheirOffsets) {
  TSNode* grabbed = build.Node(-49321, -50877);
  TSNode* other = build.Node(-47001, -52999);
  TSNode* still = build.Node(-51555, -49555);
  build.Settle();
  doc.Select(*grabbed);
  doc.Select(*other);
  const WorldPoint start = Pos(grabbed), otherStart = Pos(other), stillStart = Pos(still);
  // The press is nearer the grabbed node than the other selected one.
  const QPoint from = mouse.On(*grabbed) + QPoint(3, 2), to = from + QPoint(-41, 29);
  mouse.Drag(from, {from + QPoint(-20, 10), to});
  const WorldPoint a = WorldAt(from), b = WorldAt(to);
  const WorldPoint end = Nearest({start.x + b.x - a.x, start.y + b.y - a.y}, 1000);
  EXPECT_EQ(Pos(grabbed), end);
  EXPECT_EQ(Pos(other),
            (WorldPoint{otherStart.x + end.x - start.x, otherStart.y + end.y - start.y}));
  EXPECT_EQ(Pos(still), stillStart);
  // The next move grabs the node nearest its own press.
  const WorldPoint offset{Pos(grabbed).x - Pos(other).x, Pos(grabbed).y - Pos(other).y};
  const QPoint again = mouse.On(*other) + QPoint(2, 3);
  mouse.Drag(again, {again + QPoint(17, -23)});
  EXPECT_EQ(Pos(other), Nearest(Pos(other), 1000));
  EXPECT_EQ(Pos(grabbed), (WorldPoint{Pos(other).x + offset.x, Pos(other).y + offset.y}));
}

TEST_F(GridDrawing, LinesEveryTenUnitsAtZoomOneADarkerTenthAndNothingWhileOff) {
  // Logical x 150 and y 1850 are lines (world 15.000 and 185.000); 100 and
  // 1900 tenth lines; 155 and 1855 lie between lines.
  const QPoint minorColumn(150, 1855), majorColumn(100, 1855), minorRow(155, 1850),
      majorRow(155, 1900), between(155, 1855);
  const auto pixels = [&] {
    const PlanImage image(view);
    return std::vector<QColor>{image.At(minorColumn), image.At(majorColumn), image.At(minorRow),
                               image.At(majorRow), image.At(between)};
  };
  EXPECT_EQ(pixels(), (std::vector<QColor>{kWhite, kWhite, kWhite, kWhite, kWhite}));
  services.grid.bShow = true;
  EXPECT_EQ(pixels(), (std::vector<QColor>{kMinor, kMajor, kMinor, kMajor, kWhite}));
  // Lines of a wider spacing: 150 is not a multiple of 20, 160 is.
  services.grid.spacing = 2000;
  EXPECT_EQ(pixels()[0], kWhite);
  EXPECT_EQ(PlanImage(view).At({160, 1855}), kMinor);
}
