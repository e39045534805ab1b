#include <set>

#include "model/element_types.h"
#include "platform/string_table.h"
#include "track_test.h"

namespace {

using ModelObjects = TrackTest;

TEST_F(ModelObjects, WallsWrapAroundAndIsInsideIsExactOnEdgesAndAtAnyDistance) {
  TSPolygon* three = t.Section({t.Node(0, 0), t.Node(0, 10), t.Node(10, 0)});
  EXPECT_EQ(Wall(three, 2)->GetNextWall(), Wall(three, 0));
  EXPECT_EQ(std::pair(Wall(three, 0)->GetPrevWall(), Wall(three, 1)->GetPrevWall()),
            std::pair(Wall(three, 2), Wall(three, 0)));
  TSAnchorWall loose;
  loose.m_pPolygon = three;  // claims the polygon but is not in its list
  EXPECT_TRUE(loose.GetNextWall() == nullptr && loose.GetPrevWall() == nullptr);
  // Edges and corners are inside; far points need 64 bits; a flat outline's box keeps its ends.
  constexpr TrackLength kFar = 100000000;
  TSPolygon* square =
      t.Section({t.Node(0, 0), t.Node(0, 1000), t.Node(1000, 1000), t.Node(1000, 0)});
  TSPolygon* triangle = t.Section({t.Node(0, 0), t.Node(0, 1000), t.Node(1000, 0)});
  TSPolygon* flat = t.Section({t.Node(0, 0), t.Node(100, 100), t.Node(200, 200)});
  TSPolygon* big = t.Section({t.Node(-kFar, -kFar), t.Node(-kFar, kFar), t.Node(kFar, 0)});
  TSPolygon* huge = t.Section(  // the long edge is the line x + y = −1
      {t.Node(kMinCoord, kMinCoord), t.Node(kMinCoord, kMaxCoord), t.Node(kMaxCoord, kMinCoord)});
  // clang-format off
  const std::tuple<TSPolygon*, XY, bool> cases[] = {
      {square, {500, 500}, true}, {square, {0, 500}, true}, {square, {1000, 1000}, true},
      {square, {1001, 500}, false}, {square, {500, -1}, false},
      {triangle, {500, 500}, true}, {triangle, {501, 500}, false},
      {flat, {50, 50}, true}, {flat, {300, 300}, false}, {flat, {-1, -1}, false},
      {big, {0, 0}, true}, {big, {kFar / 2, kFar / 4}, true},
      {big, {kFar / 2, kFar / 4 + 1}, false}, {big, {kFar / 2, -kFar / 4 - 1}, false},
      {huge, {0, -1}, true}, {huge, {-1, -1}, true}, {huge, {0, 0}, false},
      {huge, {kMaxCoord, kMaxCoord}, false}, {huge, {kMinCoord, kMinCoord}, true},
  };
  // clang-format on
  for (const auto& [polygon, p, inside] : cases)
    EXPECT_EQ(polygon->IsInside(p.first, p.second), inside) << p.first << ", " << p.second;
  EXPECT_FALSE(TSPolygon().IsInside(0, 0));
}

using Document = TrackTest;

// FindSection takes the first section, never a feature.
TEST_F(Document, IteratesFindsSectionsUpdatesBeforeMarkingAndClearsSelections) {
  EXPECT_EQ(doc.GetFirstNodePosition() + doc.GetFirstPolygonPosition(), POSITION{0});
  EXPECT_EQ(doc.GetDescription() + doc.GetBackground(), "");
  const Nodes corners = {t.Node(0, 0), t.Node(0, 100), t.Node(100, 100), t.Node(100, 0)};
  const std::vector<TSPolygon*> polygons = {
      t.Feature({t.Node(10, 10), t.Node(10, 50), t.Node(50, 50), t.Node(50, 10)}),
      t.Section({corners[0], corners[1], corners[2], corners[3]}),
      t.Section({corners[0], corners[2], corners[3]})};
  Nodes nodes;
  for (POSITION pos = doc.GetFirstNodePosition(); pos;) nodes.push_back(doc.GetNextNode(pos));
  EXPECT_EQ(nodes, NodeList());
  std::vector<TSPolygon*> visited;
  for (POSITION pos = doc.GetFirstPolygonPosition(); pos;)
    visited.push_back(doc.GetNextPolygon(pos));
  EXPECT_EQ(visited, polygons);
  EXPECT_EQ(doc.FindSection(t.Node(20, 20)), polygons[1]);  // inside the feature too
  EXPECT_EQ(doc.FindSection(t.Node(90, 10)), polygons[1]);  // inside both sections
  EXPECT_EQ(doc.FindSection(t.Node(150, 50)), nullptr);
  // Views that show the modified mark read it after the update has run.
  Unmark();
  TSNode* a = t.Node(0, 0);
  EXPECT_EQ(std::tuple(updates.Count(), updates.ModifiedAtLastUpdate(), doc.IsModified()),
            std::tuple(1, false, true));
  TSPolygon* room = t.Section({a, t.Node(0, 10), t.Node(10, 0)});
  TSNode* loose = t.Node(50, 50);
  Settle();
  doc.ClearSelection(false);
  ExpectUntouched();
  EXPECT_FALSE(doc.HasSelection(false));
  doc.Select(*Wall(room, 2));
  EXPECT_EQ(std::pair(doc.HasSelection(false), doc.HasSelection(true)), std::pair(true, false));
  doc.Select(*loose);
  EXPECT_TRUE(doc.HasSelection(true));

  Select(room);
  Wall(room, 1)->m_bHighlighted = a->m_bHighlighted = 1;
  doc.ClearSelection(true);  // keeps the selection, drops the highlight
  EXPECT_EQ(std::tuple(updates.Count(), a->m_bHighlighted, Wall(room, 1)->m_bHighlighted,
                       a->m_bSelected, Wall(room, 1)->m_bSelected),
            std::tuple(1, 0, 0, 1, 1));
  doc.ClearSelection(true);  // nothing highlighted any more
  EXPECT_EQ(updates.Count(), 1);
  doc.ClearSelection(false);
  EXPECT_EQ(updates.Count(), 2);
  EXPECT_FALSE(doc.HasSelection(false) || doc.IsModified());
  EXPECT_TRUE(doc.IsSelectionSurelyEmpty());
  // Select All marks without remembering each object: the answers must scan.
  doc.SelectAll();
  EXPECT_FALSE(doc.IsSelectionSurelyEmpty());
  EXPECT_TRUE(doc.HasSelection(true));
  doc.ClearSelection(false);
  EXPECT_FALSE(doc.HasSelection(false));
  // The attributes are not drawn, so no update; texts compare byte by byte.
  const std::pair<const char*, bool> steps[] = {{"", false},
                                                {"Two laps\r\nHILLS.PCX", true},
                                                {"Two laps\r\nHILLS.PCX", false},
                                                {"Two laps\r\nhills.pcx", true}};
  for (auto set : {&CTrassoDoc::SetBackground, &CTrassoDoc::SetDescription}) {
    for (const auto& [text, modified] : steps) {
      Unmark();
      (doc.*set)(text);
      EXPECT_EQ(doc.IsModified(), modified) << text;
    }
  }
  EXPECT_EQ(updates.Count(), 0);
  EXPECT_EQ(doc.GetBackground() + doc.GetDescription(),
            "Two laps\r\nhills.pcxTwo laps\r\nhills.pcx");
}

// A repeated code would load a saved choice as another; only the ten starting positions have flag
// 0.
TEST(ElementTypes, EveryRowHasItsOwnCodeAndTheRightFlag) {
  const std::pair<const ElementType*, int> tables[] = {{g_wallTypes, g_nWallTypes},
                                                       {g_floorTypes, g_nFloorTypes},
                                                       {g_ceilingTypes, g_nCeilingTypes},
                                                       {g_itemTypes, g_nItemTypes}};
  for (const auto& [rows, count] : tables) {
    std::set<int> codes;
    for (int row = 0; row < count; ++row) {
      const ElementType& type = rows[row];
      const std::string text(LoadResString(type.nStringId));
      const bool start = rows == g_itemTypes && row < 10;
      EXPECT_TRUE(codes.insert(type.nFileCode).second) << text;
      EXPECT_EQ(FindElementType(type.nFileCode, rows, count), row);
      EXPECT_TRUE(!text.empty() && text.size() < 60) << text;  // the panel's buffer
      EXPECT_EQ(type.nFlag, start ? 0 : 1) << text;
      if (start) {
        EXPECT_EQ(text, "Starting Position " + std::to_string(type.nGameCode));
      }
    }
  }
  EXPECT_EQ(std::vector<int>({g_nWallTypes, g_nFloorTypes, g_nCeilingTypes, g_nItemTypes}),
            std::vector<int>({23, 7, 8, 18}));
  // Below "[none]" the ceiling choices are the floor choices.
  for (int row = 0; row < g_nFloorTypes; ++row) {
    EXPECT_EQ(std::pair(g_ceilingTypes[row + 1].nGameCode, g_ceilingTypes[row + 1].nStringId),
              std::pair(g_floorTypes[row].nGameCode, g_floorTypes[row].nStringId));
  }
  // Find gives the last matching row, and row zero for none.
  EXPECT_EQ(FindElementType(99, g_wallTypes, g_nWallTypes) +
                FindElementType(-1, g_itemTypes, g_nItemTypes),
            0);
  for (int count : {0, -5, 1}) EXPECT_EQ(FindElementType(19, g_wallTypes, count), 0);  // row 1
  const ElementType table[] = {{5, 1, 1, 0}, {7, 1, 2, 0}, {5, 1, 3, 0}, {8, 1, 4, 0}};
  EXPECT_EQ(std::pair(FindElementType(5, table, 4), FindElementType(5, table, 2)), std::pair(2, 0));
  // The loader's index answers as Find does, inside its range and beyond it.
  const ElementType far[] = {{0, 1, 1, 0}, {300, 1, 2, 0}, {255, 1, 3, 0}, {300, 1, 4, 0}};
  for (const auto& [rows, count] : {std::pair(table, 4), std::pair(far, 4), std::pair(table, 2)}) {
    const ElementCodeIndex index(rows, count);
    for (int code : {-1, 0, 5, 7, 8, 255, 256, 300}) {
      EXPECT_EQ(index.Find(code), FindElementType(code, rows, count)) << code;
    }
  }
}

}  // namespace
